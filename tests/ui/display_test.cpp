// The players' display: opened from every bracket window, following every change of the tournament,
// legible across a room, on the second screen when there is one, and never taking the keyboard.
// CTest runs it on one desktop screen and once more on two.
//
// ZORBON_DISPLAY_PICTURES=<folder> keeps pictures of the display there, to look at them.

#include "bracketui.h"

#include "display/BracketCanvas.h"
#include "display/FitLabel.h"
#include "display/TTabule.h"
#include "look/BracketPainter.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace bracketui;

namespace {

void addSizes()
{
    QTest::addColumn<int>("size");
    for (int size : kBracketSizes)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

int playersFor(int size)
{
    return size == 8 ? 7 : size == 16 ? 13 : size == 32 ? 27 : 47;
}

int boardsFor(int size)
{
    return size == 8 ? 2 : size == 16 ? 4 : size == 32 ? 10 : 16;
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

QStringList lines(TTabule* t, const QString& name)
{
    const QString all = text(t, name);
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char('\n'));
}

// The board lines shown, in board order.
QStringList shownBoards(TTabule* t)
{
    QStringList out;
    for (int n = 1; n <= kMostBoards; ++n)
        if (QLabel* l = label(t, QStringLiteral("TabuleTerc%1").arg(n)); !l->isHidden())
            out << l->text();
    return out;
}

QString title(const Bracket& b, int box)
{
    return box == b.table().finalNumber() ? QStringLiteral("finále") : QStringLiteral("zápas %1").arg(box);
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
                       .arg(title(b, board.match), s(board.player1), s(board.player2));
    }
    return out;
}

QString versus(const Bracket& b, int box)
{
    const auto& cells = b.table().box(box);
    return title(b, box) + QStringLiteral(" – ") + s(b.name(cells.upper)) + " : " + s(b.name(cells.lower));
}

QString result(const Bracket& b, int box)
{
    const auto& cells = b.table().box(box);
    return QStringLiteral("%1 – %2 %3 : %4 %5")
        .arg(title(b, box), s(b.name(cells.upper)), s(b.score(cells.upper)).trimmed(),
             s(b.score(cells.lower)).trimmed(), s(b.name(cells.lower)));
}

// "Na řadě": the first ready matches in ascending MatchNumber, all of them or five at least.
void verifyReady(TTabule* t, const Bracket& b)
{
    QStringList all;
    for (int n = 1; n <= b.table().boxCount(); ++n)
        if (b.state(n) == BoxState::Pending && b.name(b.table().box(n).upper) != kUnknown &&
            b.name(b.table().box(n).lower) != kUnknown)
            all << versus(b, n);
    const QStringList shown = lines(t, "TabuleNaRade");
    QVERIFY(shown.size() == all.size() || shown.size() >= 5);
    QCOMPARE(shown, all.mid(0, shown.size()));
}

QAction* displayAction(TBracketWindow* w)
{
    return child<QAction>(w, "Tabule1");
}

TTabule* openDisplay(Zorbon& app, TBracketWindow* w)
{
    displayAction(w)->trigger();
    if (!app.Tabule->isVisible())
        qFatal("the display did not open");
    if (!app.Tabule->isFullScreen())
        app.Tabule->resize(1920, 1080); // as on a TV, whatever the test screen
    return app.Tabule;
}

void undo(TBracketWindow* w)
{
    Dialogs::script([](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TVratitZpet"));
        clickButton(d, "Button1");
    });
    w->Zpet1Click();
}

// Makes the window the one the keyboard types into.
void activate(QWidget* w)
{
    QCoreApplication::processEvents();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

} // namespace

class DisplayTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryOpensAndClosesIt_data() { addSizes(); }
    void menuEntryOpensAndClosesIt();
    void followsEveryChange_data() { addSizes(); }
    void followsEveryChange();
    void latestResultsNewestFirstAcrossUndoAndResume();
    void finalNoticeThenWinner_data();
    void finalNoticeThenWinner();
    void pagesTakeTurnsWhileMatchesArePlayed();
    void placement_data();
    void placement();
    void secondScreenOrAWindowAndTheKeyboardStays();
    void namesShowAsTyped();
    void fitting_data();
    void fitting();
    void legibleAcrossTheRoom_data();
    void legibleAcrossTheRoom();
    void boardLinesShareOneSize();
    void fullScreenFromTheMenus();
};

