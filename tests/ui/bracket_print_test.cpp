// The bracket on paper and on a screen: "Tisk pavouka" and "Export pavouka do PDF" of every bracket
// window, read back with poppler's tools, the screen style at TV sizes, and the results window's
// "Export do CSV".
//
// ZORBON_BRACKET_PICTURES=<folder> keeps the PDFs and the screen pictures there, to look at them.

#include "bracketui.h"
#include "tournament/tournament.h"

#include "bracketwindow/BracketPrint.h"
#include "common/Modules.h"
#include "look/BracketPainter.h"
#include "ranking/TZebricek.h"
#include "resultswindow/TVysledkovaListina.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <functional>

using namespace bracketui;

namespace {

const QString kName = QStringLiteral("Velká cena Brna");
const QString kPlace = QStringLiteral("Hospoda U Šípku");
const QString kDate = QStringLiteral("1. 5. 2024");
const QString kPdf = QStringLiteral("export/Velká cena Brna - pavouk.pdf");

// Players of a part-played tournament per bracket size: byes in each, and one name that looks like markup.
int playersFor(int size)
{
    return size == 8 ? 7 : size == 16 ? 13 : size == 32 ? 27 : 47;
}

int boardsFor(int size)
{
    return size == 8 ? 2 : size == 16 ? 4 : size == 32 ? 6 : 12;
}

// A4 takes the 64 on two pages (the winners' side with the final, then the losers'), the others on one.
int a4PagesFor(int size)
{
    return size == 64 ? 2 : 1;
}

// Each box on a board says so with its board: "na terči 3" above it, or "T3" inside a box whose
// number stands inside too.
QRegularExpression onBoardMark(int board = -1)
{
    const QString n = board < 0 ? QStringLiteral("\\d+") : QString::number(board);
    return QRegularExpression(QStringLiteral("(na terči %1|\\bT%1\\b)").arg(n));
}

QStringList namesFor(int size)
{
    QStringList names = playerNames(playersFor(size));
    names[2] = QStringLiteral("<b>x</b>");
    return names;
}

// 30 letters each (29 where the 30th would be a '-', which pdftotext would take for a word broken at
// the line's end), every one with a first word of its own.
QStringList longNames(int n)
{
    QStringList out;
    for (const QString& short_ : playerNames(n)) {
        QString name =
            (short_.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" Maxmiliánová-Procházková-Dvořáková")).left(30);
        if (name.endsWith(QLatin1Char('-')))
            name.chop(1);
        out << name;
    }
    return out;
}

void registerNames(Zorbon& app, const QStringList& names)
{
    app.start();
    QVERIFY(app.core().acceptNewTournament({kName.toStdString(), kPlace.toStdString(), kDate.toStdString()}).ok());
    for (const QString& name : names)
        QVERIFY2(app.core().addPlayer(name.toStdString()).ok(), qPrintable(name));
    app.HlavniOkno->refresh();
}

// After the draw: one round called and played, the next one called: boxes in all three states.
void playSome(TBracketWindow* w)
{
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    clickButton(w, "SpeedButton2");
}

void playAll(TBracketWindow* w)
{
    playToFinal(w);
    const Bracket& b = w->bracket();
    enterResult(w, boardOf(b, b.table().finalNumber()), "3", "1");
    QCOMPARE(b.state(b.table().finalNumber()), BoxState::Finished);
}

int countIn(const Bracket& b, BoxState state)
{
    int n = 0;
    for (int m = 1; m <= b.table().boxCount(); ++m)
        n += b.state(m) == state;
    return n;
}

void keep(const QString& path, const QString& as)
{
    const QString folder = qEnvironmentVariable("ZORBON_BRACKET_PICTURES");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QFile::remove(folder + QLatin1Char('/') + as);
    QFile::copy(path, folder + QLatin1Char('/') + as);
}

void keep(const QImage& image, const QString& as)
{
    const QString folder = qEnvironmentVariable("ZORBON_BRACKET_PICTURES");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        image.save(folder + QLatin1Char('/') + as);
}

