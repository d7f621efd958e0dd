// The players' display: opened from every bracket window, following every change of the tournament,
// legible across a room, on the second screen when there is one, and never taking the keyboard.
// CTest runs it on one desktop screen and once more on two.
//
// ZORBON_DISPLAY_PICTURES=<folder> keeps pictures of the display there, to look at them.

#include "bracketui.h"

#include "bracketwindow/BracketPainter.h"
#include "display/BracketCanvas.h"
#include "display/FitLabel.h"
#include "display/TTabule.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>

using namespace bracketui;

namespace {

void addSizes()
{
    QTest::addColumn<int>("size");
    for (int size : {8, 16, 32})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

int playersFor(int size)
{
    return size == 8 ? 7 : size == 16 ? 13 : 27;
}

int boardsFor(int size)
{
    return size == 8 ? 2 : size == 16 ? 4 : 10;
}

void keep(QWidget* w, const QString& as)
{
    const QString folder = qEnvironmentVariable("ZORBON_DISPLAY_PICTURES");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        w->grab().save(folder + QLatin1Char('/') + as + QStringLiteral(".png"));
}

QString text(TTabule* t, const QString& name)
{
    return label(t, name)->text();
}

QStringList lines(TTabule* t, const char* name)
{
    const QString all = text(t, QString::fromLatin1(name));
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char('\n'));
}

// The board lines the display shows, in board order, and that no other board line is shown.
QStringList shownBoards(TTabule* t)
{
    QStringList out;
    for (int n = 1; n <= 10; ++n) {
        QLabel* l = label(t, QStringLiteral("TabuleTerc%1").arg(n));
        if (!l->isHidden())
            out << l->text();
    }
    return out;
}

// What the board lines must say, read from the bracket window's own boards.
QStringList expectedBoards(const Bracket& b)
{
    QStringList out;
    for (int n = 1; n <= b.boardCount(); ++n) {
        const Board& board = b.board(n);
        if (board.state == BoardState::Free)
            out << QStringLiteral("Terč %1: volný").arg(n);
        else if (board.state == BoardState::Occupied)
            out << QStringLiteral("Terč %1: %2 – %3 : %4")
                       .arg(n)
                       .arg(board.match == b.table().finalNumber() ? QStringLiteral("finále")
                                                                   : QStringLiteral("zápas %1").arg(board.match))
                       .arg(s(board.player1), s(board.player2));
    }
    return out;
}

QString versus(const Bracket& b, int box)
{
    const auto& spec = b.table().box(box);
    return s(b.name(spec.upper)) + QStringLiteral(" : ") + s(b.name(spec.lower));
}

QString result(const Bracket& b, int box)
{
    const auto& spec = b.table().box(box);
    return QStringLiteral("zápas %1 – %2 %3 : %4 %5")
        .arg(box)
        .arg(s(b.name(spec.upper)), s(b.score(spec.upper)).trimmed(), s(b.score(spec.lower)).trimmed(),
             s(b.name(spec.lower)));
}

// The ready boxes in ascending MatchNumber, as "Hraj" would call them.
QStringList expectedReady(const Bracket& b, int most)
{
    QStringList out;
    for (int n = 1; n <= b.table().boxCount() && out.size() < most; ++n)
        if (b.state(n) == BoxState::Pending && b.name(b.table().box(n).upper) != kUnknown &&
            b.name(b.table().box(n).lower) != kUnknown)
            out << QStringLiteral("zápas %1 – ").arg(n) + versus(b, n);
    return out;
}

// The first of the ready matches, as many as the list holds: all of them, or five at least.
void verifyReady(TTabule* t, const Bracket& b)
{
    const QString shown = label(t, QStringLiteral("TabuleNaRade"))->text();
    const QStringList list = shown.isEmpty() ? QStringList() : shown.split(QLatin1Char('\n'));
    const QStringList all = expectedReady(b, 1000);
    QVERIFY2(list.size() == all.size() || list.size() >= 5, qPrintable(shown));
    QCOMPARE(list, all.mid(0, list.size()));
}

QAction* displayAction(TBracketWindow* w)
{
    return child<QAction>(w, "Tabule1");
}

TTabule* openDisplay(Zorbon& app, TBracketWindow* w)
{
    displayAction(w)->trigger();
    TTabule* t = app.Tabule;
    if (!t->isVisible())
        qFatal("the display did not open");
    // As on a TV, whatever the test screen's size.
    if (!t->isFullScreen())
        t->resize(1920, 1080);
    return t;
}

void answerUndo(bool yes)
{
    Dialogs::script([yes](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TVratitZpet"));
        clickButton(d, yes ? "Button1" : "Button2");
    });
}

// Makes the window the one the keyboard types into.
void activate(QWidget* w)
{
    QCoreApplication::processEvents();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void verifyOperatorKeepsTheKeyboard(TBracketWindow* w, QWidget* focusBefore)
{
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    QCOMPARE(QApplication::focusWidget(), focusBefore);
}

} // namespace

class DisplayTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryFollowsZnovu_data() { addSizes(); }
    void menuEntryFollowsZnovu();
    void opensAndClosesWithoutTouchingTheTournament();
    void followsEveryChange_data() { addSizes(); }
    void followsEveryChange();
    void latestResultsNewestFirstAcrossUndoAndResume();
    void finalNoticeThenWinner_data();
    void finalNoticeThenWinner();
    void pagesTakeTurnsWhileMatchesArePlayed();
    void bracketPageShowsTheBracketAsItStands_data() { addSizes(); }
    void bracketPageShowsTheBracketAsItStands();
    void placement_data();
    void placement();
    void opensOnTheSecondScreenOrAsAWindow();
    void operatorKeepsTheKeyboard();
    void namesShowAsTyped();
    void closesWithTheBracketWindow();
    void fitting_data();
    void fitting();
    void legibleAcrossTheRoom_data();
    void legibleAcrossTheRoom();
};