// After "Znovu" behind a separator; the entry and F9 open and close it; closing it changes nothing;
// the bracket window's close takes it along.
void DisplayTest::menuEntryOpensAndClosesIt()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, boardsFor(size));
    QCOMPARE(w->size(), size);
    const QList<QAction*> entries = child<QMenu>(w, "Pkazy1")->actions();
    QCOMPARE(entries.size(), 10); // the phones page's entry comes after the display's two
    QCOMPARE(entries[5]->objectName(), QStringLiteral("Znovu1"));
    QVERIFY(entries[6]->isSeparator());
    QCOMPARE(entries[7], displayAction(w));
    QCOMPARE(displayAction(w)->text().remove('&'), QStringLiteral("Tabule pro hráče"));
    QCOMPARE(displayAction(w)->shortcut(), QKeySequence(Qt::Key_F9));
    // Its full-screen beside it.
    QCOMPARE(entries[8]->objectName(), QStringLiteral("TabuleCelaObrazovka1"));
    QCOMPARE(entries[8]->text().remove('&'), QStringLiteral("Na celou obrazovku"));
    QCOMPARE(entries[8]->shortcut(), QKeySequence(Qt::Key_F11));
    TTabule* t = app.Tabule;
    QCOMPARE(t->objectName(), QStringLiteral("TTabule"));
    QCOMPARE(t->windowTitle(), QStringLiteral("Zorbon - Tabule"));

    clickButton(w, "SpeedButton2");
    const auto history = app.core().undoDescription();
    Dialogs::clearShown();
    displayAction(w)->trigger();
    QVERIFY(t->isVisible());
    displayAction(w)->trigger();
    QVERIFY(!t->isVisible());
    activate(w);
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(t->isVisible());
    t->close(); // its own close box
    QVERIFY(!t->isVisible());
    QCOMPARE(Dialogs::shown().size(), 0);
    QCOMPARE(app.core().undoDescription(), history);
    QVERIFY(w->isVisible());

    displayAction(w)->trigger();
    Dialogs::answer(false); // "Ne": the tournament and the display stay
    w->close();
    QVERIFY(t->isVisible());
    Dialogs::answer(true);
    w->close();
    QCOMPARE(app.session.activeSize, 0);
    QVERIFY(!t->isVisible());
    t->open(QRect()); // nothing to show until the next draw
    QVERIFY(!t->isVisible());
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
    const Bracket& b = w->bracket();
    TTabule* t = openDisplay(app, w);
    keep(t, QStringLiteral("display%1-draw").arg(size));
    QCOMPARE(text(t, "TabuleNazev"), QStringLiteral("Velká cena Brna – Hospoda U Šípku – 1. 5. 2024"));
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QCOMPARE(shownBoards(t).size(), boards);
    verifyReady(t, b);
    QCOMPARE(lines(t, "TabuleVysledky"), QStringList()); // byes and walkovers are no results
    QCOMPARE(text(t, "TabuleVitez"), QString());

    clickButton(w, "SpeedButton2");
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QVERIFY(shownBoards(t).first().startsWith(QStringLiteral("Terč 1: zápas ")));
    verifyReady(t, b);

    const int first = b.board(1).match;
    enterResult(w, 1, "3", "1");
    QCOMPARE(shownBoards(t).first(), QStringLiteral("Terč 1: volný"));
    QCOMPARE(lines(t, "TabuleVysledky"), QStringList{result(b, first)});
    verifyReady(t, b);

    // A click on the last ready box calls it to the free board.
    int ready = b.table().boxCount();
    while (ready > 0 && !b.ready(ready))
        --ready;
    QVERIFY(ready > 0);
    w->BoxClick(ready);
    QCOMPARE(shownBoards(t).first(), QStringLiteral("Terč 1: ") + versus(b, ready));
    verifyReady(t, b);

    // The other results, then one of the shown turned round by a correction: it keeps its place.
    finishBoards(w);
    QCOMPARE(shownBoards(t), expectedBoards(b));
    int corrected = 0;
    for (int n = 1; n <= b.table().boxCount() && !corrected; ++n)
        if (canCorrect(b, n) && lines(t, "TabuleVysledky").contains(result(b, n)))
            corrected = n;
    QVERIFY(corrected > 0);
    const QString before = result(b, corrected);
    const qsizetype at = lines(t, "TabuleVysledky").indexOf(before);
    const auto& box = b.table().box(corrected);
    const QString s1 = s(b.score(box.upper)).trimmed();
    const QString s2 = s(b.score(box.lower)).trimmed();
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    w->BoxClick(corrected);
    typeScores(w, s2, s1);
    clickButton(w, "Button1");
    const QString after = result(b, corrected);
    QVERIFY(after.contains(QStringLiteral(" %1 : %2 ").arg(s2, s1)));
    QCOMPARE(lines(t, "TabuleVysledky").indexOf(after), at);
    verifyReady(t, b);

    undo(w);
    QCOMPARE(lines(t, "TabuleVysledky").indexOf(before), at);
    w->Znovu1Click();
    QCOMPARE(lines(t, "TabuleVysledky").indexOf(after), at);

    // All boards free: one board hides the rest; undone, they are back.
    Dialogs::script([](QDialog* d) {
        child<QSpinBox>(d, "SpinEdit1")->setValue(1);
        clickButton(d, "Button1");
    });
    clickButton(w, "SpeedButton1");
    QCOMPARE(shownBoards(t), QStringList{QStringLiteral("Terč 1: volný")});
    undo(w);
    QCOMPARE(shownBoards(t), expectedBoards(b));
    QCOMPARE(shownBoards(t).size(), boards);
    QCOMPARE(Dialogs::unanswered(), 0);
}