// --- Reading PDFs back ------------------------------------------------------------------------

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

#define REQUIRE_POPPLER()                                                                                              \
    if (!havePoppler())                                                                                                \
    QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed")

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the PDF, every run of white space one space.
QString pdfText(const QString& path)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")})
        .simplified();
}

struct Word {
    QString text;
    double height = 0; // of its bounding box, in points
};

QList<Word> pdfWords(const QString& path)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (const auto& m : word.globalMatch(html)) {
        QTextDocument unescape;
        unescape.setHtml(m.captured(5));
        words.append({unescape.toPlainText(), m.captured(4).toDouble() - m.captured(2).toDouble()});
    }
    return words;
}

struct PdfInfo {
    int pages = 0;
    QSizeF size; // points
};

PdfInfo pdfInfo(const QString& path)
{
    const QString out = run(QStringLiteral("pdfinfo"), {path});
    PdfInfo info;
    info.pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out).captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(out);
    info.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return info;
}

// The word height pdftotext reports for text of 6 pt in the painter's font.
double minimumWordHeight()
{
    static const double height = [] {
        const QString path =
            QDir::temp().filePath(QStringLiteral("zorbon-6pt-%1.pdf").arg(QCoreApplication::applicationPid()));
        {
            QPdfWriter writer(path);
            QPainter p(&writer);
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSizeF(6.0); // the least a printed text may be
            p.setFont(f);
            p.drawText(QPointF(1000, 1000), QStringLiteral("Šest bodů"));
        }
        const QList<Word> words = pdfWords(path);
        QFile::remove(path);
        return words.isEmpty() ? 0.0 : words.front().height;
    }();
    return height;
}

double medianHeight(QList<Word> words)
{
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.height < b.height; });
    return words.isEmpty() ? 0 : words[words.size() / 2].height;
}

// Every file and folder under the working folder with its size.
QStringList disk()
{
    QStringList out;
    QDirIterator it(QStringLiteral("."), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    out.sort();
    return out;
}

QStringList menuEntries(QWidget* w)
{
    QStringList out;
    for (QAction* a : child<QMenu>(w, "Soubor1")->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char(' ') + a->text().remove('&'));
    return out;
}

// The print dialog's answer: PDF into a file on the chosen paper, then OK or Storno.
Dialogs::Script printTo(const QString& file, QPageSize::PageSizeId paper, bool ok)
{
    return [file, paper, ok](QDialog* d) {
        auto* print = qobject_cast<QPrintDialog*>(d);
        QVERIFY(print);
        QCOMPARE(print->objectName(), QStringLiteral("PrintDialogPavouk"));
        QCOMPARE(print->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(file);
        print->printer()->setPageSize(QPageSize(paper));
        print->done(ok ? QDialog::Accepted : QDialog::Rejected);
    };
}

QImage onScreen(const Bracket& b, const TournamentHeader& header, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter p(&image);
        paintBracket(p, image.rect(), b, header, BracketStyle::Screen);
    }
    return image;
}

void addSizes()
{
    QTest::addColumn<int>("size");
    for (int size : kBracketSizes)
        QTest::newRow(qPrintable(QStringLiteral("%1").arg(size))) << size;
}

} // namespace

class BracketPrintTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntriesStandAboveTheSeparator();
    void exportFollowsTheTournament_data() { addSizes(); }
    void exportFollowsTheTournament();
    void longNamesNeverGoBelowSixPoints_data() { addSizes(); }
    void longNamesNeverGoBelowSixPoints();
    void printCancelledPrintsNothing();
    void printWithoutItsModuleSaysWhyAndGoesOn();
    void printGoesOnOnePageOfTheChosenPaper_data();
    void printGoesOnOnePageOfTheChosenPaper();
    void namesThatNoFileSystemTakesSaveUnderTheirSafeName_data();
    void namesThatNoFileSystemTakesSaveUnderTheirSafeName();
    void csvFromTheResultsWindow();
    void layoutFitsItsRectangle_data();
    void layoutFitsItsRectangle();
};