void DisplayTest::menuEntryFollowsZnovu()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    QStringList entries;
    for (QAction* a : child<QMenu>(w, "Pkazy1")->actions())
        entries << (a->isSeparator() ? QStringLiteral("-")
                                     : a->objectName() + QLatin1Char(' ') + a->text().remove('&'));
    QCOMPARE(entries, (QStringList{"Tere1 Terče", "Hraj1 Hraj", "Vsledkovlistina1 Výsledková listina", "-",
                                   "Zpet1 Zpět", "Znovu1 Znovu", "-", "Tabule1 Tabule pro hráče"}));
    QCOMPARE(displayAction(w)->shortcut(), QKeySequence(Qt::Key_F9));

    TTabule* t = app.Tabule;
    QCOMPARE(t->objectName(), QStringLiteral("TTabule"));
    QCOMPARE(QString::fromLatin1(t->metaObject()->className()), QStringLiteral("zorbon::ui::TTabule"));
    QCOMPARE(t->windowTitle(), QStringLiteral("Zorbon - Tabule"));
    QVERIFY(!t->isVisible());
}

// The menu entry and F9 open and close it; before the draw there is nothing to show; closing it
// leaves the tournament, its history and its files as they were.
void DisplayTest::opensAndClosesWithoutTouchingTheTournament()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    const TournamentRecord record = ReadRecord();
    const auto undo = app.core().undoDescription();
    Dialogs::clearShown();

    displayAction(w)->trigger();
    QVERIFY(app.Tabule->isVisible());
    displayAction(w)->trigger();
    QVERIFY(!app.Tabule->isVisible());
    activate(w);
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(app.Tabule->isVisible());
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(!app.Tabule->isVisible());
    displayAction(w)->trigger();
    app.Tabule->close(); // its own close box
    QVERIFY(!app.Tabule->isVisible());

    QCOMPARE(Dialogs::shown().size(), 0);
    QCOMPARE(app.core().undoDescription(), undo);
    QCOMPARE(ReadRecord().BoardCount, record.BoardCount);
    QCOMPARE(ReadRecord().PlayerCount, record.PlayerCount);
    QVERIFY(w->isVisible());
}

