// The dialogs around the bracket windows: the draw question and its refusals, the board count,
// board clicks and the result dialog's score fields.

#include "bracketui.h"
#include "tournament/tournament.h"

#include "bracketwindow/TZadejVysledek.h"

#include <QFile>
#include <QPlainTextEdit>

using namespace bracketui;

namespace {

// Registers n players under numbered names (more than the test name list holds).
void registerNumbered(Zorbon& app, int n)
{
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Turnaj", "", ""}).ok());
    for (int i = 1; i <= n; ++i)
        QVERIFY(app.core().addPlayer(QStringLiteral("Hráč %1").arg(i).toStdString()).ok());
    app.HlavniOkno->refresh();
}

QByteArray recordBytes()
{
    QFile f(QString::fromUtf8(kRecordPath));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

bool anyBracketVisible(Zorbon& app)
{
    return app.bracketWindow(8)->isVisible() || app.bracketWindow(16)->isVisible() ||
           app.bracketWindow(32)->isVisible();
}

} // namespace

class BracketDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void drawQuestion();
    void drawNeChangesNothing();
    void drawRefusals_data();
    void drawRefusals();
    void boardCountDialog_data();
    void boardCountDialog();
    void boardCountKeptAndRefusedWhileBusy();
    void boardClicks();
    void resultDialogScoreFields();
    void nextTournamentStartsClean();
};

void BracketDialogsTest::drawQuestion()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 5);
    Dialogs::script([](QDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("TRozlosovani"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Rozlosovani"));
        QCOMPARE(child<QLabel>(d, "Label1")->text(),
                 QStringLiteral("Opravdu chcete provést rozlosování (nebude již možná další registrace hráčů) ???"));
        QVERIFY(child<QLabel>(d, "Label1")->font().bold());
        QCOMPARE(child<QPushButton>(d, "Button1")->text(), QStringLiteral("Ano"));
        QCOMPARE(child<QPushButton>(d, "Button2")->text(), QStringLiteral("Ne"));
        QCOMPARE(d->palette().color(QPalette::Window).rgba(), kSkyBlue);
        clickButton(d, "Button2");
    });
    app.HlavniOkno->SpeedButton4Click();
    QCOMPARE(Dialogs::unanswered(), 0);
}

void BracketDialogsTest::drawNeChangesNothing()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 6);
    const QByteArray before = recordBytes();
    app.core().editableSession().brackets.bySize(8).setName(0, "stopa");
    Dialogs::script([](QDialog* d) { clickButton(d, "Button2"); });
    app.HlavniOkno->SpeedButton4Click();
    QCOMPARE(recordBytes(), before);
    QCOMPARE(app.session.lobby.registered.size(), std::size_t(6));
    QCOMPARE(app.session.brackets.bySize(8).name(0), std::string("stopa"));
    QVERIFY(app.HlavniOkno->isVisible());
    QVERIFY(!anyBracketVisible(app));
}

void BracketDialogsTest::drawRefusals_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<QString>("message");
    QTest::newRow("2") << 2 << QStringLiteral("Je registrováno málo hráčů");
    QTest::newRow("65") << 65 << QStringLiteral("Je registrováno příliš mnoho hráčů");
}

// The refused draws keep the main window usable, open no bracket and no board-count dialog.
void BracketDialogsTest::drawRefusals()
{
    QFETCH(int, players);
    QFETCH(QString, message);
    UiTestEnv env;
    Zorbon app;
    registerNumbered(app, players);
    Dialogs::clearShown();
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    app.HlavniOkno->SpeedButton4Click();
    QCOMPARE(Dialogs::messages(), QStringList{message});
    QCOMPARE(Dialogs::unanswered(), 0);
    QVERIFY(!app.Rozlosovani->isVisible());
    QVERIFY(app.HlavniOkno->isVisible());
    QVERIFY(!anyBracketVisible(app));
    QCOMPARE(ReadRecord().FirstOpenMatch, 1);
    QCOMPARE(ReadRecord().BoardCount, 0);
    QCOMPARE(ReadRecord().PlayerCount, players);
    if (players < 4)
        QCOMPARE(child<QPlainTextEdit>(app.HlavniOkno, "Memo1")->toPlainText().count('\n'), players - 1);
}

