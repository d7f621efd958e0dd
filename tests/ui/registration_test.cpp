#include "lobbytest.h"
#include "mainwindow/TRegistrace.h"
#include "tournament/tournament.h"

using namespace zorbon;
using namespace zorbon::ui;

class RegistrationTest : public QObject {
    Q_OBJECT
private slots:
    void enterAddsAndKeepsTheFocusInTheNameField()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, "Turnaj");
        app.Registrace->ensureBuilt(); // it is read before its first opening
        QCOMPARE(labelText(app.Registrace, "Label2"), QStringLiteral("Počet přihlášených hráčů : 0"));
        Dialogs::script([](QDialog* d) {
            auto* name = child<QLineEdit>(d, "JmenoHrace");
            QCOMPARE(d->focusWidget(), name);
            QCOMPARE(name->toolTip(), QStringLiteral("Zadej jméno hráče"));
            QTest::keyClicks(name, "Ota");
            QTest::keyClick(name, Qt::Key_Return);
            QTest::keyClicks(name, "Eva");
            QTest::keyClick(name, Qt::Key_Enter);
            QCOMPARE(name->text(), QString());
            QCOMPARE(d->focusWidget(), name);
            QCOMPARE(memoText(d), QStringLiteral("Ota\nEva"));
            QVERIFY(d->isVisible());
        });
        click(app.HlavniOkno, "SpeedButton2");
        QCOMPARE(Dialogs::messages(), QStringList());
        QCOMPARE(rosterOnDisk(), std::string("Ota\r\nEva\r\n"));
    }

    // Names that could not be stored or played are refused; the dialog, the files and the lists stay.
    void unstorableNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString control = QStringLiteral("Jméno nesmí obsahovat konec řádku, tabulátor ani jiný řídicí znak !!!");
        const QString codePage = QStringLiteral("Jméno obsahuje znak, který nelze uložit do soupisky hráčů (lze použít "
                                                "latinku včetně české diakritiky) !!!");
        QTest::newRow("pasted line break") << QStringLiteral("Jan\nNovák") << control;
        QTest::newRow("tab") << QStringLiteral("Jan\tNovák") << control;
        QTest::newRow("chinese") << QStringLiteral("王力") << codePage;
        QTest::newRow("emoji") << QStringLiteral("Eva 🎯") << codePage;
        QTest::newRow("bye") << QStringLiteral("Volný los")
                             << QStringLiteral(
                                    "Jméno „Volný los“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!");
        QTest::newRow("unknown player") << QStringLiteral(" ?")
                                        << QStringLiteral(
                                               "Jméno „ ?“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!");
    }

    void unstorableNamesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        UiTestEnv env;
        prepareFiles({1, 0, 0, 0}, "Eva\r\n");
        Zorbon app;
        app.start();
        Dialogs::clearShown();
        Dialogs::script([&](QDialog* d) {
            type(d, "JmenoHrace", name);
            click(d, "Button1");
            QVERIFY(d->isVisible());
            QCOMPARE(memoText(d), QStringLiteral("Eva"));
            QCOMPARE(labelText(d, "Label2"), QStringLiteral("Počet přihlášených hráčů : 1"));
        });
        app.core().editableSession().lobby.header.name = "Turnaj";
        click(app.HlavniOkno, "SpeedButton2");
        QCOMPARE(Dialogs::messages(), QStringList{message});
        QCOMPARE(rosterOnDisk(), std::string("Eva\r\n"));
        QCOMPARE(recordOnDisk().PlayerCount, 1);
        QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva"));
    }

    void reopeningReloadsFromTheRosterAndClosingEmptiesTheDialog()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, "Turnaj");
        registerPlayers(app, {"Eva", "Jan"});
        QCOMPARE(memoText(app.Registrace), QString());
        QCOMPARE(app.session.lobby.registrationList.size(), 0u);
        // A name typed but not added is gone at the next opening.
        Dialogs::script([](QDialog* d) {
            type(d, "JmenoHrace", "Ota");
            QTest::keyClick(d, Qt::Key_Escape);
        });
        click(app.HlavniOkno, "SpeedButton2");
        QVERIFY(!app.Registrace->isVisible());
        Dialogs::script([](QDialog* d) {
            QCOMPARE(child<QLineEdit>(d, "JmenoHrace")->text(), QString());
            QCOMPARE(memoText(d), QStringLiteral("Eva\nJan"));
            QCOMPARE(labelText(d, "Label2"), QStringLiteral("Počet přihlášených hráčů : 2"));
        });
        click(app.HlavniOkno, "SpeedButton2");
        QCOMPARE(Dialogs::unanswered(), 0);
    }
};

QTEST_MAIN(RegistrationTest)
#include "registration_test.moc"
