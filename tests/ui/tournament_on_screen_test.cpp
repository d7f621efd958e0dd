// A whole tournament in each bracket window, from "Rozlosuj" to the closed window, driven through
// the screen one phase per test: the draw; the first calls and results; a correction; play to the
// final; the results list with its files and printout; the clear-down. Each phase starts from a
// tournament brought that far through the same windows.

#include "bracketui.h"

#include "app/Model.h"
#include "mainwindow/TRegistrace.h"
#include "resultswindow/TVysledkovaListina.h"

#include "bracket/model.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <functional>
#include <map>
#include <memory>
#include <set>

using namespace bracketui;

namespace {

// Windows-1250 for the letters the test names use; kept apart from the program's own converter.
QByteArray cp1250(const QString& text)
{
    static const std::map<QChar, char> table = {
        {u'á', '\xE1'}, {u'č', '\xE8'}, {u'ď', '\xEF'}, {u'é', '\xE9'}, {u'ě', '\xEC'}, {u'í', '\xED'},
        {u'ň', '\xF2'}, {u'ó', '\xF3'}, {u'ř', '\xF8'}, {u'š', '\x9A'}, {u'ť', '\x9D'}, {u'ú', '\xFA'},
        {u'ů', '\xF9'}, {u'ý', '\xFD'}, {u'ž', '\x9E'}, {u'Č', '\xC8'}, {u'Ř', '\xD8'}, {u'Š', '\x8A'},
        {u'Ž', '\x8E'}, {u'Ú', '\xDA'}, {u'Ý', '\xDD'}, {u'Ď', '\xCF'}, {u'Ť', '\x8D'}};
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            out += static_cast<char>(c.unicode());
        else if (auto it = table.find(c); it != table.end())
            out += it->second;
        else
            qFatal("no Windows-1250 byte for %s in the test table", qPrintable(QString(c)));
    }
    return out;
}

QByteArray crlfFile(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines)
        out += cp1250(l) + "\r\n";
    return out;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing " + path.toUtf8() + ">";
    return f.readAll();
}

// With ZORBON_SCREENSHOTS set, the windows are saved there as pictures to look at.
void shot(QWidget* w, const QString& name)
{
    const QString dir = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZORBON_SCREENSHOTS"));
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QStringList memoLines(QWidget* w, const char* name)
{
    const QString text = child<QPlainTextEdit>(w, name)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

const QString kName = QStringLiteral("Velká cena Brna");

// Every announcement is read with its board and box already lime; the count that comes back counts
// them.
std::shared_ptr<const int> watchAnnouncements(TBracketWindow* w)
{
    auto count = std::make_shared<int>(0);
    Dialogs::observe([w, count](const QString& text) {
        static const QRegularExpression re(QStringLiteral("^Na terč č\\.(\\d+) nastoupí hráči (.*) a (.*)$"));
        const auto m = re.match(text);
        if (!m.hasMatch())
            return;
        ++*count;
        const QString board = QStringLiteral("Terc") + m.captured(1);
        QCOMPARE(colourOfCell(w, board), kLime);
        const QStringList lines = label(w, board)->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], m.captured(2));
        QCOMPARE(lines[2], m.captured(3));
        const auto& box = w->bracket().table().box(lines[0].toInt());
        QCOMPARE(colourOfFrame(w, s(box.frame)), kLime);
        for (SlotId id : {box.upper, box.lower}) {
            QCOMPARE(colourOfCell(w, s(w->bracket().table().slot(id).name)), kLime);
            QCOMPARE(colourOfCell(w, s(w->bracket().table().slot(id).score)), kLime);
        }
    });
    return count;
}

// The finalists as the final's cells name them before its result.
struct Finalists {
    QString champion;
    QString runnerUp;
};

// Every match played through the windows, the final won by its upper player.
Finalists playToTheEnd(TBracketWindow* w)
{
    const Bracket& b = w->bracket();
    playToFinal(w);
    if (QTest::currentTestFailed())
        return {};
    const Finalists f{label(w, QStringLiteral("LabF1"))->text(), label(w, QStringLiteral("LabF2"))->text()};
    enterResult(w, boardOf(b, b.table().finalNumber()), QStringLiteral("2"), QStringLiteral("1"));
    return f;
}

