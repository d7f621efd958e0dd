#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "bracketwindow/TOprava.h"
#include "common/TOprogramu.h"
#include "lobbytest.h"
#include "mainwindow/TNovyTurnaj.h"
#include "mainwindow/TOpravduOdebrat.h"
#include "mainwindow/TRegistrace.h"
#include "mainwindow/TRozlosovani.h"
#include "mainwindow/TSmazRegistraci.h"
#include "mainwindow/TZpravaNovyTurnaj.h"
#include "mobile/MobileService.h"
#include "mobile/TMobil.h"
#include "records/record.h"
#include "tournament/tournament.h"

#include <QComboBox>
#include <QFile>

#include <functional>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

// A dialog whose controls start-up must not make, and the operator's usual way to it from a
// started program: `open` queues what is done in it and opens it; `after` checks what that did.
struct Opening {
    const char* name;
    std::function<QDialog*(Zorbon&)> window;
    std::function<void(Zorbon&)> open;
    std::function<void(Zorbon&)> after;
};

void withTournament(Zorbon& app, const QStringList& players = {})
{
    QVERIFY(app.core().acceptNewTournament({"Jarní", "Hospoda", "1. 5."}).ok());
    for (const QString& p : players)
        QVERIFY(app.core().addPlayer(p.toStdString()).ok());
    app.HlavniOkno->refresh();
}

void answersNe(QDialog* d, const QString& question)
{
    QCOMPARE(labelText(d, "Label1"), question);
    click(d, "Button2");
}