// Draw, "Hraj", a click call, results, a correction, undo and redo, a new board count: the display
// says what the bracket window shows, at once.
void DisplayTest::followsEveryChange()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    const int boards = boardsFor(size);
    TBracketWindow* w = draw(app, boards);
    QCOMPARE(w->size(), size);
    const Bracket& b = w->bracket();
    TTabule* t = openDisplay(app, w);
    keep(t, QStringLiteral("display%1-draw").arg(size));

    QCOMPARE(text(t, "TabuleNazev"), QStringLiteral("Velká cena Brna – Hospoda U Šípku – 1. 5. 2024"));
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QCOMPARE(shownBoards(t).size(), boards);
    for (int n = boards + 1; n <= 10; ++n)
        QVERIFY(label(t, QStringLiteral("TabuleTerc%1").arg(n))->isHidden());
    verifyReady(t, b);
    QCOMPARE(lines(t, "TabuleVysledky"), QStringList()); // byes and walkovers are no results
    QCOMPARE(text(t, "TabuleVitez"), QString());

    // "Hraj": every board holds a match; the next ones wait.
    clickButton(w, "SpeedButton2");
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QVERIFY(shownBoards(t).first().startsWith(QStringLiteral("Terč 1: zápas ")));
    verifyReady(t, b);

    // A result: the board is free, the result heads the list.
    const int first = b.board(1).match;
    enterResult(w, 1, "3", "1");
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QCOMPARE(shownBoards(t).first(), QStringLiteral("Terč 1: volný"));
    QCOMPARE(lines(t, "TabuleVysledky"), QStringList{result(b, first)});
    verifyReady(t, b);

    // A click on a ready box calls it to the free board.
    const int ready = [&] {
        for (int n = b.table().boxCount(); n >= 1; --n)
            if (b.ready(n))
                return n;
        return 0;
    }();
    QVERIFY(ready > 0);
    w->BoxClick(ready);
    QCOMPARE(b.board(1).match, ready);
    QCOMPARE(shownBoards(t).first(), QStringLiteral("Terč 1: zápas %1 – ").arg(ready) + versus(b, ready));
    verifyReady(t, b);

    // The other boards' results, then a correction that turns one of them round.
    finishBoards(w);
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QVERIFY(lines(t, "TabuleVysledky").size() >= 2);
    int corrected = 0;
    for (int n = 1; n <= b.table().boxCount() && !corrected; ++n)
        if (CanCorrect(b, n) && lines(t, "TabuleVysledky").contains(result(b, n)))
            corrected = n;
    QVERIFY(corrected > 0);
    const QString before = result(b, corrected);
    const qsizetype at = lines(t, "TabuleVysledky").indexOf(before);
    QVERIFY(at >= 0);
    const auto& box = b.table().box(corrected);
    const QString s1 = s(b.score(box.upper)).trimmed();
    const QString s2 = s(b.score(box.lower)).trimmed();
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    w->BoxClick(corrected);
    QVERIFY(b.correctionMode);
    typeScores(w, s2, s1);
    clickButton(w, "Button1");
    QVERIFY(!b.correctionMode);
    const QString after = result(b, corrected);
    QVERIFY(after.contains(QStringLiteral(" %1 : %2 ").arg(s2, s1)));
    // A corrected result keeps its place: it was played when it was.
    QCOMPARE(lines(t, "TabuleVysledky").indexOf(after), at);
    verifyReady(t, b);

    // Undo takes the correction back, redo puts it back.
    answerUndo(true);
    w->Zpet1Click();
    QCOMPARE(result(b, corrected), before);
    QVERIFY(lines(t, "TabuleVysledky").contains(before));
    w->Znovu1Click();
    QCOMPARE(result(b, corrected), after);
    QVERIFY(lines(t, "TabuleVysledky").contains(after));

    // All boards free: fewer boards hide the rest; more show them again.
    QCOMPARE(b.board(1).state, BoardState::Free);
    Dialogs::script([](QDialog* d) {
        child<QSpinBox>(d, "SpinEdit1")->setValue(1);
        clickButton(d, "Button1");
    });
    clickButton(w, "SpeedButton1");
    QCOMPARE(shownBoards(t), QStringList{QStringLiteral("Terč 1: volný")});
    answerUndo(true);
    w->Zpet1Click();
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QCOMPARE(shownBoards(t).size(), boards);
    QCOMPARE(Dialogs::unanswered(), 0);
}

