// Makes the pictures of the windows that the help (HELP/*.png) and the README (docs/screenshots/)
// show. It plays three short tournaments through the windows' own handlers, answers every dialog
// through the Dialogs scripts and saves each window with QWidget::grab().
//
//   zorbon_screenshots <help folder> [<readme folder>] [--screen]
//
// With --screen it also saves the whole screen after every step (screen-*.png): run it under Xvfb
// with the screen size and QT_SCALE_FACTOR to check to see how the windows sit on that screen.

#include "app/Zorbon.h"
#include "bracketwindow/BracketPrint.h"
#include "bracketwindow/TBracketWindow.h"
#include "bracketwindow/TPocetTercu8.h"
#include "common/Dialogs.h"
#include "common/HelpViewer.h"
#include "display/BracketCanvas.h"
#include "display/TTabule.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRozlosovani.h"
#include "ranking/TZebricek.h"
#include "resultswindow/TVysledkovaListina.h"
#include "seeding/TNasazeni.h"

#include "bracket/bracket.h"
#include "bracket/correction.h"
#include "sample_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QTranslator>

#include <cstdio>
#include <string_view>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

struct Output {
    QString help;   // every window, with a title bar, for the help
    QString readme; // the few pictures of the README; empty: none
    bool screen = false;
};

Output g_out;

// A sample name (sample_names.h, shared with the window tests).
QString sampleName(std::size_t i)
{
    return QString::fromUtf8(zorbon::sample::kPlayerNames.at(i));
}

// The first sample names: the 8, 16 and 32 players of the pictures.
QStringList firstNames(std::size_t n)
{
    QStringList out;
    for (std::size_t i = 0; i < n; ++i)
        out << sampleName(i);
    return out;
}

const QStringList kNames = firstNames(24);

// Lets the window system show and paint what was just changed.
void settle()
{
    QElapsedTimer t;
    t.start();
    const int ms = g_out.screen ? 400 : 30;
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    while (t.elapsed() < ms);
}

// The window's picture under a plain title bar that carries its caption, as the window looks on
// the desktop.
QImage withTitleBar(QWidget* w)
{
    const QPixmap body = w->grab();
    const qreal dpr = body.devicePixelRatio();
    const int bar = 26;
    const QSize size = body.deviceIndependentSize().toSize();
    QImage image(QSize(size.width() + 2, size.height() + bar + 1) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, size.width() + 2, size.height() + bar + 1), QColor(0x3C, 0x4A, 0x5C));
    QFont f = QApplication::font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 0, size.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle());
    p.drawPixmap(1, bar, body);
    p.end();
    return image;
}