const std::vector<Opening>& openings()
{
    static const std::vector<Opening> table = {
        {"TRegistrace", [](Zorbon& a) -> QDialog* { return a.Registrace; },
         [](Zorbon& a) {
             withTournament(a);
             Dialogs::script([](QDialog* d) {
                 QCOMPARE(labelText(d, "Label2"), QStringLiteral("Počet přihlášených hráčů : 0"));
                 QCOMPARE(d->focusWidget(), child<QLineEdit>(d, "JmenoHrace"));
                 type(d, "JmenoHrace", "Eva");
                 click(d, "Button1");
                 QCOMPARE(memoText(d), QStringLiteral("Eva"));
                 click(d, "Button2");
             });
             click(a.HlavniOkno, "SpeedButton2");
         },
         [](Zorbon& a) { QCOMPARE(a.session.lobby.count, 1); }},
        {"TNovyTurnaj", [](Zorbon& a) -> QDialog* { return a.NovyTurnaj; },
         [](Zorbon& a) { createTournament(a, "Letní", "U Šípku", "2. 6."); },
         [](Zorbon& a) { QCOMPARE(a.session.lobby.header.place, std::string("U Šípku")); }},
        {"TZpravaNovyTurnaj", [](Zorbon& a) -> QDialog* { return a.ZpravaNovyTurnaj; },
         [](Zorbon& a) {
             withTournament(a);
             Dialogs::script([](QDialog* d) {
                 answersNe(d, QStringLiteral("Je založen turnaj Jarní. Chcete jej smazat a začít nový ???"));
             });
             click(a.HlavniOkno, "SpeedButton1");
         },
         [](Zorbon& a) { QCOMPARE(a.session.lobby.header.name, std::string("Jarní")); }},
        {"TSmazRegistraci", [](Zorbon& a) -> QDialog* { return a.SmazRegistraci; },
         [](Zorbon& a) {
             withTournament(a, {"Eva", "Jan"});
             Dialogs::script([](QDialog* d) {
                 QCOMPARE(labelText(d, "Label1"),
                          QStringLiteral("Opravdu chcete smazat všechny registrované hráče ???"));
                 click(d, "Button1");
             });
             click(a.HlavniOkno, "SpeedButton3");
         },
         [](Zorbon& a) { QCOMPARE(a.session.lobby.count, 0); }},
        {"TRozlosovani", [](Zorbon& a) -> QDialog* { return a.Rozlosovani; },
         [](Zorbon& a) {
             withTournament(a, {"Eva", "Jan", "Ota", "Petr", "Jana", "Ivan"});
             Dialogs::script([](QDialog* d) {
                 answersNe(d, QStringLiteral("Opravdu chcete provést rozlosování (nebude již možná další registrace "
                                             "hráčů) ???"));
             });
             click(a.HlavniOkno, "SpeedButton4");
         },
         [](Zorbon& a) { QCOMPARE(a.session.activeSize, 0); }},
        {"TOpravduOdebrat", [](Zorbon& a) -> QDialog* { return a.OpravduOdebrat; },
         [](Zorbon& a) {
             withTournament(a, {"Eva", "Jan"});
             Dialogs::script([](QDialog* d) {
                 child<QComboBox>(d, "ComboBox1")->setCurrentText(QStringLiteral("Jan"));
                 click(d, "button1");
             });
             Dialogs::script([](QDialog* d) {
                 QCOMPARE(labelText(d, "Label1"), QStringLiteral("Opravdu odebrat hráče Jan ?"));
                 click(d, "Button1");
             });
             click(a.HlavniOkno, "OdeberHrace1");
         },
         [](Zorbon& a) { QCOMPARE(a.session.lobby.count, 1); }},
        {"TOprogramu",
         [](Zorbon& a) -> QDialog* { return a.Oprogramu; },
         [](Zorbon& a) {
             Dialogs::script([](QDialog* d) {
                 QCOMPARE(labelText(d, "Label1"), QStringLiteral("Zorbon"));
                 QVERIFY(!child<QLabel>(d, "Image1")->pixmap().isNull());
             });
             click(a.HlavniOkno, "Oprogramu1");
         },
         {}},
        // The bracket window asks its own size's question before a correction.
        {"TOprava8",
         [](Zorbon& a) -> QDialog* { return a.correctionDialog(8); },
         [](Zorbon& a) {
             Dialogs::script([](QDialog* d) {
                 QCOMPARE(labelText(d, "Label1"), QStringLiteral("Opravdu chcete opravit  výsledek ???"));
                 click(d, "Button1");
             });
             QVERIFY(a.bracketWindow(8)->confirmCorrection());
         },
         {}},
        {"TOprava16",
         [](Zorbon& a) -> QDialog* { return a.correctionDialog(16); },
         [](Zorbon& a) {
             Dialogs::script([](QDialog* d) { click(d, "Button2"); });
             QVERIFY(!a.bracketWindow(16)->confirmCorrection());
         },
         {}},
        {"TOprava32",
         [](Zorbon& a) -> QDialog* { return a.correctionDialog(32); },
         [](Zorbon& a) {
             Dialogs::script([](QDialog* d) { click(d, "Button1"); });
             QVERIFY(a.bracketWindow(32)->confirmCorrection());
         },
         {}},
        {"TOprava64",
         [](Zorbon& a) -> QDialog* { return a.correctionDialog(64); },
         [](Zorbon& a) {
             Dialogs::script([](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
             QVERIFY(!a.bracketWindow(64)->confirmCorrection());
         },
         {}},
        // "Výsledky na mobilu" shows the address, not modal.
        {"TMobil", [](Zorbon& a) -> QDialog* { return a.Mobil; },
         [](Zorbon& a) { child<QAction>(a.bracketWindow(8), "Mobil1")->trigger(); },
         [](Zorbon& a) {
             QVERIFY(a.Mobil->isVisible());
             QCOMPARE(a.Mobil->address(), a.mobile().address());
             QVERIFY(a.Mobil->address().startsWith(QStringLiteral("http://")));
             child<QAction>(a.bracketWindow(8), "Mobil1")->trigger();
             QVERIFY(!a.Mobil->isVisible());
         }},
    };
    return table;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void createsTheWorkingLayoutAndShowsTheMainWindow()
    {
        UiTestEnv env;
        Zorbon app;
        QCOMPARE(QFile(QString::fromUtf8(kRecordPath)).size(), 16);
        QVERIFY(QFile::exists(QString::fromUtf8(kRosterPath)));
        QVERIFY(QDir("vysledky").exists());
        QVERIFY(QDir("export").exists());
        QVERIFY(!app.HlavniOkno->isVisible());
        app.start();
        QVERIFY(app.HlavniOkno->isVisible());
    }

    // Start-up makes the dialogs, named and titled, but none of their controls; they are made
    // one at a time once the main window shows, before an operator could open one.
    void dialogsMakeTheirControlsOnlyAfterTheMainWindowShows()
    {
        UiTestEnv env;
        Zorbon app;
        for (const Opening& o : openings()) {
            QDialog* d = o.window(app);
            QCOMPARE(d->objectName(), QString::fromLatin1(o.name));
            QVERIFY2(d->windowTitle().startsWith(QStringLiteral("Zorbon")), o.name);
            QVERIFY2(!d->findChild<QWidget*>(), o.name);
        }
        app.start();
        for (const Opening& o : openings())
            QVERIFY2(!o.window(app)->findChild<QWidget*>(), o.name);
        for (const Opening& o : openings())
            QTRY_VERIFY2(o.window(app)->findChild<QWidget*>(), o.name);
        QVERIFY(app.HlavniOkno->isVisible());
        for (const Opening& o : openings())
            QVERIFY2(!o.window(app)->isVisible(), o.name);
    }

    // Opened the usual way before anything made its controls, each dialog works as it always did.
    void eachDialogWorksWhenOpenedBeforeItsControlsAreMade_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < openings().size(); ++i)
            QTest::newRow(openings()[i].name) << static_cast<int>(i);
    }
    void eachDialogWorksWhenOpenedBeforeItsControlsAreMade()
    {
        QFETCH(int, row);
        const Opening& o = openings()[static_cast<std::size_t>(row)];
        UiTestEnv env;
        Zorbon app;
        app.start();
        QVERIFY(!o.window(app)->findChild<QWidget*>());
        STEP(o.open(app));
        QCOMPARE(Dialogs::unanswered(), 0);
        if (o.after)
            STEP(o.after(app));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
