// "Zpět" and "Znovu" in the bracket windows: where they stand in the menu and their keys, the
// question and its "Ne", the two messages when there is nothing to do, the rest while a correction
// is open, and what comes back: cells, colours, boards, the record's board count, a correction.

#include "bracketui.h"

#include "tournament/tournament.h"

#include <QMenu>
#include <QMenuBar>

using namespace bracketui;

namespace {

QString picture(TBracketWindow* w)
{
    QString out;
    const Bracket& b = w->bracket();
    for (const SlotSpec& slot : b.table().slotSpecs) {
        out += label(w, QString::fromStdString(slot.name))->text() + QLatin1Char('/');
        out += label(w, QString::fromStdString(slot.score))->text() + QLatin1Char('/');
        out += QString::number(colourOfCell(w, QString::fromStdString(slot.name)), 16) + QLatin1Char(';');
    }
    for (int n = 1; n <= b.boardCount(); ++n) {
        QLabel* board = label(w, QStringLiteral("Terc%1").arg(n));
        out += board->text() + QString::number(colourOfCell(w, board->objectName()), 16) + QLatin1Char(';');
    }
    return out + label(w, QStringLiteral("LabVitez"))->text();
}

QAction* action(TBracketWindow* w, const char* name)
{
    return child<QAction>(w, name);
}

// "Zpět" answered Ano or Ne; returns the question asked.
QString undo(TBracketWindow* w, bool ano)
{
    QString question;
    Dialogs::script([&question, ano](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TVratitZpet"));
        question = child<QLabel>(d, "Label1")->text();
        clickButton(d, ano ? "Button1" : "Button2");
    });
    action(w, "Zpet1")->trigger();
    return question;
}

} // namespace

class UndoWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuAndKeys_data();
    void menuAndKeys();
    void nothingToUndoOrRedo();
    void takesBackAResultAndPutsItBack_data();
    void takesBackAResultAndPutsItBack();
    void takesBackAHrajWithAllItsCalls();
    void takesBackABoardCountAndACorrection();
    void restsWhileACorrectionIsOpen();
    void aNewCommandEndsWhatCanBeRedone();
};

void UndoWindowTest::menuAndKeys_data()
{
    QTest::addColumn<int>("players");
    QTest::newRow("8") << 6;
    QTest::newRow("16") << 12;
    QTest::newRow("32") << 20;
    QTest::newRow("64") << 40;
}