// Newest first: the order results were entered in, an undone result leaves, a redone one comes back
// on top; a resume keeps no order, so the boxes then come by MatchNumber.
void DisplayTest::latestResultsNewestFirstAcrossUndoAndResume()
{
    UiTestEnv env;
    {
        Zorbon app;
        registerTournament(app, 16);
        TBracketWindow* w = draw(app, 4);
        const Bracket& b = w->bracket();
        TTabule* t = openDisplay(app, w);
        clickButton(w, "SpeedButton2");
        QStringList newest;
        for (int n : {3, 1, 4, 2}) { // not the boxes' order
            const int match = b.board(n).match;
            enterResult(w, n, "3", "1");
            newest.prepend(result(b, match));
        }
        QCOMPARE(lines(t, "TabuleVysledky"), newest);
        undo(w);
        QCOMPARE(lines(t, "TabuleVysledky"), newest.mid(1));
        w->Znovu1Click();
        QCOMPARE(lines(t, "TabuleVysledky"), newest);

        clickButton(w, "SpeedButton2");
        finishBoards(w);
        QCOMPARE(lines(t, "TabuleVysledky").size(), 5); // the four new ones and the newest before
        QCOMPARE(lines(t, "TabuleVysledky").mid(4, 1), newest.mid(0, 1));
    } // the program ends without closing the tournament, as at a power cut
    Zorbon again;
    Dialogs::script([](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TPokracovat"));
        clickButton(d, "Button1");
    });
    QVERIFY(again.start());
    TBracketWindow* w = again.bracketWindow(16);
    // It was open when the program ended: "Ano" brings it back.
    TTabule* t = again.Tabule;
    QVERIFY(t->isVisible());
    if (!t->isFullScreen())
        t->resize(1920, 1080);
    QStringList byNumber;
    for (int n = w->bracket().table().boxCount(); n >= 1 && byNumber.size() < 5; --n)
        if (w->bracket().state(n) == BoxState::Finished)
            byNumber << result(w->bracket(), n);
    QCOMPARE(lines(t, "TabuleVysledky"), byNumber);
}