void BracketDialogsTest::boardCountDialog_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("maximum");
    QTest::newRow("8") << 8 << QStringLiteral("Zadejte počet terčů (max 2) :") << 2;
    QTest::newRow("9") << 9 << QStringLiteral("Zadejte počet terčů (max 4) :") << 4;
    QTest::newRow("17") << 17 << QStringLiteral("Zadejte počet terčů (max 10) :") << 10;
}

// Right after the draw; closing it without OK leaves no board in play.
void BracketDialogsTest::boardCountDialog()
{
    QFETCH(int, players);
    QFETCH(QString, prompt);
    QFETCH(int, maximum);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, players);
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    Dialogs::script([&](QDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Počet terčů"));
        QCOMPARE(d->palette().color(QPalette::Window).rgba(), kLime);
        QCOMPARE(child<QLabel>(d, "Label1")->text(), prompt);
        QSpinBox* spin = child<QSpinBox>(d, "SpinEdit1");
        QCOMPARE(spin->minimum(), 0);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->value(), 0);
        spin->setValue(maximum + 5);
        QCOMPARE(spin->value(), maximum);
        QCOMPARE(child<QPushButton>(d, "Button1")->text(), QStringLiteral("OK"));
        // closed by its frame: no OK
    });
    app.HlavniOkno->SpeedButton4Click();
    TBracketWindow* w = app.bracketWindow(bracketSizeFor(players));
    QVERIFY(w->isVisible());
    QCOMPARE(ReadRecord().BoardCount, 0);
    QVERIFY(!child<QWidget>(w, "Terc1")->isVisibleTo(w));
}

void BracketDialogsTest::boardCountKeptAndRefusedWhileBusy()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    QVERIFY(child<QWidget>(w, "Terc2")->isVisible());
    QVERIFY(label(w, QStringLiteral("Label52"))->isVisible());
    QVERIFY(!child<QWidget>(w, "Terc3")->isVisibleTo(w));

    // The number entered last is offered again; 1 hides board 2 and its numeral.
    Dialogs::script([](QDialog* d) {
        QCOMPARE(child<QSpinBox>(d, "SpinEdit1")->value(), 2);
        child<QSpinBox>(d, "SpinEdit1")->setValue(1);
        clickButton(d, "Button1");
    });
    clickButton(w, "SpeedButton1");
    QCOMPARE(ReadRecord().BoardCount, 1);
    QVERIFY(child<QWidget>(w, "Terc1")->isVisible());
    QVERIFY(!child<QWidget>(w, "Terc2")->isVisible());
    QVERIFY(!label(w, QStringLiteral("Label52"))->isVisible());

    // The menu entry does the same as the button; refused while a board holds a match.
    clickButton(w, "SpeedButton2");
    Dialogs::clearShown();
    w->findChild<QAction*>(QStringLiteral("Tere1"))->trigger();
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Nelze měnit počet terčů, je-li některý z nich obsazen")});
    QCOMPARE(Dialogs::unanswered(), 0);
}

void BracketDialogsTest::boardClicks()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    Dialogs::clearShown();
    click(child<QWidget>(w, "Terc1"));
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Terč je momentálně volný")});

    // An occupied board opens the result dialog with "0" : "0" and the players of lines 1 and 2.
    clickButton(w, "SpeedButton2");
    const Board board = w->bracket().board(2);
    QCOMPARE(label(w, QStringLiteral("Terc2"))->text(),
             QStringLiteral("%1\n%2\n%3").arg(board.match).arg(s(board.player1), s(board.player2)));
    QCOMPARE(label(w, QStringLiteral("Terc2"))->cursor().shape(), Qt::PointingHandCursor);
    Dialogs::script([&](QDialog* d) {
        QCOMPARE(d, static_cast<QDialog*>(app.resultDialog(8)));
        QCOMPARE(child<QLabel>(d, "Label1")->text(), s(board.player1));
        QCOMPARE(child<QLabel>(d, "Label2")->text(), s(board.player2));
        QCOMPARE(child<QLabel>(d, "Label5")->text(), QStringLiteral("2"));
        QVERIFY(!child<QLabel>(d, "Label5")->isVisible());
        QCOMPARE(child<QLabel>(d, "Label3")->text(), QStringLiteral("Výsledek zápasu"));
        QCOMPARE(child<QPushButton>(d, "Button2")->text(), QStringLiteral("Storno"));
        clickButton(d, "Button2");
    });
    click(child<QWidget>(w, "Terc2"));
    QCOMPARE(Dialogs::unanswered(), 0);
    enterResult(w, 2, QStringLiteral("0"), QStringLiteral("3"));
    Dialogs::clearShown();
    click(child<QWidget>(w, "Terc2"));
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Terč je momentálně volný")});
}