// Newest first: the order results were entered in, an undone result leaves, a redone one comes
// back on top; after a resume, which keeps no order, the boxes come by MatchNumber.
void DisplayTest::latestResultsNewestFirstAcrossUndoAndResume()
{
    UiTestEnv env;
    std::vector<int> entered;
    {
        Zorbon app;
        registerTournament(app, 16);
        TBracketWindow* w = draw(app, 4);
        const Bracket& b = w->bracket();
        TTabule* t = openDisplay(app, w);
        clickButton(w, "SpeedButton2");
        // Boards 3, 1, 4, 2: not the boxes' order.
        for (int n : {3, 1, 4, 2}) {
            entered.push_back(b.board(n).match);
            enterResult(w, n, "3", "1");
        }
        QStringList newest;
        for (auto it = entered.rbegin(); it != entered.rend(); ++it)
            newest << result(b, *it);
        QCOMPARE(lines(t, "TabuleVysledky"), newest);

        answerUndo(true);
        w->Zpet1Click();
        QCOMPARE(lines(t, "TabuleVysledky"), newest.mid(1));
        answerUndo(false); // "Ne" changes nothing
        w->Zpet1Click();
        QCOMPARE(lines(t, "TabuleVysledky"), newest.mid(1));
        w->Znovu1Click();
        QCOMPARE(lines(t, "TabuleVysledky"), newest);

        // More than five results: the five newest.
        clickButton(w, "SpeedButton2");
        for (int n = 1; n <= 4; ++n) {
            entered.push_back(b.board(n).match);
            enterResult(w, n, "3", "1");
        }
        QCOMPARE(lines(t, "TabuleVysledky").size(), 5);
        QCOMPARE(lines(t, "TabuleVysledky").first(), result(b, entered.back()));
        // The program ends without closing the tournament, as at a power cut.
    }
    Zorbon again;
    Dialogs::script([](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TPokracovat"));
        clickButton(d, "Button1");
    });
    QVERIFY(again.start());
    TBracketWindow* w = again.bracketWindow(16);
    QVERIFY(w->isVisible());
    TTabule* t = openDisplay(again, w);
    std::sort(entered.begin(), entered.end(), std::greater<>());
    QStringList byNumber;
    for (int i = 0; i < 5; ++i)
        byNumber << result(w->bracket(), entered[static_cast<std::size_t>(i)]);
    QCOMPARE(lines(t, "TabuleVysledky"), byNumber);
}

void DisplayTest::finalNoticeThenWinner_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("lowerWins");
    for (int size : {8, 16, 32}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 upper").arg(size))) << size << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 lower").arg(size))) << size << true;
    }
}

void DisplayTest::finalNoticeThenWinner()
{
    QFETCH(int, size);
    QFETCH(bool, lowerWins);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, boardsFor(size));
    const Bracket& b = w->bracket();
    TTabule* t = openDisplay(app, w);
    playToFinal(w);
    const auto& fin = b.table().box(b.table().finalNumber());
    const QString upper = s(b.name(fin.upper));
    const QString lower = s(b.name(fin.lower));
    QCOMPARE(text(t, "TabuleVitez"), QStringLiteral("Finále: ") + lower + QStringLiteral(" musí vyhrát dvakrát"));
    QVERIFY(label(t, "TabuleVitez")->isVisible());
    const int board = boardOf(b, fin.number);
    QVERIFY(shownBoards(t).contains(QStringLiteral("Terč %1: finále – ").arg(board) + upper + " : " + lower));
    keep(t, QStringLiteral("display%1-final").arg(size));

    enterResult(w, board, lowerWins ? "1" : "3", lowerWins ? "3" : "1");
    QCOMPARE(text(t, "TabuleVitez"), QStringLiteral("Vítěz turnaje: ") + (lowerWins ? lower : upper));
    QVERIFY(s(b.winnerLine).contains(lowerWins ? lower : upper));
    QVERIFY(label(t, "TabuleVitez")->isVisible());
    // Decided: the bracket stays on the display.
    QCOMPARE(t->page(), TTabule::Page::Bracket);
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Pavouk"));
    QVERIFY(!t->alternates());
    keep(t, QStringLiteral("display%1-winner").arg(size));

    // Undone, the final is on its board again.
    answerUndo(true);
    w->Zpet1Click();
    QCOMPARE(text(t, "TabuleVitez"), QStringLiteral("Finále: ") + lower + QStringLiteral(" musí vyhrát dvakrát"));
    QVERIFY(t->alternates());
}