void DisplayTest::finalNoticeThenWinner_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("lowerWins");
    for (int size : kBracketSizes)
        for (bool lower : {false, true})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(size).arg(lower ? "lower" : "upper")))
                << size << lower;
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
    const QString notice = QStringLiteral("Finále: ") + lower + QStringLiteral(" musí vyhrát dvakrát");
    QCOMPARE(text(t, "TabuleVitez"), notice);
    QVERIFY(label(t, "TabuleVitez")->isVisible());
    const int board = boardOf(b, fin.number);
    QVERIFY(shownBoards(t).contains(QStringLiteral("Terč %1: finále – ").arg(board) + upper + " : " + lower));
    keep(t, QStringLiteral("display%1-final").arg(size));

    enterResult(w, board, lowerWins ? "1" : "3", lowerWins ? "3" : "1");
    QCOMPARE(text(t, "TabuleVitez"), QStringLiteral("Vítěz turnaje: ") + (lowerWins ? lower : upper));
    QVERIFY(label(t, "TabuleVitez")->isVisible());
    QCOMPARE(t->page(), TTabule::Page::Bracket); // decided: the bracket stays
    QVERIFY(!t->alternates());
    keep(t, QStringLiteral("display%1-winner").arg(size));
    undo(w);
    QCOMPARE(text(t, "TabuleVitez"), notice);
    QVERIFY(t->alternates());
}

// Before the first call the bracket, and it stays; then turn and turn about, a new call bringing the
// boards back at once; the bracket page is the printout's drawing of the bracket as it stands.
void DisplayTest::pagesTakeTurnsWhileMatchesArePlayed()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    TTabule* t = openDisplay(app, w);
    QCOMPARE(t->pageInterval(), 20000);
    t->setPageInterval(40);
    auto* canvas = qobject_cast<BracketCanvas*>(child<QWidget>(t, "TabulePavouk"));
    QVERIFY(canvas);
    QLabel* board1 = label(t, "TabuleTerc1");
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Pavouk"));
    // The boards stay in view under the bracket, in a strip across the bottom.
    auto underTheBracket = [&] {
        const QRect board = QRect(board1->mapTo(t, QPoint(0, 0)), board1->size());
        const QRect bracket = QRect(canvas->mapTo(t, QPoint(0, 0)), canvas->size());
        return board1->isVisible() && board.top() >= bracket.bottom() && t->rect().contains(board);
    };
    QVERIFY(canvas->isVisible() && underTheBracket() && !t->alternates());

    clickButton(w, "SpeedButton2");
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Terče"));
    QVERIFY(board1->isVisible() && !canvas->isVisible() && t->alternates());
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Pavouk"), 2000);
    QVERIFY(canvas->isVisible() && underTheBracket());
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Terče"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), QStringLiteral("Pavouk"), 2000);
    t->setPageInterval(600000);

    // A result on the bracket page: soon the new drawing, the same as the printout's at this size.
    QTRY_VERIFY(canvas->isCurrent());
    const QImage before = canvas->grab().toImage();
    enterResult(w, 1, "3", "1");
    QTRY_VERIFY(canvas->isCurrent());
    QImage expected(canvas->size(), QImage::Format_RGB32);
    expected.setDotsPerMeterX(qRound(canvas->logicalDpiX() / 0.0254));
    expected.setDotsPerMeterY(qRound(canvas->logicalDpiY() / 0.0254));
    {
        QPainter p(&expected);
        paintBracket(p, expected.rect(), w->bracket(), app.session.lobby.header, BracketStyle::Screen);
    }
    const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, expected);
    QVERIFY(shown != before.convertToFormat(QImage::Format_RGB32));
    keep(t, QStringLiteral("display8-bracket-page"));

    clickButton(w, "SpeedButton2");
    QCOMPARE(text(t, "TabuleStrana"), QStringLiteral("Terče"));
    for (int guard = 0; guard < 20 && app.core().undoDescription(); ++guard)
        undo(w); // back to before the first call
    QCOMPARE(t->page(), TTabule::Page::Bracket);
    QVERIFY(!t->alternates());
}