void BracketDialogsTest::resultDialogScoreFields()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 16);
    TBracketWindow* w = draw(app, 1);
    clickButton(w, "SpeedButton2");
    const auto& box = w->bracket().table().box(1);
    Dialogs::clearShown();
    QString typed;
    bool openAfterEmpty = false;
    Dialogs::script([&](QDialog* d) {
        QLineEdit* e1 = child<QLineEdit>(d, "Edit1");
        QCOMPARE(e1->text(), QStringLiteral("0"));
        e1->clear();
        QTest::keyClicks(e1, QStringLiteral("1a 2-"));
        QTest::keyClick(e1, Qt::Key_Backspace);
        QTest::keyClicks(e1, QStringLiteral("5"));
        typed = e1->text();
        // An emptied field is no number: the error shows and the dialog stays.
        child<QLineEdit>(d, "Edit2")->clear();
        clickButton(d, "Button1");
        openAfterEmpty = d->isVisible();
        clickButton(d, "Button2");
    });
    click(child<QWidget>(w, "Terc1"));
    QCOMPARE(typed, QStringLiteral("15"));
    int beeps = 0;
    for (const auto& shown : Dialogs::shown())
        beeps += shown.kind == Dialogs::Kind::Beep;
    QCOMPARE(beeps, 3);
    QVERIFY(openAfterEmpty);
    QCOMPARE(Dialogs::messages().size(), 1);
    QCOMPARE(Dialogs::shown().last().kind, Dialogs::Kind::Error);
    QCOMPARE(colourOfFrame(w, s(box.frame)), kLime);
    QCOMPARE(label(w, s(w->bracket().table().slot(box.upper).score))->text(), QStringLiteral(" 0"));

    // Big scores have no upper limit; the names move on.
    const QString upper = s(w->bracket().name(box.upper));
    enterResult(w, 1, QStringLiteral("501"), QStringLiteral("0"));
    QCOMPARE(label(w, s(w->bracket().table().slot(box.upper).score))->text(), QStringLiteral(" 501"));
    QCOMPARE(label(w, s(w->bracket().table().slot(box.winnerTo).name))->text(), upper);
}

// A draw after a closed tournament shows nothing of the old one in any of the three windows.
void BracketDialogsTest::nextTournamentStartsClean()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w8 = draw(app, 2);
    playToFinal(w8);
    enterResult(w8, boardOf(w8->bracket(), 14), QStringLiteral("2"), QStringLiteral("0"));
    QVERIFY(label(w8, QStringLiteral("LabVitez"))->text().startsWith(QStringLiteral("Vítěz turnaje : ")));
    Dialogs::answer(true);
    w8->close();
    QVERIFY(app.HlavniOkno->isVisible());

    registerNumbered(app, 17);
    TBracketWindow* w32 = draw(app, 3);
    QCOMPARE(w32->size(), 32);
    QVERIFY(!w8->isVisible());
    QCOMPARE(label(w8, QStringLiteral("LabVitez"))->text(), QStringLiteral("Vítězem je : "));
    const AdvancementTable& t8 = tableFor(8);
    for (const auto& box : t8.boxes) {
        QCOMPARE(colourOfFrame(w8, s(box.frame)), kSkyBlue);
        for (SlotId id : {box.upper, box.lower}) {
            QCOMPARE(label(w8, s(t8.slot(id).name))->text(), QStringLiteral(" ?"));
            QCOMPARE(label(w8, s(t8.slot(id).score))->text(), QStringLiteral(" 0"));
            QCOMPARE(colourOfCell(w8, s(t8.slot(id).name)), kSkyBlue);
        }
    }
    QVERIFY(child<QWidget>(w32, "Terc3")->isVisible());
    QVERIFY(!child<QWidget>(w32, "Terc4")->isVisibleTo(w32));
}

QTEST_MAIN(BracketDialogsTest)
#include "bracket_dialogs_test.moc"