void BracketPrintTest::menuEntriesStandAboveTheSeparator()
{
    UiTestEnv env;
    Zorbon app;
    for (int size : kBracketSizes)
        QCOMPARE(
            menuEntries(app.bracketWindow(size)),
            (QStringList{"TiskPavouka1 Tisk pavouka", "ExportPavoukaPdf1 Export pavouka do PDF", "-", "Zavt1 Zavřít"}));
    app.VysledkovaListina->ensureBuilt();
    QCOMPARE(menuEntries(app.VysledkovaListina), (QStringList{"Tisk1 Tisk", "Ulo1 Ulož", "Export1 Export",
                                                              "ExportCsv1 Export do CSV", "-", "Zavt1 Zavřít"}));
}

void BracketPrintTest::exportFollowsTheTournament()
{
    QFETCH(int, size);
    REQUIRE_POPPLER();
    UiTestEnv env;
    Zorbon app;
    registerNames(app, namesFor(size));
    TBracketWindow* w = draw(app, boardsFor(size));
    QCOMPARE(w->size(), size);
    playSome(w);
    const Bracket& b = w->bracket();
    QVERIFY(countIn(b, BoxState::Finished) > 0 && countIn(b, BoxState::OnBoard) > 0 &&
            countIn(b, BoxState::Pending) > 0);

    Dialogs::clearShown();
    child<QAction>(w, "ExportPavoukaPdf1")->trigger();
    QCOMPARE(
        Dialogs::messages(),
        QStringList{QStringLiteral("Pavouk byl uložen do adresáře export jako soubor: Velká cena Brna - pavouk.pdf")});
    QFile file(kPdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(4) == "%PDF");
    keep(kPdf, QStringLiteral("bracket%1-mid.pdf").arg(size));

    const PdfInfo info = pdfInfo(kPdf);
    QCOMPARE(info.pages, a4PagesFor(size));
    QCOMPARE(qRound(info.size.width()), 842); // A4 landscape
    QCOMPARE(qRound(info.size.height()), 595);
    const QString text = pdfText(kPdf);
    for (const QString& name : namesFor(size))
        QVERIFY2(text.contains(name), qPrintable(name));
    for (const QString& header : {kName, kPlace, kDate, QStringLiteral("Pavouk %1 hráčů").arg(size)})
        QVERIFY2(text.contains(header), qPrintable(header));
    for (const char* legend : {"Dohráno", "Na terči", "Čeká", "Volný los"})
        QVERIFY2(text.contains(QString::fromUtf8(legend)), legend);
    // Each box on a board says so, with its board; every match has its number.
    QCOMPARE(text.count(onBoardMark()), countIn(b, BoxState::OnBoard));
    for (int n = 1; n <= b.boardCount(); ++n)
        if (b.board(n).state == BoardState::Occupied)
            QVERIFY2(text.contains(onBoardMark(n)), qPrintable(QString::number(n)));
    const QList<Word> words = pdfWords(kPdf);
    for (int m = 1; m <= b.table().boxCount(); ++m)
        QVERIFY2(
            std::any_of(words.begin(), words.end(), [m](const Word& word) { return word.text == QString::number(m); }),
            qPrintable(QString::number(m)));
    QVERIFY(!text.contains(QStringLiteral("Vítěz"))); // nothing decided yet

    // The same bracket on a TV, in the bracket windows' colours.
    for (const QSize screen : {QSize(1920, 1080), QSize(1280, 720)}) {
        const QImage image = onScreen(b, app.session.lobby.header, screen);
        keep(image, QStringLiteral("bracket%1-screen-%2x%3.png").arg(size).arg(screen.width()).arg(screen.height()));
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y) & 0xFFFFFF);
        for (const QRgb state : {0xA6CAF0u, 0x00FF00u, 0x00FFFFu})
            QVERIFY2(colours.contains(state), qPrintable(QString::number(state, 16)));
    }

    // Decided: the winner on top, nothing on a board any more.
    playAll(w);
    child<QAction>(w, "ExportPavoukaPdf1")->trigger();
    keep(kPdf, QStringLiteral("bracket%1-final.pdf").arg(size));
    keep(onScreen(b, app.session.lobby.header, QSize(1920, 1080)),
         QStringLiteral("bracket%1-screen-final.png").arg(size));
    const QString decided = pdfText(kPdf);
    const QString winner = s(b.winnerLine);
    QVERIFY(winner.startsWith(size == 8 ? QStringLiteral("Vítěz turnaje : ") : QStringLiteral("Vítězem je : ")));
    QVERIFY2(decided.contains(winner.simplified()), qPrintable(winner));
    QVERIFY(!decided.contains(onBoardMark()));
}