void DisplayTest::placement_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("operatorWindow");
    QTest::addColumn<int>("screen");
    QTest::addColumn<bool>("fullScreen");
    const QRect hd(0, 0, 1920, 1080);
    const QRect tv(1920, 0, 1920, 1080);
    const QRect window(100, 100, 800, 600);
    QTest::newRow("one screen") << QList<QRect>{hd} << window << 0 << false;
    QTest::newRow("TV beside it") << QList<QRect>{hd, tv} << window << 1 << true;
    QTest::newRow("operator on the second") << QList<QRect>{hd, tv} << QRect(2000, 50, 800, 600) << 0 << true;
    QTest::newRow("projector on the left")
        << QList<QRect>{hd, QRect(-1280, 0, 1280, 720)} << QRect(0, 0, 1920, 1040) << 1 << true;
    QTest::newRow("across both: most of it counts") << QList<QRect>{hd, tv} << QRect(1700, 0, 800, 600) << 0 << true;
    QTest::newRow("mirrored screens are one") << QList<QRect>{hd, hd} << window << 0 << false;
    QTest::newRow("of two others the larger")
        << QList<QRect>{hd, QRect(1920, 0, 1024, 768), QRect(0, 1080, 3840, 2160)} << window << 2 << true;
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
    // Out of full-screen a good part of its screen, within it.
    const QRect on = screens[screen];
    QVERIFY(on.contains(p.window) && p.window.width() >= on.width() / 2 && p.window.width() < on.width());
}

// With two screens (the second CTest run) full-screen on the one the operator does not use; with one
// a window, which a double-click turns full-screen and back. Opening, updates, page turns and
// double-clicks leave the keyboard with the bracket window.
void DisplayTest::secondScreenOrAWindowAndTheKeyboardStays()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    activate(w);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(w, Qt::Key_F9);
    TTabule* t = app.Tabule;
    QVERIFY(QTest::qWaitForWindowExposed(t));
    auto keyboardStays = [&] {
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w));
        QCOMPARE(QApplication::focusWidget(), focus);
    };
    keyboardStays();
    for (QWidget* c : t->findChildren<QWidget*>())
        QVERIFY2(c->focusPolicy() == Qt::NoFocus, qPrintable(c->objectName()));
    if (QGuiApplication::screens().size() > 1) {
        QVERIFY(t->isFullScreen());
        QVERIFY(t->screen() != w->screen());
        QCOMPARE(t->geometry(), t->screen()->geometry());
    } else {
        QVERIFY(!t->isFullScreen());
        QVERIFY(t->screen()->geometry().contains(t->geometry()));
    }

    const bool wasFullScreen = t->isFullScreen();
    QTest::mouseDClick(t, Qt::LeftButton);
    QTRY_COMPARE(t->isFullScreen(), !wasFullScreen);
    keyboardStays();
    // On a label or the bracket as well.
    QWidget* on = t->childAt(t->rect().center());
    QVERIFY(on);
    QTest::mouseDClick(on, Qt::LeftButton);
    QTRY_COMPARE(t->isFullScreen(), wasFullScreen);

    t->setPageInterval(20);
    clickButton(w, "SpeedButton2");
    QTest::qWait(100); // a few page turns
    keyboardStays();
    // Ctrl+1 opens the first board's result in the bracket window; the display follows.
    Dialogs::script([](QDialog* d) {
        typeScores(d, "3", "1");
        clickButton(d, "Button1");
    });
    QTest::keyClick(focus ? focus : w, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(text(t, "TabuleTerc1"), QStringLiteral("Terč 1: volný"));

    if (!t->isFullScreen()) { // moved by the operator, it comes back where it was left
        t->setGeometry(200, 150, 900, 500);
        displayAction(w)->trigger();
        displayAction(w)->trigger();
        QCOMPARE(t->geometry(), QRect(200, 150, 900, 500));
    }
    activate(w); // the closed dialog gives the keyboard back, as a desktop does
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
    for (const QString& name : names)
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2);
    TTabule* t = openDisplay(app, w);
    for (QLabel* l : t->findChildren<QLabel*>())
        QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    QCOMPARE(text(t, "TabuleNazev"), QStringLiteral("<i>Liga</i> – &amp; – <br>"));
    for (int guard = 0; guard < 10 && !shownBoards(t).join(' ').contains(QStringLiteral(" <b>Eva</b>")); ++guard) {
        finishBoards(w);
        clickButton(w, "SpeedButton2");
    }
    QVERIFY(shownBoards(t).join(' ').contains(QStringLiteral(" <b>Eva</b>")));
    QCOMPARE(shownBoards(t), expectedBoards(w->bracket()));
}