// The same through the model, as the windows' handlers play it, for the phases after play: the
// screen's part in playing is the play phase's to test, and playing it again there is slow.
void playThroughModel(Zorbon& app, TBracketWindow* w, Finalists& f)
{
    Model& m = app.model();
    const Bracket& b = w->bracket();
    const int fin = b.table().finalNumber();
    const Say quiet = [](const std::string&) {};
    for (int guard = 0; guard < 200 && b.state(fin) != BoxState::Finished; ++guard) {
        m.act(w, [&](Tournament& t) { return t.callReadyMatches(quiet); });
        for (int n = 1; n <= b.boardCount(); ++n) {
            if (b.board(n).state != BoardState::Occupied)
                continue;
            const bool final = b.board(n).match == fin;
            if (final)
                f = {label(w, QStringLiteral("LabF1"))->text(), label(w, QStringLiteral("LabF2"))->text()};
            const auto [s1, s2] =
                final ? std::pair{QStringLiteral("2"), QStringLiteral("1")} : scoresFor(b.board(n).match);
            const Outcome o =
                m.perform(w, [&](Tournament& t) { return t.enterResult(n, s1.toStdString(), s2.toStdString()); });
            QVERIFY2(o.ok(), o.message().c_str());
        }
    }
    QCOMPARE(b.state(fin), BoxState::Finished);
}

// Opens the results list with "Výsledková listina" and runs `use` on it: the 8 shows it modally,
// the others beside the bracket. Scripts for dialogs that `use` opens are queued by the caller.
void withResultsList(Zorbon& app, TBracketWindow* w, const std::function<void(QWidget*)>& use)
{
    const bool modal = w->bracket().table().rules.resultsModal;
    if (modal)
        Dialogs::script([&](QDialog* r) { use(r); });
    clickButton(w, "SpeedButton3");
    if (!modal) {
        QVERIFY(app.VysledkovaListina->isVisible());
        use(app.VysledkovaListina);
    }
}

// The row of the test's data: the players, the boards of the draw and the bracket window's size.
struct Row {
    int players;
    int boards;
    int size;
};

Row fetchRow()
{
    QFETCH(int, players);
    QFETCH(int, boards);
    QFETCH(int, size);
    return {players, boards, size};
}

// The row's tournament in a folder and application of its own.
struct RowTournament : DrawnTournament {
    const Row row = fetchRow();

    // Registered and drawn through the windows, where each phase starts.
    void draw() { registerAndDraw(row.players, row.boards); }
    // Drawn, then played to its end through the model, where the phases after play start; `f`
    // gets its finalists.
    void drawAndPlayThroughModel(Finalists& f)
    {
        draw();
        if (!QTest::currentTestFailed())
            playThroughModel(app, w, f);
    }
};

} // namespace

class TournamentOnScreenTest : public QObject {
    Q_OBJECT
private slots:
    void theDrawFillsTheFirstRoundAndTheBoards_data() { rows(); }
    void theDrawFillsTheFirstRoundAndTheBoards();
    void callsAnnounceAndResultsGoInOrStayOpen_data() { rows(); }
    void callsAnnounceAndResultsGoInOrStayOpen();
    void aCorrectionSwapsThePlayers_data() { rows(); }
    void aCorrectionSwapsThePlayers();
    void playToTheFinalAnnouncesEveryMatch_data() { rows(); }
    void playToTheFinalAnnouncesEveryMatch();
    void theResultsListIsSavedExportedAndPrinted_data() { rows(); }
    void theResultsListIsSavedExportedAndPrinted();
    void closingAsksThenClearsTheTournament_data() { rows(); }
    void closingAsksThenClearsTheTournament();

private:
    static void rows()
    {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("boards");
        QTest::addColumn<int>("size");
        QTest::newRow("8 window, 7 players") << 7 << 2 << 8;
        QTest::newRow("16 window, 13 players") << 13 << 3 << 16;
        QTest::newRow("32 window, 27 players") << 27 << 10 << 32;
        QTest::newRow("64 window, 40 players") << 40 << 8 << 64;
        QTest::newRow("64 window, 47 players") << 47 << 12 << 64;
        QTest::newRow("64 window, 64 players") << 64 << 16 << 64;
    }
};