// 30 letters in every slot: on A4 nothing is smaller than 6 pt and every name stands whole, narrowed
// where it must be; the 64 on its two pages.
void BracketPrintTest::longNamesNeverGoBelowSixPoints()
{
    QFETCH(int, size);
    REQUIRE_POPPLER();
    QVERIFY(minimumWordHeight() > 5);
    UiTestEnv env;
    Zorbon app;
    const QStringList names = longNames(size);
    QVERIFY(std::all_of(names.begin(), names.end(), [](const QString& n) { return n.size() >= 29 && n.size() <= 30; }));
    registerNames(app, names);
    TBracketWindow* w = draw(app, boardsFor(size));
    playSome(w);
    child<QAction>(w, "ExportPavoukaPdf1")->trigger();
    keep(kPdf, QStringLiteral("bracket%1-long-names.pdf").arg(size));
    QCOMPARE(pdfInfo(kPdf).pages, a4PagesFor(size));
    const QList<Word> words = pdfWords(kPdf);
    QVERIFY(words.size() > 4 * size);
    for (const Word& word : words)
        QVERIFY2(word.height >= minimumWordHeight() - 0.01,
                 qPrintable(QStringLiteral("%1: box %2 pt high").arg(word.text).arg(word.height)));
    const QString text = pdfText(kPdf);
    for (const QString& name : names) {
        QVERIFY2(text.contains(name), qPrintable(name));
        const QString first = name.section(QLatin1Char(' '), 0, 0);
        QVERIFY2(std::any_of(words.begin(), words.end(), [&](const Word& word) { return word.text == first; }),
                 qPrintable(first));
    }
}

void BracketPrintTest::printCancelledPrintsNothing()
{
    UiTestEnv env;
    Zorbon app;
    registerNames(app, namesFor(8));
    TBracketWindow* w = draw(app, 2);
    const QStringList before = disk();
    const QString pdf = env.path() + QStringLiteral("/tisk.pdf");
    Dialogs::clearShown();
    Dialogs::script(printTo(pdf, QPageSize::A4, false));
    child<QAction>(w, "TiskPavouka1")->trigger();
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(Dialogs::shown().size(), 1); // the dialog, no message
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(disk(), before);
}