void DisplayTest::fitting_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("room");         // 0: the longest fits at 30 of 40 pixels; -1: not even at 20
    QTest::addColumn<QList<int>>("sizes"); // 40 as it is, 0 smaller, 20 half size and cut
    const QString line = QStringLiteral("Terč 1: zápas 5 – Petr Novák : Jan Pokorný");
    QTest::newRow("fits as it is") << QStringList{line} << 4000 << QList<int>{40};
    QTest::newRow("shrinks to fit") << QStringList{line} << 0 << QList<int>{0};
    QTest::newRow("cut only at half size") << QStringList{line + line} << -1 << QList<int>{20};
    QTest::newRow("each line on its own") << QStringList{"krátký", line, "x"} << 0 << QList<int>{40, 0, 40};
}

// The nominal size when it fits, else the largest that fits, never below half; only then cut short.
// A list shares the smallest size; rows too many for the height come closer.
void DisplayTest::fitting()
{
    QFETCH(QStringList, lines);
    QFETCH(int, room);
    QFETCH(QList<int>, sizes);
    QFont font;
    auto widthAt = [&](const QString& line, int px) {
        font.setPixelSize(px);
        return QFontMetrics(font).horizontalAdvance(line);
    };
    int longest = 0;
    for (const QString& l : lines)
        longest = std::max(longest, widthAt(l, 30));
    const int across = room == 0 ? longest + 1 : room < 0 ? longest / 3 : room;
    const FittedLines f = fitLines(lines, font, 40, QSize(across + 1, 2000));
    QCOMPARE(f.rowSize, 40);
    QCOMPARE(f.sizes.size(), sizes.size());
    QCOMPARE(f.cut, sizes.contains(20));
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const int px = f.sizes[i];
        QVERIFY(widthAt(f.lines[i], px) <= across);
        if (sizes[i] == 20) {
            QCOMPARE(px, 20);
            QVERIFY(f.lines[i].endsWith(QChar(0x2026)));
            continue;
        }
        QCOMPARE(f.lines[i], lines[i]);
        QCOMPARE(px == 40, sizes[i] == 40);
        if (px < 40)
            QVERIFY(px > 20 && widthAt(lines[i], px + 1) > across); // the largest that fits
    }
    const FittedLines list = fitLines(lines, font, 40, QSize(across + 1, 2000), true);
    QCOMPARE(list.lines, f.lines);
    QCOMPARE(list.sizes, QList<int>(f.sizes.size(), *std::min_element(f.sizes.begin(), f.sizes.end())));
    font.setPixelSize(40);
    const int tall = QFontMetrics(font).lineSpacing() * int(lines.size());
    const FittedLines low = fitLines(lines, font, 40, QSize(10000, tall * 3 / 4));
    QVERIFY(low.rowSize < 40 && low.rowSize >= 20);
    QVERIFY(std::all_of(low.sizes.begin(), low.sizes.end(), [&](int px) { return px <= low.rowSize; }));
}

void DisplayTest::legibleAcrossTheRoom_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1920x1080") << QSize(1920, 1080);
    QTest::newRow("1280x720") << QSize(1280, 720);
}