void TournamentOnScreenTest::theDrawFillsTheFirstRoundAndTheBoards()
{
    RowTournament t;
    STEP(t.draw());
    TBracketWindow* w = t.w;
    QCOMPARE(w->size(), t.row.size);
    QVERIFY(!t.app.HlavniOkno->isVisible());
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(ReadRecord().BoardCount, t.row.boards);
    QCOMPARE(ReadRecord().FirstOpenMatch, t.row.players == t.row.size ? 1 : 2);
    std::multiset<QString> firstRound;
    for (int k = 1; k <= t.row.size; ++k)
        if (const QString n = label(w, QStringLiteral("Lab%1").arg(k))->text(); n != s(kBye))
            firstRound.insert(n);
    const QStringList names = playerNames(t.row.players);
    QCOMPARE(firstRound, std::multiset<QString>(names.begin(), names.end()));
    for (int n = 1; n <= w->bracket().boardCount(); ++n) {
        QWidget* board = child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(n)));
        QCOMPARE(board->isVisibleTo(w), n <= t.row.boards);
        if (n <= t.row.boards) {
            QCOMPARE(label(w, board->objectName())->text(), QStringLiteral(" VOLNÝ"));
            QCOMPARE(colourOfCell(w, board->objectName()), kSilver);
        }
    }
    shot(w, QString::number(t.row.size) + QStringLiteral("-after-draw"));
}

void TournamentOnScreenTest::callsAnnounceAndResultsGoInOrStayOpen()
{
    RowTournament t;
    STEP(t.draw());
    TBracketWindow* w = t.w;
    const auto announcements = watchAnnouncements(w);
    STEP(clickButton(w, "SpeedButton2"));
    QCOMPARE(*announcements, t.row.boards);
    const Bracket& b = w->bracket();
    const int first = b.board(1).match;
    const int second = b.board(2).match;

    // A refused entry keeps the dialog open with the values typed; then the right scores go in.
    Dialogs::clearShown();
    bool stayedOpen = false;
    bool closed = false;
    Dialogs::script([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Výsledek zápasu"));
        QCOMPARE(child<QLabel>(d, "Label1")->text(), s(b.board(1).player1));
        QCOMPARE(child<QLabel>(d, "Label2")->text(), s(b.board(1).player2));
        QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("0"));
        typeScores(d, QStringLiteral("2"), QStringLiteral("2"));
        clickButton(d, "Button1");
        stayedOpen = d->isVisible() && child<QLineEdit>(d, "Edit2")->text() == QStringLiteral("2");
        shot(d, QString::number(t.row.size) + QStringLiteral("-result-dialog"));
        typeScores(d, QStringLiteral("3"), QStringLiteral("1"));
        clickButton(d, "Button1");
        closed = !d->isVisible();
    });
    STEP(click(child<QWidget>(w, "Terc1")));
    QVERIFY(stayedOpen);
    QVERIFY(closed);
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Je zadán špatný výsledek")});
    QCOMPARE(colourOfFrame(w, s(b.table().box(first).frame)), kAqua);
    QCOMPARE(label(w, QStringLiteral("Terc1"))->text(), QStringLiteral(" VOLNÝ"));

    // Storno leaves the match on its board; the board then takes its result.
    Dialogs::script([](QDialog* d) {
        typeScores(d, QStringLiteral("4"), QStringLiteral("0"));
        clickButton(d, "Button2");
    });
    STEP(click(child<QWidget>(w, "Terc2")));
    QCOMPARE(colourOfCell(w, QStringLiteral("Terc2")), kLime);
    QCOMPARE(colourOfFrame(w, s(b.table().box(second).frame)), kLime);
    STEP(enterResult(w, 2, QStringLiteral("3"), QStringLiteral("1")));
    QCOMPARE(colourOfFrame(w, s(b.table().box(second).frame)), kAqua);
    QCOMPARE(Dialogs::unanswered(), 0);
}