void DisplayTest::pagesTakeTurnsWhileMatchesArePlayed()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    TTabule* t = openDisplay(app, w);
    QCOMPARE(t->pageInterval(), 20000);
    t->setPageInterval(40);
    QWidget* bracketPage = child<QWidget>(t, "TabulePavouk");
    QLabel* board1 = label(t, "TabuleTerc1");

    // Before the first call: the bracket, and it stays.
    QCOMPARE(t->page(), TTabule::Page::Bracket);
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Pavouk"));
    QVERIFY(bracketPage->isVisible() && !board1->isVisible());
    QVERIFY(!t->alternates());

    // Under way: the boards at once, then turn and turn about.
    clickButton(w, "SpeedButton2");
    QCOMPARE(t->page(), TTabule::Page::Boards);
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Terče"));
    QVERIFY(board1->isVisible() && !bracketPage->isVisible());
    QVERIFY(t->alternates());
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Pavouk"), 2000);
    QVERIFY(bracketPage->isVisible() && !board1->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Terče"), 2000);

    // A new call brings the boards back at once, long before the next turn.
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Pavouk"), 2000);
    t->setPageInterval(60000);
    enterResult(w, 1, "3", "1");
    clickButton(w, "SpeedButton2");
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Terče"));

    // Undone to before the first call: the bracket again, still.
    for (int guard = 0; guard < 10 && app.core().undoDescription(); ++guard) {
        answerUndo(true);
        w->Zpet1Click();
    }
    QCOMPARE(t->page(), TTabule::Page::Bracket);
    QVERIFY(!t->alternates());
}

// The bracket page is the printout's drawing of the bracket at the page's size, and after a result
// it soon shows the new one.
void DisplayTest::bracketPageShowsTheBracketAsItStands()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, boardsFor(size));
    TTabule* t = openDisplay(app, w);
    auto* canvas = qobject_cast<BracketCanvas*>(child<QWidget>(t, "TabulePavouk"));
    QVERIFY(canvas);
    clickButton(w, "SpeedButton2");
    t->setPageInterval(1);
    QTRY_COMPARE(t->page(), TTabule::Page::Bracket);
    t->setPageInterval(600000);
    auto expected = [&] {
        QImage image(canvas->size(), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(canvas->logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(canvas->logicalDpiY() / 0.0254));
        QPainter p(&image);
        paintBracket(p, image.rect(), w->bracket(), app.session.lobby.header, BracketStyle::Screen);
        return image;
    };
    auto shown = [&] { return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QTRY_VERIFY(canvas->isCurrent());
    QVERIFY(canvas->isVisible());
    QVERIFY(canvas->height() > t->height() * 9 / 10); // no notice: the drawing has the page
    const QImage before = shown();
    QCOMPARE(before, expected());

    enterResult(w, 1, "3", "1");
    QCOMPARE(t->page(), TTabule::Page::Bracket);
    QTRY_VERIFY(canvas->isCurrent());
    QCOMPARE(shown(), expected());
    QVERIFY(shown() != before);
    keep(t, QStringLiteral("display%1-bracket-page").arg(size));
}

void DisplayTest::placement_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("operatorWindow");
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("fullScreen");
    const QRect hd(0, 0, 1920, 1080);
    const QRect tvRight(1920, 0, 1920, 1080);
    const QRect projectorLeft(-1280, 0, 1280, 720);
    const QRect small(1920, 0, 1024, 768);
    const QRect big(0, 1080, 3840, 2160);
    QTest::newRow("one screen") << QList<QRect>{hd} << QRect(100, 100, 800, 600) << 0 << false;
    QTest::newRow("TV on the right") << QList<QRect>{hd, tvRight} << QRect(100, 100, 800, 600) << 1 << true;
    QTest::newRow("operator on the second screen")
        << QList<QRect>{hd, tvRight} << QRect(2000, 50, 800, 600) << 0 << true;
    QTest::newRow("projector on the left") << QList<QRect>{hd, projectorLeft} << QRect(0, 0, 1920, 1040) << 1 << true;
    QTest::newRow("window across both: most of it counts")
        << QList<QRect>{hd, tvRight} << QRect(1700, 0, 800, 600) << 0 << true;
    QTest::newRow("mirrored screens are one") << QList<QRect>{hd, hd} << QRect(100, 100, 800, 600) << 0 << false;
    QTest::newRow("of two others the larger") << QList<QRect>{hd, small, big} << QRect(10, 10, 800, 600) << 2 << true;
    QTest::newRow("window off every screen: the first is the operator's")
        << QList<QRect>{hd, tvRight} << QRect(9000, 9000, 10, 10) << 1 << true;
}