// Printing lives in a module opened on the first print: where it cannot be found, each print command
// says so, shows no print dialog and leaves the program running; found again, printing works.
void BracketPrintTest::printWithoutItsModuleSaysWhyAndGoesOn()
{
    UiTestEnv env;
    Zorbon app;
    registerNames(app, namesFor(8));
    TBracketWindow* w = draw(app, 2);
    QTemporaryDir nowhere;
    lookForModulesIn(QStringList{nowhere.path()});
    struct Restore {
        ~Restore() { lookForModulesIn(std::nullopt); }
    } restore;
    const std::vector<std::pair<const char*, std::function<void()>>> commands{
        {"Tisk pavouka", [w] { child<QAction>(w, "TiskPavouka1")->trigger(); }},
        {"Tisk listiny", [&app] { app.VysledkovaListina->SpeedButton1Click(); }},
        {"Tisk žebříčku", [&app] { app.Zebricek->TiskClick(); }},
    };
    const QStringList why{QStringLiteral("Tisk není k dispozici: chybí soubor libzorbon_print.so.")};
    for (int round = 0; round < 2; ++round) {
        for (const auto& [what, command] : commands) {
            Dialogs::clearShown();
            command();
            QVERIFY2(Dialogs::messages() == why, what);
            QCOMPARE(Dialogs::shown().size(), 1); // the message, no print dialog
            QCOMPARE(Dialogs::unanswered(), 0);
        }
    }
    QVERIFY(!w->findChild<QDialog*>(QStringLiteral("PrintDialogPavouk")));

    lookForModulesIn(std::nullopt);
    const QString pdf = env.path() + QStringLiteral("/tisk.pdf");
    Dialogs::clearShown();
    Dialogs::script(printTo(pdf, QPageSize::A4, true));
    child<QAction>(w, "TiskPavouka1")->trigger();
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(Dialogs::messages(), QStringList());
    QVERIFY(QFile::exists(pdf));
}

void BracketPrintTest::printGoesOnOnePageOfTheChosenPaper_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QSize>("points"); // landscape
    QTest::addColumn<int>("pages");
    for (int size : kBracketSizes) {
        QTest::newRow(qPrintable(QStringLiteral("%1 A4").arg(size)))
            << size << int(QPageSize::A4) << QSize(842, 595) << a4PagesFor(size);
        QTest::newRow(qPrintable(QStringLiteral("%1 A3").arg(size)))
            << size << int(QPageSize::A3) << QSize(1191, 842) << 1;
    }
}

void BracketPrintTest::printGoesOnOnePageOfTheChosenPaper()
{
    QFETCH(int, size);
    QFETCH(int, paper);
    QFETCH(QSize, points);
    QFETCH(int, pages);
    REQUIRE_POPPLER();
    UiTestEnv env;
    Zorbon app;
    registerNames(app, namesFor(size));
    TBracketWindow* w = draw(app, boardsFor(size));
    playSome(w);
    // The same bracket exported, for comparison with the printout.
    child<QAction>(w, "ExportPavoukaPdf1")->trigger();
    const double exported = medianHeight(pdfWords(kPdf));

    const QString pdf = env.path() + QStringLiteral("/tisk.pdf");
    Dialogs::clearShown();
    Dialogs::script(printTo(pdf, QPageSize::PageSizeId(paper), true));
    child<QAction>(w, "TiskPavouka1")->trigger();
    QCOMPARE(Dialogs::messages(), QStringList());
    QVERIFY(QFile::exists(pdf));
    keep(pdf, QStringLiteral("bracket%1-print-%2.pdf").arg(size).arg(paper == QPageSize::A3 ? "A3" : "A4"));
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pages, pages);
    QCOMPARE(QSize(qRound(info.size.width()), qRound(info.size.height())), points);
    const QString text = pdfText(pdf);
    for (const QString& name : namesFor(size))
        QVERIFY2(text.contains(name), qPrintable(name));
    const double printed = medianHeight(pdfWords(pdf));
    // A3 draws larger what A4 holds on as many pages; where A4 needs two, A3 holds all on one.
    if (paper == QPageSize::A4)
        QVERIFY(qAbs(printed - exported) < 0.2);
    else if (pages == a4PagesFor(size))
        QVERIFY2(printed > exported * 1.2, qPrintable(QStringLiteral("%1 / %2").arg(printed).arg(exported)));
}