void TournamentOnScreenTest::aCorrectionSwapsThePlayers()
{
    RowTournament t;
    STEP(t.draw());
    TBracketWindow* w = t.w;
    const Bracket& b = w->bracket();
    STEP(clickButton(w, "SpeedButton2"));
    const int first = b.board(1).match;
    const int second = b.board(2).match;
    STEP(enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1")));
    STEP(enterResult(w, 2, QStringLiteral("3"), QStringLiteral("1")));

    // Where byes stand beside the first round's losers they walk over and those boxes cannot be
    // corrected any more (the 64 with 40 players): play on until a decided box can be.
    auto correctable = [&b] {
        for (int n = 1; n <= b.table().boxCount(); ++n)
            if (canCorrect(b, n))
                return n;
        return 0;
    };
    int corrected = canCorrect(b, first) ? first : canCorrect(b, second) ? second : 0;
    for (int guard = 0; guard < 10 && corrected == 0; ++guard) {
        STEP(finishBoards(w));
        corrected = correctable();
        if (corrected == 0)
            STEP(clickButton(w, "SpeedButton2"));
    }
    QVERIFY(canCorrect(b, corrected));
    const auto& box = b.table().box(corrected);
    const QString upper = s(b.name(box.upper));
    const QString lower = s(b.name(box.lower));
    QCOMPARE(label(w, s(b.table().slot(box.winnerTo).name))->text(), upper);
    auto* hbar = w->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    const int hBefore = hbar ? hbar->value() : 0;
    Dialogs::script([](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Oprava výsledku"));
        clickButton(d, "Button1");
    });
    STEP(click(label(w, s(b.table().slot(box.lower).score))));
    const auto& names4 = w->look().correctionLabels;
    QVERIFY(child<QWidget>(w, "Button1")->isVisible());
    QCOMPARE(label(w, names4[1])->text(), upper);
    QCOMPARE(label(w, names4[2])->text(), lower);
    QCOMPARE(child<QLineEdit>(w, "Edit1")->text(), QStringLiteral(" 3"));
    QVERIFY(!child<QWidget>(w, "SpeedButton2")->isEnabled());
    QVERIFY(!child<QWidget>(w, "Terc1")->isEnabled());
    QVERIFY(!child<QWidget>(w, "LabVitez")->isVisible());
    shot(w, QString::number(t.row.size) + QStringLiteral("-correction"));
    typeScores(w, QStringLiteral("1"), QStringLiteral("3"));
    STEP(clickButton(w, "Button1"));
    QVERIFY(!child<QWidget>(w, "Button1")->isVisible());
    QVERIFY(child<QWidget>(w, "SpeedButton2")->isEnabled());
    QCOMPARE(label(w, s(b.table().slot(box.winnerTo).name))->text(), lower);
    if (box.loserTo != kNoSlot)
        QCOMPARE(label(w, s(b.table().slot(box.loserTo).name))->text(), upper);
    QCOMPARE(label(w, s(b.table().slot(box.upper).score))->text(), QStringLiteral(" 1"));
    QCOMPARE(colourOfFrame(w, s(box.frame)), kAqua);
    if (hbar)
        QCOMPARE(hbar->value(), hBefore);
}

void TournamentOnScreenTest::playToTheFinalAnnouncesEveryMatch()
{
    RowTournament t;
    STEP(t.draw());
    TBracketWindow* w = t.w;
    const auto announcements = watchAnnouncements(w);
    const Bracket& b = w->bracket();

    // A look at the window while boards are busy: some boxes wait, some are played, some decided.
    STEP(clickButton(w, "SpeedButton2"));
    STEP(finishBoards(w));
    STEP(clickButton(w, "SpeedButton2"));
    shot(w, QString::number(t.row.size) + QStringLiteral("-mid-tournament"));
    std::map<BoxState, int> states;
    for (int n = 1; n <= b.table().boxCount(); ++n)
        ++states[b.state(n)];
    QVERIFY(states[BoxState::Pending] > 0 && states[BoxState::OnBoard] > 0 && states[BoxState::Finished] > 0);

    const Finalists f = playToTheEnd(w);
    if (QTest::currentTestFailed())
        return;
    const int fin = b.table().finalNumber();
    const SizeRules& rules = b.table().rules;
    QCOMPARE(label(w, QStringLiteral("LabVitez"))->text(), s(rules.winnerPrefix) + f.champion + s(rules.winnerSuffix));
    QCOMPARE(colourOfFrame(w, s(b.table().box(fin).frame)), kAqua);
    auto* hbar = w->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    if (hbar && !QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZORBON_SCREENSHOTS")).isEmpty()) {
        hbar->setValue(hbar->maximum()); // the final and the winner line
        if (auto* vbar = w->findChild<QScrollBar*>(QStringLiteral("ScrollBar2")))
            vbar->setValue(180);
    }
    shot(w, QString::number(t.row.size) + QStringLiteral("-after-final"));
    // One announcement per match played: the boxes settled by byes and walkovers kept " 0" : " 0".
    int played = 0;
    for (int n = 1; n <= fin; ++n)
        played += b.score(b.table().box(n).upper) != kNoScore || b.score(b.table().box(n).lower) != kNoScore;
    QCOMPARE(*announcements, played);
}

void TournamentOnScreenTest::theResultsListIsSavedExportedAndPrinted()
{
    RowTournament t;
    Finalists f;
    STEP(t.drawAndPlayThroughModel(f));
    TBracketWindow* w = t.w;

    const QString pdf = t.env.path() + QStringLiteral("/listina.pdf");
    QStringList shown;
    Dialogs::clearShown();
    const bool modal = w->bracket().table().rules.resultsModal;
    // The print dialog comes after the modal results list's own script, or first for the others.
    auto print = [&](QDialog* d) {
        auto* dialog = qobject_cast<QPrintDialog*>(d);
        QVERIFY(dialog);
        QCOMPARE(dialog->printer()->copyCount(), 1);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->done(QDialog::Accepted);
    };
    if (!modal)
        Dialogs::script(print);
    STEP(withResultsList(t.app, w, [&](QWidget* r) {
        if (modal)
            Dialogs::script(print);
        shown = memoLines(r, "Memo1");
        shot(r, QString::number(t.row.size) + QStringLiteral("-results"));
        clickButton(r, "SpeedButton2");
        clickButton(r, "SpeedButton3");
        clickButton(r, "SpeedButton1");
    }));
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(shown.size(), t.row.players);
    QCOMPARE(shown[0], QStringLiteral("1. místo ") + f.champion);
    QCOMPARE(shown[1], QStringLiteral("2. místo ") + f.runnerUp);
    std::multiset<QString> placed;
    for (const QString& line : shown)
        placed.insert(line.mid(line.indexOf(QStringLiteral("místo ")) + 6));
    const QStringList names = playerNames(t.row.players);
    QCOMPARE(placed, std::multiset<QString>(names.begin(), names.end()));

    QCOMPARE(Dialogs::messages(),
             (QStringList{QStringLiteral("Výsledková listina byla uložena do adresáře vysledky jako soubor: ") + kName +
                              QStringLiteral(".txt"),
                          QStringLiteral("Uloženo v adresáři export pod názvem") + kName + QStringLiteral(".htm")}));
    QCOMPARE(readAll(QStringLiteral("vysledky/") + kName + QStringLiteral(".txt")), crlfFile(shown));
    const QByteArray html = readAll(QStringLiteral("export/") + kName + QStringLiteral(".htm"));
    QStringList expected = {"<center> </center>",
                            "<center> </center>",
                            "<center> </center>",
                            "<center><h3>Název turnaje : Velká cena Brna</h3></center>",
                            "<center>Hrací místo : Hospoda U Šípku</center>",
                            "<center>Datum : 1. 5. 2024</center>",
                            QStringLiteral("<center>Počet hráčů : %1</center>").arg(t.row.players),
                            "<center><br></center>",
                            "<center>",
                            "<table border=\"1\" width=\"250\">",
                            "<tr><td width=\"250\">"};
    for (const QString& line : shown)
        expected << QStringLiteral("&nbsp;") + line + QStringLiteral("<br>");
    expected << "</td></tr></table>"
             << "</center>"
             << "<center><br></center>"
             << "<center>Vytvořeno programem Zorbon</center><br>";
    QVERIFY(html.startsWith(crlfFile(expected)));
    const QByteArray address = html.mid(crlfFile(expected).size());
    QVERIFY2(address.startsWith("<center>") && address.endsWith("</center><br>\r\n") && address.count('\n') == 1,
             address.constData());
    const QByteArray printed = readAll(pdf);
    if (const QString dir = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZORBON_SCREENSHOTS"));
        !dir.isEmpty())
        QFile::copy(pdf, dir + QLatin1Char('/') + QString::number(t.row.size) + QStringLiteral("-printout.pdf"));
    QVERIFY2(printed.startsWith("%PDF-"), printed.left(40).constData());
    QVERIFY(printed.contains("/Type /Page"));
}

void TournamentOnScreenTest::closingAsksThenClearsTheTournament()
{
    RowTournament t;
    Finalists f;
    STEP(t.drawAndPlayThroughModel(f));
    TBracketWindow* w = t.w;
    QStringList shown;
    STEP(withResultsList(t.app, w, [&](QWidget* r) {
        shown = memoLines(r, "Memo1");
        clickButton(r, "SpeedButton2");
    }));
    QCOMPARE(shown.size(), t.row.players);

    // "Ne" keeps everything, "Ano" clears the tournament.
    const SizeRules& rules = w->bracket().table().rules;
    Dialogs::clearShown();
    Dialogs::answer(false);
    w->close();
    QVERIFY(w->isVisible());
    QCOMPARE(label(w, QStringLiteral("LabVitez"))->text(), s(rules.winnerPrefix) + f.champion + s(rules.winnerSuffix));
    QCOMPARE(ReadRecord().PlayerCount, t.row.players);
    Dialogs::answer(true);
    w->close();
    QVERIFY(!w->isVisible());
    QVERIFY(t.app.HlavniOkno->isVisible());
    QCOMPARE(Dialogs::shown().size(), 2);
    QCOMPARE(Dialogs::shown()[0].text,
             QStringLiteral(
                 "Při zavření okna se vymaží veškerá data o turnaji včetně registrovaných hráčů !!! Pokračovat ???"));
    QCOMPARE(ReadRecord().PlayerCount, 0);
    QCOMPARE(ReadRecord().BoardCount, 0);
    QCOMPARE(QFile(QString::fromUtf8(kRosterPath)).size(), 0);
    QCOMPARE(child<QLabel>(t.app.HlavniOkno, "Label3")->text(), QStringLiteral("Počet přihlášených hráčů : 0"));
    QCOMPARE(child<QLabel>(t.app.HlavniOkno, "Label2")->text(), QString());
    QCOMPARE(child<QPlainTextEdit>(t.app.HlavniOkno, "Memo1")->toPlainText(), QString());
    for (const char* memo : {"Memo1", "Memo2", "Memo3"})
        QCOMPARE(memoLines(t.app.VysledkovaListina, memo), QStringList());
    QCOMPARE(child<QSpinBox>(t.app.PocetTercu8, "SpinEdit1")->value(), 0);
    // The saved file stays where it was written.
    QCOMPARE(readAll(QStringLiteral("vysledky/") + kName + QStringLiteral(".txt")), crlfFile(shown));
}

QTEST_MAIN(TournamentOnScreenTest)
#include "tournament_on_screen_test.moc"