void DisplayTest::placement()
{
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, operatorWindow);
    QFETCH(int, screen);
    QFETCH(bool, fullScreen);
    const DisplayPlacement p = placeDisplay(screens, operatorWindow);
    QCOMPARE(p.screen, screen);
    QCOMPARE(p.fullScreen, fullScreen);
    // Out of full-screen it stays on its screen, a good part of it.
    const QRect on = screens[screen];
    QVERIFY(on.contains(p.window));
    QVERIFY(p.window.width() >= on.width() / 2 && p.window.height() >= on.height() / 2);
    QVERIFY(p.window.width() < on.width() && p.window.height() < on.height());
}

// With two screens (the second CTest run) full-screen on the one the operator does not use;
// with one a window, which a double-click turns full-screen and back.
void DisplayTest::opensOnTheSecondScreenOrAsAWindow()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QVERIFY(!screens.isEmpty());
    QScreen* operatorScreen = w->screen();
    displayAction(w)->trigger();
    TTabule* t = app.Tabule;
    QVERIFY(t->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(t));
    if (screens.size() > 1) {
        QVERIFY(t->isFullScreen());
        QVERIFY(t->screen() != operatorScreen);
        QCOMPARE(t->geometry(), t->screen()->geometry());
        keep(t, QStringLiteral("display-second-screen"));
        return;
    }
    QVERIFY(!t->isFullScreen());
    QVERIFY(t->screen()->geometry().contains(t->geometry()));
    QTest::mouseDClick(t, Qt::LeftButton, Qt::NoModifier, t->rect().center());
    QTRY_VERIFY(t->isFullScreen());
    // A double-click on a label or on the bracket counts as one on the display.
    QWidget* on = t->childAt(t->rect().center());
    QVERIFY(on);
    QTest::mouseDClick(on, Qt::LeftButton, Qt::NoModifier, on->rect().center());
    QTRY_VERIFY(!t->isFullScreen());
    // Moved by the operator, it comes back where it was left.
    t->setGeometry(200, 150, 900, 500);
    displayAction(w)->trigger();
    QVERIFY(!t->isVisible());
    displayAction(w)->trigger();
    QCOMPARE(t->geometry(), QRect(200, 150, 900, 500));
}

// Opening, every update and the page turns leave the keyboard where it was: keys still reach the
// bracket window.
void DisplayTest::operatorKeepsTheKeyboard()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    activate(w);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(w, Qt::Key_F9);
    TTabule* t = app.Tabule;
    QVERIFY(t->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(t));
    verifyOperatorKeepsTheKeyboard(w, focus);
    QVERIFY(t->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(t->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    for (QWidget* c : t->findChildren<QWidget*>())
        QVERIFY2(c->focusPolicy() == Qt::NoFocus, qPrintable(c->objectName()));

    t->setPageInterval(20);
    clickButton(w, "SpeedButton2");
    QTest::qWait(100); // a few page turns
    verifyOperatorKeepsTheKeyboard(w, focus);
    // Ctrl+1, the first board's key, opens its result dialog in the bracket window.
    bool reached = false;
    Dialogs::script([&](QDialog* d) {
        reached = true;
        typeScores(d, "3", "1");
        clickButton(d, "Button1");
    });
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_1, Qt::ControlModifier);
    QVERIFY(reached);
    QCOMPARE(w->bracket().board(1).state, BoardState::Free);
    QCOMPARE(text(t, "TabuleTerc1"), QStringLiteral("Terč 1: volný"));
    // The closed dialog gives the keyboard back to its window, as a desktop does.
    activate(w);
    // Full-screen or not, the keys still go to the bracket window: F9 closes the display.
    const bool wasFullScreen = t->isFullScreen();
    QTest::mouseDClick(t, Qt::LeftButton);
    QTRY_COMPARE(t->isFullScreen(), !wasFullScreen);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(!t->isVisible());
}