void save(const QImage& image, const QString& path)
{
    if (!image.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The window for the help, and with --screen the whole screen as it is now.
// The help viewer is about 760 pixels wide: a wider window is shown smaller there.
void shot(QWidget* w, const QString& name)
{
    constexpr int kHelpWidth = 720;
    settle();
    QImage image = withTitleBar(w);
    if (image.width() > kHelpWidth * image.devicePixelRatio())
        image = image.scaledToWidth(static_cast<int>(kHelpWidth * image.devicePixelRatio()), Qt::SmoothTransformation);
    save(image, g_out.help + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (g_out.screen)
        save(QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
             g_out.help + QStringLiteral("/screen-") + name + QStringLiteral(".png"));
}

// The window for the README.
void readmeShot(QWidget* w, const QString& name)
{
    if (g_out.readme.isEmpty())
        return;
    settle();
    save(withTitleBar(w), g_out.readme + QLatin1Char('/') + name + QStringLiteral(".png"));
}

template <class T> T* find(QWidget* parent, std::string_view name)
{
    const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    T* w = parent->findChild<T*>(objectName);
    if (!w)
        qFatal("no %s in %s", qPrintable(objectName), qPrintable(parent->objectName()));
    return w;
}

void press(QWidget* parent, const char* button)
{
    find<QAbstractButton>(parent, button)->click();
}

void fill(QWidget* parent, const char* edit, const QString& text)
{
    find<QLineEdit>(parent, edit)->setText(text);
}

// The scores a match gets: mostly the upper player wins, now and then the lower one.
std::pair<QString, QString> scoresFor(int match)
{
    switch (match % 4) {
    case 0:
        return {QStringLiteral("1"), QStringLiteral("3")};
    case 1:
        return {QStringLiteral("3"), QStringLiteral("2")};
    case 2:
        return {QStringLiteral("3"), QStringLiteral("0")};
    default:
        return {QStringLiteral("2"), QStringLiteral("3")};
    }
}

void enterResult(TBracketWindow* w, int board, const QString& s1, const QString& s2, const QString& picture = {})
{
    Dialogs::script([&](QDialog* d) {
        fill(d, "Edit1", s1);
        fill(d, "Edit2", s2);
        if (!picture.isEmpty())
            shot(d, picture);
        press(d, "Button1");
    });
    w->TercClick(board);
}

// Results on every occupied board, in board order; the final is left on its board.
void finishBoards(TBracketWindow* w)
{
    const Bracket& b = w->bracket();
    for (int n = 1; n <= b.boardCount(); ++n) {
        const Board& board = b.board(n);
        if (board.state != BoardState::Occupied || board.match == b.table().finalNumber())
            continue;
        const auto [s1, s2] = scoresFor(board.match);
        enterResult(w, n, s1, s2);
    }
}

// "Hraj" and results, `rounds` times.
void play(TBracketWindow* w, int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        w->SpeedButton2Click();
        finishBoards(w);
    }
}

void newTournament(Zorbon& app, const QString& name, const QString& place, const QString& date,
                   const QString& picture = {})
{
    Dialogs::script([&](QDialog* d) {
        fill(d, "Edit1", name);
        fill(d, "Edit2", place);
        fill(d, "Edit3", date);
        if (!picture.isEmpty())
            shot(d, picture);
        press(d, "Button1");
    });
    app.HlavniOkno->SpeedButton1Click();
}

void registerPlayers(Zorbon& app, int count, const QString& picture = {})
{
    Dialogs::script([&](QDialog* d) {
        for (int i = 0; i < count; ++i) {
            fill(d, "JmenoHrace", kNames[i]);
            press(d, "Button1");
        }
        if (!picture.isEmpty()) {
            fill(d, "JmenoHrace", QStringLiteral("Hana Horáková"));
            shot(d, picture);
            fill(d, "JmenoHrace", QString());
        }
        press(d, "Button2");
    });
    app.HlavniOkno->SpeedButton2Click();
}

TBracketWindow* draw(Zorbon& app, int boards, bool pictures = false)
{
    app.Rozlosovani->seedSource = [] { return 20240501u; };
    Dialogs::script([&](QDialog* d) {
        if (pictures)
            shot(d, QStringLiteral("rozlosovani"));
        press(d, "Button1");
    });
    Dialogs::script([&](QDialog* d) {
        find<QSpinBox>(d, "SpinEdit1")->setValue(boards);
        if (pictures)
            shot(d, QStringLiteral("pocet-tercu"));
        press(d, "Button1");
    });
    app.HlavniOkno->SpeedButton4Click();
    for (int size : kBracketSizes)
        if (app.bracketWindow(size)->isVisible())
            return app.bracketWindow(size);
    qFatal("the draw showed no bracket window");
}

void closeTournament(TBracketWindow* w)
{
    Dialogs::answer(true);
    w->close();
}

// Opens a correction of the first box that can be corrected and takes the pictures; the caller
// leaves it. False when no box can be corrected now.
bool openCorrection(TBracketWindow* w, const QString& picture = {}, const QString& dialogPicture = {})
{
    const Bracket& b = w->bracket();
    for (int n = 1; n <= b.table().boxCount(); ++n) {
        if (!canCorrect(b, n))
            continue;
        Dialogs::script([&](QDialog* d) {
            if (!dialogPicture.isEmpty())
                shot(d, dialogPicture);
            press(d, "Button1");
        });
        w->BoxClick(n);
        if (!picture.isEmpty())
            shot(w, picture);
        return true;
    }
    return false;
}

// The main window, its dialogs, and an 8-player tournament from the draw to the results list.
void lobbyAndEightPlayers(Zorbon& app)
{
    newTournament(app, QStringLiteral("Velká cena Brna"), QStringLiteral("Hospoda U Šípku"),
                  QStringLiteral("1. 5. 2024"), QStringLiteral("novy-turnaj"));
    Dialogs::script([](QDialog* d) {
        shot(d, QStringLiteral("zprava-novy-turnaj"));
        press(d, "Button2");
    });
    app.HlavniOkno->SpeedButton1Click();
    registerPlayers(app, 6, QStringLiteral("registrace"));
    shot(app.HlavniOkno, QStringLiteral("hlavni-okno"));
    readmeShot(app.HlavniOkno, QStringLiteral("main-window"));

    Dialogs::script([](QDialog* d) {
        shot(d, QStringLiteral("smaz-registraci"));
        press(d, "Button2");
    });
    app.HlavniOkno->SpeedButton3Click();
    Dialogs::script([](QDialog* d) {
        find<QComboBox>(d, "ComboBox1")->setCurrentIndex(2);
        shot(d, QStringLiteral("odeber"));
        press(d, "button1");
    });
    Dialogs::script([](QDialog* d) {
        shot(d, QStringLiteral("opravdu-odebrat"));
        press(d, "Button2");
    });
    app.HlavniOkno->OdeberHrace1Click();
    Dialogs::script([](QDialog* d) { shot(d, QStringLiteral("o-programu")); });
    app.HlavniOkno->Oprogramu1Click();
    app.HlavniOkno->Help1Click();
    if (auto* viewer = app.HlavniOkno->findChild<HelpViewer*>()) {
        viewer->resize(760, 560);
        shot(viewer, QStringLiteral("napoveda"));
        viewer->close();
    }

    TBracketWindow* w = draw(app, 2, true);
    shot(w, QStringLiteral("pavouk8-po-losovani"));
    w->SpeedButton2Click();
    shot(w, QStringLiteral("pavouk8-hraj"));
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("zadej-vysledek"));
    // The undo question for that result, answered "Ne".
    Dialogs::script([](QDialog* d) {
        shot(d, QStringLiteral("vratit-zpet"));
        press(d, "Button2");
    });
    w->Zpet1Click();
    finishBoards(w);
    const int fin = w->bracket().table().finalNumber();
    bool corrected = false;
    for (int guard = 0; guard < 30 && w->bracket().state(fin) == BoxState::Pending; ++guard) {
        if (!corrected && openCorrection(w, QStringLiteral("pavouk8-oprava"), QStringLiteral("oprava"))) {
            corrected = true;
            w->Button2Click();
        }
        play(w, 1);
    }
    shot(w, QStringLiteral("pavouk8-finale"));
    for (int n = 1; n <= w->bracket().boardCount(); ++n)
        if (w->bracket().board(n).match == fin && w->bracket().board(n).state == BoardState::Occupied)
            enterResult(w, n, QStringLiteral("2"), QStringLiteral("1"));
    shot(w, QStringLiteral("pavouk8-vitez"));
    readmeShot(w, QStringLiteral("bracket8-final"));

    // The 8 bracket shows the results list modally.
    Dialogs::script([](QDialog* d) {
        shot(d, QStringLiteral("vysledkova-listina"));
        readmeShot(d, QStringLiteral("results-list"));
    });
    w->SpeedButton3Click();
    closeTournament(w);
}

// The players' display at 1920x1080, both its pages, with the tournament under way.
void displayShots(Zorbon& app, TBracketWindow* w)
{
    TTabule* t = app.Tabule;
    w->Tabule1Click();
    t->setWindowState(Qt::WindowNoState);
    t->resize(1920, 1080);
    settle();
    if (t->page() != TTabule::Page::Boards)
        qFatal("the display does not show the boards after a call");
    shot(t, QStringLiteral("tabule"));
    if (!g_out.readme.isEmpty())
        save(t->grab().toImage(), g_out.readme + QStringLiteral("/tabule-1920x1080.png"));
    // The other page at its turn, once its picture is drawn.
    t->setPageInterval(1);
    auto* canvas = t->findChild<BracketCanvas*>(QStringLiteral("TabulePavouk"));
    QElapsedTimer waited;
    waited.start();
    while ((t->page() != TTabule::Page::Bracket || !canvas->isCurrent()) && waited.elapsed() < 10000) {
        if (t->page() == TTabule::Page::Bracket)
            t->setPageInterval(TTabule::kPageInterval);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    shot(t, QStringLiteral("tabule-pavouk"));
    w->Tabule1Click();
}

void sixteenPlayers(Zorbon& app)
{
    newTournament(app, QStringLiteral("Jarní liga"), QStringLiteral("Sportbar Terč"), QStringLiteral("15. 3. 2025"));
    registerPlayers(app, 12);
    TBracketWindow* w = draw(app, 3);
    play(w, 3);
    w->SpeedButton2Click();
    shot(w, QStringLiteral("pavouk16"));
    readmeShot(w, QStringLiteral("bracket16-mid-tournament"));
    displayShots(app, w);
    // The keyboard on a box: its focus mark.
    w->activateWindow();
    settle();
    for (int n = 1; n <= w->bracket().table().boxCount(); ++n)
        if (w->bracket().ready(n)) {
            find<QWidget>(w, w->bracket().table().box(n).frame)->setFocus(Qt::TabFocusReason);
            break;
        }
    shot(w, QStringLiteral("pavouk16-klavesnice"));
    closeTournament(w);
}

void thirtyTwoPlayers(Zorbon& app)
{
    newTournament(app, QStringLiteral("Mistrovství kraje"), QStringLiteral("Kulturní dům"),
                  QStringLiteral("6. 9. 2025"));
    registerPlayers(app, 24);
    TBracketWindow* w = draw(app, 6);
    play(w, 2);
    w->SpeedButton2Click();
    shot(w, QStringLiteral("pavouk32"));
    // A correction: the view moves to the correction controls.
    if (openCorrection(w)) {
        readmeShot(w, QStringLiteral("bracket32-correction"));
        w->Button2Click();
    }
    closeTournament(w);
}

// 47 players on 12 boards, part played: the window, and for the README its PDF on A4.
void sixtyFourPlayers(Zorbon& app)
{
    newTournament(app, QStringLiteral("Velká cena Brna"), QStringLiteral("Hospoda U Šípku"),
                  QStringLiteral("1. 11. 2025"));
    // 23 more, chosen for their letters and lengths.
    QStringList more;
    for (std::size_t i = 32; i < 54; ++i)
        more << sampleName(i);
    more << sampleName(62);
    for (const QString& name : kNames + more) {
        const Outcome added = app.core().addPlayer(name.toStdString());
        if (!added.ok())
            qFatal("registering %s was not done: %s", qPrintable(name), added.message().c_str());
    }
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 12);
    play(w, 3);
    w->SpeedButton2Click();
    shot(w, QStringLiteral("pavouk64"));
    readmeShot(w, QStringLiteral("bracket64-mid-tournament"));
    if (!g_out.readme.isEmpty()) {
        QFile pdf(g_out.readme + QStringLiteral("/bracket64-a4.pdf"));
        if (pdf.open(QIODevice::WriteOnly))
            pdf.write(bracketPdf(w->bracket(), app.session.lobby.header));
    }
    closeTournament(w);
}

// The registration dialog with the offer of remembered names open under its name field: the offer
// is a window of its own, drawn into the dialog's picture where it stands on the screen.
void shotWithOffer(QDialog* d, const QString& name)
{
    settle();
    QAbstractItemView* offer = d->findChild<QCompleter*>()->popup();
    QImage image = withTitleBar(d);
    const QPoint at = offer->mapToGlobal(QPoint(0, 0)) - d->mapToGlobal(QPoint(0, 0)) + QPoint(1, 26);
    const QPixmap list = offer->grab();
    QImage tall(image.width(), std::max(image.height(), at.y() + list.height() + 4), QImage::Format_RGB32);
    tall.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&tall);
    p.drawImage(0, 0, image);
    p.drawPixmap(at, list);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(QRect(at, list.size()).adjusted(0, 0, -1, -1));
    p.end();
    save(tall, g_out.help + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The club: the register, the completion, an import from a spreadsheet and the weekly
// re-registration from the archive.
void club(Zorbon& app, const QString& folder)
{
    newTournament(app, QStringLiteral("Čtvrteční liga"), QStringLiteral("Hospoda U Šípku"),
                  QStringLiteral("16. 10. 2025"));
    const QString list = folder + QStringLiteral("/hraci-klubu.csv");
    QFile f(list);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QStringLiteral("Jméno;Klub\r\nJana Dvořáková;DC Šipka\r\nŠtěpán Kovařík;DC Šipka\r\n"
                               "Radek Ženíšek;DC Terč\r\nTomáš Černý;DC Terč\r\nVolný los;\r\n")
                    .toUtf8());
        f.close();
    }
    Dialogs::script([&](QDialog* d) {
        auto* field = find<QLineEdit>(d, "JmenoHrace");
        field->setFocus();
        for (const QChar c : QStringLiteral("nov")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c.unicode() - 'a'), Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field, &press);
        }
        shotWithOffer(d, QStringLiteral("registrace-nabidka"));
        d->findChild<QCompleter*>()->popup()->hide();
        field->clear();
        Dialogs::script([&](QDialog* fd) {
            if (auto* name = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("hraci-klubu.csv"));
            shot(fd, QStringLiteral("import-hracu"));
            if (auto* name = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(list);
            fd->accept();
        });
        find<QPushButton>(d, "ImportHracu")->click();
        shot(d, QStringLiteral("registrace-import"));
        press(d, "Button2");
    });
    app.HlavniOkno->SpeedButton2Click();
    const QStringList said = Dialogs::messages();
    if (said.isEmpty() || !said.back().startsWith(QStringLiteral("Registrováno")))
        std::fprintf(stderr, "the import did not sum up\n");

    // The register: Tomáš Černý typed once as "Tomas Cerny".
    Dialogs::script([&](QDialog* d) {
        fill(d, "JmenoHrace", QStringLiteral("Tomas Cerny"));
        press(d, "Button1");
        press(d, "Button2");
    });
    app.HlavniOkno->SpeedButton2Click();
    Dialogs::script([&](QDialog* d) {
        d->resize(760, 520);
        shot(d, QStringLiteral("hraci-klubu"));
        auto* table = find<QTableWidget>(d, "Tabulka");
        table->clearSelection();
        for (int r = 0; r < table->rowCount(); ++r) {
            const QString n = table->item(r, 0)->text();
            if (n == QStringLiteral("Tomáš Černý") || n == QStringLiteral("Tomas Cerny"))
                table->selectionModel()->select(table->model()->index(r, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        Dialogs::script([](QDialog* s) {
            shot(s, QStringLiteral("sloucit"));
            press(s, "Button1");
        });
        find<QPushButton>(d, "Sloucit")->click();
        fill(d, "Hledat", QStringLiteral("cer"));
        shot(d, QStringLiteral("hraci-klubu-hledat"));
        d->reject();
    });
    app.HlavniOkno->HraciKlubu1Click();
}

bool copyHelp(const QString& to)
{
    const QDir from(QStringLiteral(ZORBON_SOURCE_DIR "/HELP"));
    if (!QDir().mkpath(to))
        return false;
    for (const QString& file : from.entryList(QDir::Files))
        QFile::copy(from.filePath(file), to + QLatin1Char('/') + file);
    return QFile::exists(to + QStringLiteral("/HELP.HLP"));
}

} // namespace

int main(int argc, char* argv[])
{
    // Headless, the pictures are taken on a desktop-sized virtual screen: the offscreen platform's
    // own screen is narrower than the bracket windows.
    QTemporaryFile screenConfig;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform == "offscreen" || (platform.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY") &&
                                    qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
        if (screenConfig.open()) {
            screenConfig.write(R"({"screens": [{"name": "Desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            screenConfig.flush();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screenConfig.fileName().toLocal8Bit());
        }
    }
    QApplication application(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    g_out.screen = args.removeAll(QStringLiteral("--screen")) > 0;
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "usage: zorbon_screenshots <help folder> [<readme folder>] [--screen]\n");
        return 2;
    }
    g_out.help = QDir(args[0]).absolutePath();
    if (args.size() == 2)
        g_out.readme = QDir(args[1]).absolutePath();
    QDir().mkpath(g_out.help);
    if (!g_out.readme.isEmpty())
        QDir().mkpath(g_out.readme);

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The program works in its working folder; these tournaments leave nothing behind.
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    if (!copyHelp(work.path() + QStringLiteral("/HELP"))) {
        std::fprintf(stderr, "the help file was not found in " ZORBON_SOURCE_DIR "/HELP\n");
        return 1;
    }
    Dialogs::beginScripted();
    {
        Zorbon app;
        app.start();
        lobbyAndEightPlayers(app);
        sixteenPlayers(app);
        thirtyTwoPlayers(app);
        // The archive of the three tournaments just closed.
        Dialogs::script([](QDialog* d) { shot(d, QStringLiteral("predchozi-turnaje")); });
        app.HlavniOkno->PredchoziTurnaje1Click();
        // The season's ranking over them.
        Dialogs::script([](QDialog* d) { shot(d, QStringLiteral("zebricek")); });
        app.HlavniOkno->Zebricek1Click();
        // A tournament left running, as when the program is killed.
        newTournament(app, QStringLiteral("Podzimní pohár"), QStringLiteral("Hospoda U Šípku"),
                      QStringLiteral("4. 10. 2025"));
        registerPlayers(app, 10);
        // Seeding by the ranking, looked at and left as it was (Storno).
        Dialogs::script([](QDialog* d) {
            press(d, "PodleZebricku");
            shot(d, QStringLiteral("nasazeni"));
            press(d, "Button2");
        });
        app.HlavniOkno->Nasazeni1Click();
        play(draw(app, 3), 2);
        if (Dialogs::unanswered() != 0) {
            std::fprintf(stderr, "a dialog did not open as expected\n");
            return 1;
        }
    }
    {
        // The next start asks whether to go on with it.
        Zorbon app;
        Dialogs::script([](QDialog* d) {
            shot(d, QStringLiteral("pokracovat"));
            press(d, "Button1");
        });
        app.start();
        closeTournament(app.bracketWindow(16));
        sixtyFourPlayers(app);
        if (Dialogs::unanswered() != 0) {
            std::fprintf(stderr, "a dialog did not open as expected\n");
            return 1;
        }
        club(app, work.path());
        if (Dialogs::unanswered() != 0) {
            std::fprintf(stderr, "a dialog did not open as expected\n");
            return 1;
        }
        // The program's exit question.
        Dialogs::answer(true);
        app.HlavniOkno->close();
    }
    Dialogs::endScripted();
    return 0;
}
