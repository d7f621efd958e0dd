#include "lobbytest.h"
#include "mainwindow/TNovyTurnaj.h"
#include "mainwindow/TZpravaNovyTurnaj.h"

using namespace zorbon;
using namespace zorbon::ui;

class NewTournamentTest : public QObject {
    Q_OBJECT
private slots:
    void okNeedsOneFieldAndTheNameEmptiesOnEveryClose()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Nový turnaj"));
            QCOMPARE(d->focusWidget(), child<QLineEdit>(d, "Edit1"));
            click(d, "Button1");
            QVERIFY(d->isVisible());
            type(d, "Edit1", "Podzimní");
            type(d, "Edit2", "Brno");
            type(d, "Edit3", "říjen");
            click(d, "Button2"); // Storno
        });
        click(app.HlavniOkno, "SpeedButton1");
        QCOMPARE(Dialogs::messages(), QStringList{"Nejsou zadána žádná data k turnaji !!!"});
        QCOMPARE(labelText(app.HlavniOkno, "Label7"), QString());
        // Place and date are kept for the next opening; the name is not.
        Dialogs::script([](QDialog* d) {
            QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QString());
            QCOMPARE(child<QLineEdit>(d, "Edit2")->text(), QStringLiteral("Brno"));
            QCOMPARE(child<QLineEdit>(d, "Edit3")->text(), QStringLiteral("říjen"));
            QTest::keyClick(child<QLineEdit>(d, "Edit2"), Qt::Key_Return); // OK is the default
        });
        click(app.HlavniOkno, "SpeedButton1");
        QCOMPARE(labelText(app.HlavniOkno, "Label2"), QString());
        QCOMPARE(labelText(app.HlavniOkno, "Label7"), QStringLiteral("Brno"));
        QCOMPARE(labelText(app.HlavniOkno, "Label8"), QStringLiteral("říjen"));
    }

    void anExistingTournamentIsReplacedOnlyByANewOk()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, {}, {}, "1. 5.");
        // "Ne" changes nothing.
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon"));
            QCOMPARE(labelText(d, "Label1"), QStringLiteral("Je založen turnaj . Chcete jej smazat a začít nový ???"));
            click(d, "Button2");
        });
        click(app.HlavniOkno, "SpeedButton1");
        QVERIFY(!app.NovyTurnaj->isVisible());
        // "Ano" opens the new-tournament dialog without blocking, all fields empty.
        Dialogs::script([](QDialog* d) { click(d, "Button1"); });
        click(app.HlavniOkno, "SpeedButton1");
        QVERIFY(!app.ZpravaNovyTurnaj->isVisible());
        QVERIFY(app.NovyTurnaj->isVisible());
        QVERIFY(!app.NovyTurnaj->isModal());
        for (const char* edit : {"Edit1", "Edit2", "Edit3"})
            QCOMPARE(child<QLineEdit>(app.NovyTurnaj, edit)->text(), QString());
        click(app.NovyTurnaj, "Button2");
        QCOMPARE(labelText(app.HlavniOkno, "Label8"), QStringLiteral("1. 5."));
        // Ano again, then OK replaces the header.
        Dialogs::script([](QDialog* d) { click(d, "Button1"); });
        click(app.HlavniOkno, "SpeedButton1");
        type(app.NovyTurnaj, "Edit1", "Letní");
        click(app.NovyTurnaj, "Button1");
        QVERIFY(!app.NovyTurnaj->isVisible());
        QCOMPARE(labelText(app.HlavniOkno, "Label2"), QStringLiteral("Letní"));
        QCOMPARE(labelText(app.HlavniOkno, "Label8"), QString());
        QCOMPARE(Dialogs::unanswered(), 0);
    }
};

QTEST_MAIN(NewTournamentTest)
#include "new_tournament_test.moc"