void DisplayTest::namesShowAsTyped()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    QVERIFY(app.core().acceptNewTournament({"<i>Liga</i>", "&amp;", "<br>"}).ok());
    QStringList names = playerNames(8);
    names[0] = QStringLiteral("<b>Eva</b>");
    names[1] = QStringLiteral("Jan & <u>Petr</u>");
    for (const QString& name : names)
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2);
    TTabule* t = openDisplay(app, w);
    for (QLabel* l : t->findChildren<QLabel*>())
        QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    QCOMPARE(text(t, "TabuleNazev"), QStringLiteral("<i>Liga</i> – &amp; – <br>"));
    // Played until Eva is on a board.
    const Bracket& b = w->bracket();
    auto evaOnBoard = [&] {
        for (int n = 1; n <= b.boardCount(); ++n)
            if (b.board(n).state == BoardState::Occupied &&
                (b.board(n).player1 == "<b>Eva</b>" || b.board(n).player2 == "<b>Eva</b>"))
                return n;
        return 0;
    };
    for (int guard = 0; guard < 20 && !evaOnBoard(); ++guard) {
        finishBoards(w);
        clickButton(w, "SpeedButton2");
    }
    const int n = evaOnBoard();
    QVERIFY(n > 0);
    QVERIFY(text(t, QStringLiteral("TabuleTerc%1").arg(n)).contains(QStringLiteral("<b>Eva</b>")));
    QCOMPARE(text(t, QStringLiteral("TabuleTerc%1").arg(n)), expectedBoards(b)[n - 1]);
}

void DisplayTest::closesWithTheBracketWindow()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    TTabule* t = openDisplay(app, w);
    clickButton(w, "SpeedButton2");
    // "Ne" to the close question: the tournament and the display stay.
    Dialogs::answer(false);
    w->close();
    QVERIFY(w->isVisible() && t->isVisible());
    Dialogs::answer(true);
    w->close();
    QVERIFY(!w->isVisible());
    QCOMPARE(app.session.activeSize, 0);
    QVERIFY(!t->isVisible());
    // Nothing to show until the next draw.
    t->open(QRect());
    QVERIFY(!t->isVisible());
    QVERIFY(app.HlavniOkno->isVisible());
}

void DisplayTest::fitting_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("sizes"); // 40: as it is, 0: smaller, 20: half size and cut
    const QString name = QStringLiteral("Terč 1: zápas 5 – Petr Novák : Jan Pokorný");
    QTest::newRow("fits as it is") << QStringList{name} << 4000 << QList<int>{40};
    QTest::newRow("shrinks to fit") << QStringList{name} << 0 << QList<int>{0};
    QTest::newRow("too long even at half size") << QStringList{name + name} << -1 << QList<int>{20};
    QTest::newRow("each line on its own") << QStringList{"krátký", name, "x"} << 0 << QList<int>{40, 0, 40};
    QTest::newRow("nothing") << QStringList{} << 100 << QList<int>{};
}

// At the nominal size when it fits, the largest size that fits when it does not, never below half,
// and only then cut short, with an ellipsis.
void DisplayTest::fitting()
{
    QFETCH(QStringList, lines);
    QFETCH(int, width);
    QFETCH(QList<int>, sizes);
    QFont font;
    const int nominal = 40;
    auto widthAt = [&](const QString& line, int px) {
        font.setPixelSize(px);
        return QFontMetrics(font).horizontalAdvance(line);
    };
    const QString longest =
        lines.isEmpty() ? QString() : *std::max_element(lines.begin(), lines.end(), [&](auto& a, auto& b) {
            return widthAt(a, nominal) < widthAt(b, nominal);
        });
    // 0: room for the longest at three quarters of the size; -1: less than it needs at half.
    const int room = width == 0 ? widthAt(longest, 30) + 1 : width < 0 ? widthAt(longest, nominal / 2) / 2 : width;
    const FittedLines f = fitLines(lines, font, nominal, QSize(room + 1, 2000));
    QCOMPARE(f.rowSize, nominal);
    QCOMPARE(f.sizes.size(), sizes.size());
    QCOMPARE(f.cut, sizes.contains(nominal / 2));
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const int px = f.sizes[i];
        if (sizes[i] == nominal / 2) {
            QCOMPARE(px, nominal / 2);
            QVERIFY(f.lines[i].endsWith(QChar(0x2026)));
            QVERIFY(widthAt(f.lines[i], px) <= room);
            continue;
        }
        QCOMPARE(f.lines[i], lines[i]);
        QVERIFY(widthAt(lines[i], px) <= room);
        if (sizes[i] == nominal) {
            QCOMPARE(px, nominal);
        } else {
            QVERIFY(px < nominal && px > nominal / 2);
            QVERIFY(widthAt(lines[i], px + 1) > room); // the largest that fits
        }
    }
    // As a list: every line at the size of the smallest, none cut that was not.
    const FittedLines list = fitLines(lines, font, nominal, QSize(room + 1, 2000), true);
    QCOMPARE(list.lines, f.lines);
    if (!f.sizes.isEmpty())
        QCOMPARE(list.sizes, QList<int>(f.sizes.size(), *std::min_element(f.sizes.begin(), f.sizes.end())));
    // Rows too many for the height come closer, down to half size.
    if (lines.size() > 1) {
        font.setPixelSize(nominal);
        const int tall = QFontMetrics(font).lineSpacing() * int(lines.size());
        const FittedLines low = fitLines(lines, font, nominal, QSize(10000, tall * 3 / 4));
        QVERIFY(low.rowSize < nominal && low.rowSize >= nominal / 2);
        QVERIFY(std::all_of(low.sizes.begin(), low.sizes.end(), [&](int px) { return px <= low.rowSize; }));
    }
}