// Ten boards on a TV: every board line 40 pixels high at least (two thirds of that at 1280x720),
// long names shrunk rather than cut while half the size holds them.
void DisplayTest::legibleAcrossTheRoom()
{
    QFETCH(QSize, screen);
    UiTestEnv env;
    Zorbon app;
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Mistrovství kraje", "Kulturní dům", "6. 9. 2025"}).ok());
    QStringList names = playerNames(32);
    for (int i = 0; i < 32; i += 2)
        names[i] += QStringLiteral(" Procházková-Dvořáková");
    for (const QString& name : names)
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 10);
    displayAction(w)->trigger();
    TTabule* t = app.Tabule;
    t->setWindowState(Qt::WindowNoState);
    t->resize(screen);
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    clickButton(w, "SpeedButton2");
    QCOMPARE(t->size(), screen);
    keep(t, QStringLiteral("display32-%1x%2").arg(screen.width()).arg(screen.height()));

    // The boards share one size; a board whose line fits at it stands whole.
    const int shared = static_cast<FitLabel*>(label(t, "TabuleTerc1"))->lineSizes().value(0);
    int whole = 0;
    for (int n = 1; n <= 10; ++n) {
        auto* board = static_cast<FitLabel*>(label(t, QStringLiteral("TabuleTerc%1").arg(n)));
        QVERIFY(board->isVisible() && t->rect().contains(board->geometry()));
        QVERIFY2(board->height() >= 40 * screen.height() / 1080, qPrintable(QString::number(board->height())));
        QCOMPARE(board->lineSizes().value(0), shared);
        QFont f = board->font();
        f.setPixelSize(shared);
        if (QFontMetrics(f).horizontalAdvance(board->fullText()) < board->contentsRect().width() - 1) {
            QCOMPARE(board->text(), board->fullText());
            ++whole;
        }
    }
    QVERIFY(whole > 0);
    QVERIFY(shared >= 12);
    QVERIFY(!static_cast<FitLabel*>(label(t, "TabuleNazev"))->isCut());
    QVERIFY(lines(t, "TabuleVysledky").size() == 5 && !lines(t, "TabuleNaRade").isEmpty());
}

// Ten boards of names long and short: every board line at one size, the largest the longest fits.
void DisplayTest::boardLinesShareOneSize()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Zimní liga", "Brno", "9. 12. 2026"}).ok());
    QStringList names = playerNames(32);
    names[0] = QStringLiteral("Přemysl Řezníček-Žďárský z Úlehlovic");
    names[31] = QStringLiteral("Ota");
    for (const QString& n : names)
        QVERIFY(app.core().addPlayer(n.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 10);
    TTabule* t = openDisplay(app, w);
    clickButton(w, "SpeedButton2");
    for (const QString& page : {QStringLiteral("Terče"), QStringLiteral("Pavouk")}) {
        QTRY_COMPARE_WITH_TIMEOUT(text(t, "TabuleStrana"), page, 2000);
        QSet<int> sizes;
        int largest = 0;
        for (int n = 1; n <= 10; ++n) {
            auto* board = static_cast<FitLabel*>(label(t, QStringLiteral("TabuleTerc%1").arg(n)));
            QVERIFY(board->isVisible());
            for (const int px : board->lineSizes())
                sizes.insert(px);
            // The size is what the longest line needs: one pixel more and some line would not fit.
            QFont f = board->font();
            f.setPixelSize(board->lineSizes().front() + 1);
            largest =
                std::max(largest, QFontMetrics(f).horizontalAdvance(board->fullText()) - board->contentsRect().width());
        }
        QVERIFY2(sizes.size() == 1, qPrintable(page + QStringLiteral(": %1 sizes").arg(sizes.size())));
        QVERIFY2(largest > -2, qPrintable(page));
        t->setPageInterval(50);
    }
}

// "Na celou obrazovku" (F11) beside "Tabule pro hráče", and in the display's own context menu.
void DisplayTest::fullScreenFromTheMenus()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    TTabule* t = app.Tabule;
    QAction* full = child<QAction>(w, "TabuleCelaObrazovka1");
    QCOMPARE(full->shortcut(), QKeySequence(Qt::Key_F11));
    full->trigger(); // a closed display opens full-screen
    QVERIFY(t->isVisible() && t->isFullScreen());
    full->trigger();
    QVERIFY(t->isVisible() && !t->isFullScreen());
    // Its context menu does the same.
    QTimer::singleShot(0, [t] {
        QMenu* menu = t->findChild<QMenu*>(QStringLiteral("TabuleMenu"));
        QVERIFY(menu);
        QAction* entry = menu->findChild<QAction*>(QStringLiteral("TabuleCelaObrazovka"));
        QVERIFY(entry && entry->text().remove('&') == QStringLiteral("Na celou obrazovku"));
        QCOMPARE(entry->shortcut(), QKeySequence(Qt::Key_F11));
        entry->trigger();
        menu->close();
    });
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(10, 10), t->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(t, &e);
    QVERIFY(t->isFullScreen());
    activate(w);
    QTest::keyClick(w, Qt::Key_F11);
    QVERIFY(!t->isFullScreen());
}

QTEST_MAIN(DisplayTest)
#include "display_test.moc"