void UndoWindowTest::menuAndKeys()
{
    QFETCH(int, players);
    DrawnTournament t;
    STEP(t.registerAndDraw(players, 2));
    TBracketWindow* w = t.w;
    QMenu* prikazy = child<QMenu>(w, "Pkazy1");
    QStringList items;
    for (QAction* a : prikazy->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    // The original commands first, then undo behind a separator.
    QCOMPARE(items.mid(0, 6),
             (QStringList{QStringLiteral("&Terče"), QStringLiteral("&Hraj"), QStringLiteral("&Výsledková listina"),
                          QStringLiteral("-"), QStringLiteral("&Zpět"), QStringLiteral("Z&novu")}));
    QCOMPARE(action(w, "Zpet1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(action(w, "Znovu1")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));

    // The keys work from the window.
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    const QString after = picture(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Dialogs::unanswered(), 0);
    QVERIFY(picture(w) != after);
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(picture(w), after);
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(picture(w) != after);
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(picture(w), after);
}

void UndoWindowTest::nothingToUndoOrRedo()
{
    DrawnTournament t;
    STEP(t.registerAndDraw(8, 2));
    TBracketWindow* w = t.w;
    // The draw and the board count it asks for are the floor.
    Dialogs::clearShown();
    action(w, "Zpet1")->trigger();
    action(w, "Znovu1")->trigger();
    QCOMPARE(Dialogs::messages(),
             (QStringList{QStringLiteral("Není co vrátit zpět"), QStringLiteral("Není co zopakovat")}));
    QCOMPARE(ReadRecord().BoardCount, 2);
}

void UndoWindowTest::takesBackAResultAndPutsItBack_data()
{
    QTest::addColumn<int>("players");
    QTest::newRow("8 window") << 8;
    QTest::newRow("16 window") << 16;
    QTest::newRow("32 window") << 32;
    QTest::newRow("64 window") << 64;
}

void UndoWindowTest::takesBackAResultAndPutsItBack()
{
    QFETCH(int, players);
    DrawnTournament t;
    STEP(t.registerAndDraw(players, 2));
    TBracketWindow* w = t.w;
    clickButton(w, "SpeedButton2");
    const QString called = picture(w);
    const Board board = w->bracket().board(1);
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    const QString decided = picture(w);
    QVERIFY(decided != called);

    // "Ne" changes nothing.
    Dialogs::clearShown();
    const QString question = undo(w, false);
    QCOMPARE(question, QStringLiteral("Opravdu vrátit zpět: výsledek zápasu %1 (%2 3 : 1 %3) ???")
                           .arg(board.match)
                           .arg(s(board.player1), s(board.player2)));
    QCOMPARE(picture(w), decided);

    // "Ano": the match is back on its board, lime, and no message of the result is shown again.
    undo(w, true);
    QCOMPARE(picture(w), called);
    QCOMPARE(w->bracket().state(board.match), BoxState::OnBoard);
    QCOMPARE(colourOfCell(w, QStringLiteral("Terc1")), kLime);
    QVERIFY(Dialogs::messages().isEmpty());

    // "Znovu" puts it back without a question.
    action(w, "Znovu1")->trigger();
    QCOMPARE(Dialogs::unanswered(), 0);
    QCOMPARE(picture(w), decided);
    QVERIFY(Dialogs::messages().isEmpty());
}

void UndoWindowTest::takesBackAHrajWithAllItsCalls()
{
    DrawnTournament t;
    STEP(t.registerAndDraw(16, 3));
    TBracketWindow* w = t.w;
    const QString before = picture(w);
    clickButton(w, "SpeedButton2");
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(w->bracket().board(n).state, BoardState::Occupied);
    const QString question = undo(w, true);
    QCOMPARE(question, QStringLiteral("Opravdu vrátit zpět: nasazení na terče (zápas 1 na terč č.1, zápas 2 na terč "
                                      "č.2, zápas 3 na terč č.3) ???"));
    QCOMPARE(picture(w), before);
    // A call by a click is one command of its own.
    click(label(w, QStringLiteral("Lab4")));
    QCOMPARE(w->bracket().state(4), BoxState::OnBoard);
    QVERIFY(undo(w, true).startsWith(QStringLiteral("Opravdu vrátit zpět: nasazení zápasu 4 na terč č.1 (")));
    QCOMPARE(picture(w), before);
}

void UndoWindowTest::takesBackABoardCountAndACorrection()
{
    DrawnTournament t;
    STEP(t.registerAndDraw(8, 2));
    TBracketWindow* w = t.w;
    // A board count set with "Terče": the record's field 2 is written back too.
    Dialogs::script([](QDialog* d) {
        child<QSpinBox>(d, "SpinEdit1")->setValue(1);
        clickButton(d, "Button1");
    });
    clickButton(w, "SpeedButton1");
    QCOMPARE(ReadRecord().BoardCount, 1);
    QCOMPARE(undo(w, true), QStringLiteral("Opravdu vrátit zpět: nastavení počtu terčů na 1 ???"));
    QCOMPARE(ReadRecord().BoardCount, 2);
    QVERIFY(label(w, QStringLiteral("Terc2"))->isVisibleTo(w));

    // A correction: the names go back where the result had put them.
    clickButton(w, "SpeedButton2");
    const int match = w->bracket().board(1).match;
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    const QString decided = picture(w);
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, QString::fromStdString(w->bracket().table().slot(w->bracket().table().box(match).upper).name)));
    QVERIFY(w->bracket().correctionMode);
    typeScores(w, QStringLiteral("1"), QStringLiteral("3"));
    clickButton(w, "Button1");
    QVERIFY(!w->bracket().correctionMode);
    QVERIFY(picture(w) != decided);
    QVERIFY(undo(w, true).startsWith(QStringLiteral("Opravdu vrátit zpět: oprava výsledku zápasu %1 (").arg(match)));
    QCOMPARE(picture(w), decided);
}

void UndoWindowTest::restsWhileACorrectionIsOpen()
{
    DrawnTournament t;
    STEP(t.registerAndDraw(8, 2));
    TBracketWindow* w = t.w;
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, QStringLiteral("Lab1")));
    QVERIFY(w->bracket().correctionMode);
    QVERIFY(!action(w, "Zpet1")->isEnabled());
    QVERIFY(!action(w, "Znovu1")->isEnabled());
    const QString open = picture(w);
    Dialogs::clearShown();
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    w->Zpet1Click(); // the handler itself does nothing either
    QCOMPARE(picture(w), open);
    QVERIFY(Dialogs::shown().isEmpty());
    clickButton(w, "Button2"); // Storno
    QVERIFY(action(w, "Zpet1")->isEnabled());
}

void UndoWindowTest::aNewCommandEndsWhatCanBeRedone()
{
    DrawnTournament t;
    STEP(t.registerAndDraw(8, 2));
    TBracketWindow* w = t.w;
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    undo(w, true);
    enterResult(w, 1, QStringLiteral("0"), QStringLiteral("2"));
    Dialogs::clearShown();
    action(w, "Znovu1")->trigger();
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Není co zopakovat")});
}

QTEST_MAIN(UndoWindowTest)
#include "undo_window_test.moc"