void BracketPrintTest::namesThatNoFileSystemTakesSaveUnderTheirSafeName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("up a folder") << QStringLiteral("../ven") << QStringLiteral("-ven");
    QTest::newRow("a season") << QStringLiteral("Zimní liga 2025/2026") << QStringLiteral("Zimní liga 2025-2026");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("a-b");
    QTest::newRow("..") << QStringLiteral("..") << QStringLiteral("bez názvu");
    QTest::newRow("empty") << QString() << QStringLiteral("bez názvu");
    QTest::newRow("absolute") << QStringLiteral("/tmp/ven") << QStringLiteral("-tmp-ven");
    QTest::newRow("too long") << QString(300, QLatin1Char('x')) << QString(240, QLatin1Char('x'));
}

void BracketPrintTest::namesThatNoFileSystemTakesSaveUnderTheirSafeName()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    UiTestEnv env;
    Zorbon app;
    registerNames(app, namesFor(8));
    TBracketWindow* w = draw(app, 2);
    playSome(w);
    app.VysledkovaListina->ensureBuilt();
    app.core().editableSession().lobby.header.name = name.toStdString();
    const QStringList before = disk();
    Dialogs::clearShown();
    child<QAction>(w, "ExportPavoukaPdf1")->trigger();
    child<QAction>(app.VysledkovaListina, "ExportCsv1")->trigger();
    const QString pdf = QStringLiteral("export/") + file + QStringLiteral(" - pavouk.pdf");
    const QString csv = QStringLiteral("export/") + file + QStringLiteral(".csv");
    QCOMPARE(Dialogs::messages(),
             (QStringList{QStringLiteral("Pavouk byl uložen do adresáře export jako soubor: ") + file +
                              QStringLiteral(" - pavouk.pdf"),
                          QStringLiteral("Výsledková listina byla uložena do adresáře export jako soubor: ") + file +
                              QStringLiteral(".csv")}));
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QVERIFY(QFileInfo(csv).size() > 0);
    // The two files are all that is new.
    QStringList after = disk();
    for (const QString& line : before)
        after.removeOne(line);
    QCOMPARE(after.size(), 2);
    for (const QString& line : after)
        QVERIFY2(line.startsWith(QStringLiteral("./") + pdf + QLatin1Char(' ')) ||
                     line.startsWith(QStringLiteral("./") + csv + QLatin1Char(' ')),
                 qPrintable(line));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/ven - pavouk.pdf")) && !QFile::exists(QStringLiteral("/tmp/ven.csv")));
}

// "Export do CSV" writes the displayed list exactly, names with a separator or quotes quoted.
void BracketPrintTest::csvFromTheResultsWindow()
{
    UiTestEnv env;
    Zorbon app;
    QStringList names = playerNames(9);
    names[0] = QStringLiteral("Novák; st.");
    names[1] = QStringLiteral("Petr \"Šipka\" Dvořák");
    registerNames(app, names);
    TBracketWindow* w = draw(app, 4);
    QCOMPARE(w->size(), 16);
    playAll(w);
    clickButton(w, "SpeedButton3");
    TVysledkovaListina* r = app.VysledkovaListina;
    const QStringList shown = child<QPlainTextEdit>(r, "Memo1")->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.size(), 9);

    Dialogs::clearShown();
    child<QAction>(r, "ExportCsv1")->trigger();
    QCOMPARE(Dialogs::messages(),
             QStringList{QStringLiteral(
                 "Výsledková listina byla uložena do adresáře export jako soubor: Velká cena Brna.csv")});
    QFile file(QStringLiteral("export/Velká cena Brna.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray expected = "\xEF\xBB\xBF" + QStringLiteral("Umístění;Hráč\r\n").toUtf8();
    for (QString line : shown) {
        const qsizetype at = line.indexOf(QStringLiteral("místo ")) + 5;
        QString name = line.mid(at + 1);
        if (name == names[0])
            name = QStringLiteral("\"Novák; st.\"");
        else if (name == names[1])
            name = QStringLiteral("\"Petr \"\"Šipka\"\" Dvořák\"");
        expected += (line.left(at) + QLatin1Char(';') + name + QStringLiteral("\r\n")).toUtf8();
    }
    QCOMPARE(file.readAll(), expected);
}

// Every box, its label and the header inside the rectangle, no two boxes or a box and another's
// label on top of each other, nothing below the floor: on A4 and A3 paper, on a TV and in a small window.
void BracketPrintTest::layoutFitsItsRectangle_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("device");
    for (int size : kBracketSizes)
        for (const char* device : {"A4", "A3", "1920x1080", "1280x720"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(size).arg(device)))
                << size << QString::fromLatin1(device);
}