void DisplayTest::legibleAcrossTheRoom_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1920x1080") << QSize(1920, 1080);
    QTest::newRow("1280x720") << QSize(1280, 720);
}

// Ten boards on a TV: every board line at least 40 pixels high there (two thirds of it on a smaller
// screen), long names shrunk rather than cut while half the size holds them.
void DisplayTest::legibleAcrossTheRoom()
{
    QFETCH(QSize, screen);
    UiTestEnv env;
    Zorbon app;
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Mistrovství kraje", "Kulturní dům", "6. 9. 2025"}).ok());
    QStringList names = playerNames(32);
    // Long enough to need a smaller size on the board line, short enough for half of it.
    for (int i = 0; i < 32; i += 2)
        names[i] = names[i] + QStringLiteral(" Procházková-Dvořáková");
    for (const QString& name : names)
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 10);
    displayAction(w)->trigger();
    TTabule* t = app.Tabule;
    t->setWindowState(Qt::WindowNoState);
    t->resize(screen);
    QCoreApplication::processEvents();
    QCOMPARE(t->size(), screen);
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    clickButton(w, "SpeedButton2");
    keep(t, QStringLiteral("display32-%1x%2").arg(screen.width()).arg(screen.height()));

    const int least = 40 * screen.height() / 1080;
    int shrunk = 0;
    int shrunkWhole = 0;
    for (int n = 1; n <= 10; ++n) {
        auto* board = static_cast<FitLabel*>(label(t, QStringLiteral("TabuleTerc%1").arg(n)));
        QVERIFY(board->isVisible());
        QVERIFY2(board->height() >= least, qPrintable(QString::number(board->height())));
        QCOMPARE(board->lineSizes().size(), 1);
        QVERIFY(board->lineSizes().front() * 2 >= board->nominalSize());
        QVERIFY2(t->rect().contains(board->geometry()), qPrintable(board->objectName()));
        QFont half = board->font();
        half.setPixelSize((board->nominalSize() + 1) / 2);
        const bool fitsAtHalf =
            QFontMetrics(half).horizontalAdvance(board->fullText()) < board->contentsRect().width() - 1;
        if (fitsAtHalf) {
            QCOMPARE(board->text(), board->fullText());
            QVERIFY(!board->isCut());
        }
        if (board->lineSizes().front() < board->nominalSize()) {
            ++shrunk;
            shrunkWhole += fitsAtHalf ? 1 : 0;
        }
    }
    QVERIFY(shrunk > 0);      // the long names did need it
    QVERIFY(shrunkWhole > 0); // ... and stood whole
    for (const char* name : {"TabuleNazev", "TabuleNaRade", "TabuleVysledky", "TabuleStrana"})
        QVERIFY2(t->rect().contains(label(t, QString::fromLatin1(name))->geometry()), name);
    QVERIFY(!static_cast<FitLabel*>(label(t, "TabuleNazev"))->isCut());
    QVERIFY(!lines(t, "TabuleVysledky").isEmpty());
    QVERIFY(!lines(t, "TabuleNaRade").isEmpty());
}

QTEST_MAIN(DisplayTest)
#include "display_test.moc"