void BracketPrintTest::layoutFitsItsRectangle()
{
    QFETCH(int, size);
    QFETCH(QString, device);
    Bracket b(size);
    b.setState(1, BoxState::Finished);
    b.setState(2, BoxState::OnBoard);
    b.setState(b.table().finalNumber(), BoxState::Finished);
    b.winnerLine = "Vítězem je : Eva Procházková.";
    for (SlotId id = 0; id < static_cast<SlotId>(b.table().slotSpecs.size()); ++id)
        b.setName(id, "Kateřina Procházková-Dvořáková");

    std::unique_ptr<QPaintDevice> paper;
    QImage image;
    BracketStyle style = BracketStyle::Screen;
    const QPaintDevice* dev = nullptr;
    QRectF target;
    if (device.startsWith('A')) {
        auto* writer = new QPdfWriter(QDir::temp().filePath(QStringLiteral("zorbon-layout.pdf")));
        QPageLayout page = bracketPageLayout();
        page.setPageSize(QPageSize(device == "A3" ? QPageSize::A3 : QPageSize::A4));
        writer->setPageLayout(page);
        writer->setResolution(1200);
        paper.reset(writer);
        dev = writer;
        style = BracketStyle::Paper;
        target = QRectF(0, 0, writer->width(), writer->height());
    } else {
        const QStringList wh = device.split('x');
        image = QImage(wh[0].toInt(), wh[1].toInt(), QImage::Format_RGB32);
        dev = &image;
        target = image.rect();
    }
    const BracketLayout l = layoutBracket(dev, target, b, style);
    QCOMPARE(int(l.boxes.size()), b.table().boxCount());
    // Only a screen too small for the 64 goes below the floor, and says it is crowded.
    QVERIFY(l.floorSize > 0 && (l.nameSize >= l.floorSize || (style == BracketStyle::Screen && l.crowded)));
    QVERIFY(l.rowHeight >= l.nameSize * 1.2);
    QVERIFY(!l.winner.isEmpty());
    const QRectF within = target.adjusted(-0.01, -0.01, 0.01, 0.01); // what the arithmetic may stray
    for (const QRectF& header : {l.title, l.info, l.winner, l.legend}) {
        QVERIFY(within.contains(header));
        for (const QRectF& box : l.boxes)
            QVERIFY(!header.intersects(box));
    }
    QVERIFY(!l.title.intersects(l.winner) && !l.info.intersects(l.legend));
    for (std::size_t i = 0; i < l.boxes.size(); ++i) {
        QVERIFY2(within.contains(l.boxes[i]) && within.contains(l.labels[i]), qPrintable(QString::number(i + 1)));
        for (std::size_t j = 0; j < l.boxes.size(); ++j) {
            if (i == j)
                continue;
            QVERIFY2(!l.boxes[i].intersects(l.boxes[j]) && !l.labels[i].intersects(l.boxes[j]),
                     qPrintable(QStringLiteral("%1 and %2").arg(i + 1).arg(j + 1)));
        }
    }
    // A line runs between boxes, never through one it does not belong to.
    QVERIFY(!l.lines.empty());
    for (const QLineF& line : l.lines) {
        const QRectF r = QRectF(line.p1(), line.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01);
        int inside = 0;
        for (const QRectF& box : l.boxes)
            inside += box.adjusted(1, 1, -1, -1).intersects(r);
        QCOMPARE(inside, 0);
    }
}

QTEST_MAIN(BracketPrintTest)
#include "bracket_print_test.moc"
