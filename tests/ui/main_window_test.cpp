#include "lobbytest.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TOdeber.h"

#include <QComboBox>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

const QString kExit = QStringLiteral("Opravdu chcete ukončit Zorbon ???  Budou vymazána všechna neuložená data !!!");
const QString kCount = QStringLiteral("Počet přihlášených hráčů : ");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // From an empty start to exit, with the files checked after every step.
    void lifeOfTheMainWindow()
    {
        UiTestEnv env;
        prepareFiles({0, 0, 3, 0}, ""); // a board count left by an earlier tournament stays
        Zorbon app;
        QWidget* w = app.HlavniOkno;
        app.start();
        QCOMPARE(labelText(w, "Label3"), kCount + "0");
        QCOMPARE(memoText(w), QString());

        // New tournament.
        createTournament(app, "Jarní cena", "Brno", "1. 5. 2024");
        QCOMPARE(labelText(w, "Label2"), QStringLiteral("Jarní cena"));
        QCOMPARE(labelText(w, "Label7"), QStringLiteral("Brno"));
        QCOMPARE(labelText(w, "Label8"), QStringLiteral("1. 5. 2024"));
        QCOMPARE(recordOnDisk(), (TournamentRecord{0, 0, 3, 0}));

        // Three players; an empty name and a duplicate are refused.
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(labelText(d, "Label2"), kCount + "0");
            type(d, "JmenoHrace", "Jiří Čermák");
            click(d, "Button1");
            click(d, "Button1");
            type(d, "JmenoHrace", "Šárka Žitná");
            QTest::keyClick(child<QLineEdit>(d, "JmenoHrace"), Qt::Key_Return);
            type(d, "JmenoHrace", "Jiří Čermák");
            click(d, "Button1");
            QCOMPARE(child<QLineEdit>(d, "JmenoHrace")->text(), QStringLiteral("Jiří Čermák"));
            type(d, "JmenoHrace", "Ota");
            click(d, "Button1");
            QCOMPARE(labelText(d, "Label2"), kCount + "3");
            QCOMPARE(memoText(d), QStringLiteral("Jiří Čermák\nŠárka Žitná\nOta"));
            QCOMPARE(d->focusWidget(), child<QLineEdit>(d, "JmenoHrace"));
            click(d, "Button2");
        });
        click(w, "SpeedButton2");
        QCOMPARE(Dialogs::messages(),
                 (QStringList{"Není zadáno žádné jméno !!!", "Zadané jméno je již registrováno !!!"}));
        QCOMPARE(rosterOnDisk(), std::string("Ji\xF8\xED \xC8"
                                             "erm\xE1k\r\n\x8A\xE1rka \x8E"
                                             "itn\xE1\r\nOta\r\n"));
        QCOMPARE(recordOnDisk(), (TournamentRecord{3, 0, 3, 0}));
        QCOMPARE(memoText(w), QStringLiteral("Jiří Čermák\nŠárka Žitná\nOta"));
        QCOMPARE(labelText(w, "Label3"), kCount + "3");

        // Remove the middle one.
        Dialogs::script([&](QDialog* d) {
            auto* combo = child<QComboBox>(d, "ComboBox1");
            QCOMPARE(combo->count(), 3);
            QCOMPARE(combo->currentText(), QString());
            combo->setCurrentIndex(1);
            click(d, "button1");
        });
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(labelText(d, "Label1"), QStringLiteral("Opravdu odebrat hráče Šárka Žitná ?"));
            click(d, "Button1");
        });
        click(w, "OdeberHrace1");
        QVERIFY(!app.Odeber->isVisible());
        QCOMPARE(rosterOnDisk(), std::string("Ji\xF8\xED \xC8"
                                             "erm\xE1k\r\nOta\r\n"));
        QCOMPARE(recordOnDisk(), (TournamentRecord{2, 0, 3, 0}));
        QCOMPARE(memoText(w), QStringLiteral("Jiří Čermák\nOta"));
        QCOMPARE(labelText(w, "Label3"), kCount + "2");

        // Delete all: the header stays.
        Dialogs::script([&](QDialog* d) { click(d, "Button1"); });
        click(w, "SpeedButton3");
        QCOMPARE(rosterOnDisk(), std::string());
        QCOMPARE(recordOnDisk(), (TournamentRecord{0, 0, 3, 0}));
        QCOMPARE(memoText(w), QString());
        QCOMPARE(labelText(w, "Label3"), kCount + "0");
        QCOMPARE(labelText(w, "Label2"), QStringLiteral("Jarní cena"));

        // Exit: No changes nothing, Yes clears the registrations.
        registerPlayers(app, {"Eva"});
        Dialogs::clearShown();
        Dialogs::answer(false);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QCOMPARE(rosterOnDisk(), std::string("Eva\r\n"));
        QCOMPARE(recordOnDisk(), (TournamentRecord{1, 0, 3, 0}));
        Dialogs::answer(true);
        click(w, "Konec1");
        QVERIFY(!w->isVisible());
        QCOMPARE(rosterOnDisk(), std::string());
        QCOMPARE(recordOnDisk(), (TournamentRecord{0, 0, 3, 0}));
        QCOMPARE(Dialogs::shown().size(), 2);
        QCOMPARE(Dialogs::shown().at(0).text, kExit);
        QCOMPARE(Dialogs::shown().at(1).text, kExit);
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    // Which command is refused in which state, with which text, and what the others open.
    void stateTable_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message"); // the refusal, or empty
        QTest::addColumn<QString>("opens");   // the dialog shown, or empty

        const QString noPlayers = QStringLiteral("Nejsou registrováni žádní hráči");
        const QString deleteFirst = QStringLiteral("Nejprve musíte smazat registrované hráče !!!");
        const QString noTournament = QStringLiteral("Není založen žádný turnaj !!!");
        struct Row {
            const char* state;
            const char* trigger;
            QString message;
            const char* opens;
        };
        const Row rows[] = {
            {"empty", "SpeedButton1", {}, "TNovyTurnaj"},
            {"empty", "NovyTurnaj1", {}, "TNovyTurnaj"},
            {"empty", "SpeedButton2", noTournament, ""},
            {"empty", "PridatHrace1", noTournament, ""},
            {"empty", "SpeedButton3", noPlayers, ""},
            {"empty", "SmazRegistraci1", noPlayers, ""},
            {"empty", "SpeedButton4", noPlayers + " !!!", ""},
            {"empty", "Rozlosuj1", noPlayers + " !!!", ""},
            {"empty", "OdeberHrace1", noPlayers, ""},
            {"empty", "Oprogramu1", {}, "TOprogramu"},
            {"created", "SpeedButton1", {}, "TZpravaNovyTurnaj"},
            {"created", "SpeedButton2", {}, "TRegistrace"},
            {"created", "SpeedButton3", noPlayers, ""},
            {"created", "SpeedButton4", noPlayers + " !!!", ""},
            {"created", "OdeberHrace1", noPlayers, ""},
            {"registered", "SpeedButton1", deleteFirst, ""},
            {"registered", "SpeedButton2", {}, "TRegistrace"},
            {"registered", "SpeedButton3", {}, "TSmazRegistraci"},
            {"registered", "SpeedButton4", {}, "TRozlosovani"},
            {"registered", "OdeberHrace1", {}, "TOdeber"},
            {"registered", "Oprogramu1", {}, "TOprogramu"},
            {"restarted", "SpeedButton1", deleteFirst, ""},
            {"restarted", "SpeedButton2", noTournament, ""},
            {"restarted", "SpeedButton3", {}, "TSmazRegistraci"},
            {"restarted", "SpeedButton4", {}, "TRozlosovani"},
            {"restarted", "OdeberHrace1", {}, "TOdeber"},
        };
        for (const auto& r : rows)
            QTest::addRow("%s %s", r.state, r.trigger) << QString::fromLatin1(r.state) << QString::fromLatin1(r.trigger)
                                                       << r.message << QString::fromLatin1(r.opens);
    }

    void stateTable()
    {
        QFETCH(QString, state);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        QFETCH(QString, opens);
        UiTestEnv env;
        if (state == "restarted") // ended without its exit path while two players were registered
            prepareFiles({2, 0, 0, 0}, "Eva\r\nJan\r\n");
        Zorbon app;
        app.start();
        if (state == "created") // the date alone makes a tournament
            createTournament(app, {}, {}, "1. 5. 2024");
        if (state == "registered") {
            createTournament(app, "Jarní cena");
            registerPlayers(app, {"Eva"});
        }
        QCOMPARE(Dialogs::unanswered(), 0);
        Dialogs::clearShown();
        const std::string rosterBefore = rosterOnDisk();
        const TournamentRecord recordBefore = recordOnDisk();

        if (!opens.isEmpty())
            Dialogs::script([](QDialog*) {}); // shown, then closed unanswered
        click(app.HlavniOkno, trigger.toLatin1().constData());

        QCOMPARE(Dialogs::shown().size(), 1);
        const Dialogs::Shown& shown = Dialogs::shown().first();
        if (message.isEmpty()) {
            QCOMPARE(shown.kind, Dialogs::Kind::Dialog);
            QCOMPARE(shown.text, opens);
        } else {
            QCOMPARE(shown.kind, Dialogs::Kind::Message);
            QCOMPARE(shown.text, message);
        }
        QCOMPARE(rosterOnDisk(), rosterBefore);
        QCOMPARE(recordOnDisk(), recordBefore);
        if (state == "restarted") {
            QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva\nJan"));
            QCOMPARE(labelText(app.HlavniOkno, "Label3"), kCount + "2");
            QCOMPARE(labelText(app.HlavniOkno, "Label2"), QString());
        }
    }

    void commandsReportAMissingRecordAndTheProgramGoesOn()
    {
        UiTestEnv env;
        prepareFiles({0, 0, 0, 0}, "");
        QFile(QString::fromUtf8(kRecordPath)).resize(10);
        Zorbon app;
        app.start();
        QCOMPARE(Dialogs::messages(), QStringList{"Read beyond end of file"});
        QCOMPARE(Dialogs::shown().first().kind, Dialogs::Kind::Error);
        QCOMPARE(labelText(app.HlavniOkno, "Label3"), kCount);
        QFile::remove(QString::fromUtf8(kRecordPath));
        Dialogs::clearShown();
        click(app.HlavniOkno, "SpeedButton3");
        click(app.HlavniOkno, "SpeedButton1");
        QCOMPARE(Dialogs::messages(), (QStringList{"File not found", "File not found"}));
        // Exit still ends the program when the files cannot be cleared.
        Dialogs::answer(true);
        QVERIFY(app.HlavniOkno->close());
    }

    void showsItsControlsColoursAndMenus()
    {
        UiTestEnv env;
        Zorbon app;
        THlavniOkno* w = app.HlavniOkno;
        app.start();
        QCOMPARE(w->windowTitle(), QStringLiteral("Zorbon"));
        QVERIFY(w->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        const char* const buttons[][3] = {{"SpeedButton1", "Nový", "Založ nový Turnaj"},
                                          {"SpeedButton2", "Registruj", "Registruj hráče"},
                                          {"SpeedButton3", "Vymaž", "Smaž registraci"},
                                          {"SpeedButton4", "Rozlosuj", "Rozlosování turnaje"}};
        for (const auto& b : buttons) {
            auto* button = child<QToolButton>(w, b[0]);
            QCOMPARE(button->text(), QString::fromUtf8(b[1]));
            QCOMPARE(button->toolTip(), QString::fromUtf8(b[2]));
        }
        QStringList menus;
        for (QAction* m : w->menuBar()->actions()) {
            QStringList items;
            for (QAction* a : m->menu()->actions())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            menus << m->text() + ": " + items.join('|');
        }
        // The archive, the ranking, the club's players and seeding come after the original entries.
        QCOMPARE(menus,
                 (QStringList{"&Soubor: &Nový Turnaj|-|&Konec|-|&Předchozí turnaje…|&Žebříček…|&Hráči klubu…",
                              "&Příkazy: Přidat &hráče|&Smaž registraci|&Rozlosuj|&Odeber hráče|-|&Nasazení hráčů…",
                              "&Help: H&elp|-|O progr&amu"}));
        const char* const captions[][2] = {{"Label1", "Název turnaje :"},
                                           {"Label5", "Hrací místo :"},
                                           {"Label6", "Datum :"},
                                           {"Label4", "Seznam registrovaných hráčů :"},
                                           {"Label9", "Zorbon"}};
        for (const auto& c : captions)
            QCOMPARE(labelText(w, c[0]), QString::fromUtf8(c[1]));
        const QFont title = child<QLabel>(w, "Label9")->font();
        QVERIFY(title.bold() && title.underline() && title.pointSize() >= 20);
        for (const char* value : {"Label2", "Label7", "Label8"}) {
            auto* l = child<QLabel>(w, value);
            QVERIFY(l->font().bold());
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::red));
        }
        QCOMPARE(w->centralWidget()->palette().color(QPalette::Window), QColor(Qt::yellow));
        QCOMPARE(child<QToolBar>(w, "ToolBar1")->palette().color(QPalette::Window), QColor(Qt::blue));
        auto* memo = child<QPlainTextEdit>(w, "Memo1");
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->focusPolicy(), Qt::NoFocus);
        QVERIFY(!child<QLabel>(w, "Image2")->pixmap().isNull());
        Dialogs::answer(true);
        w->close();
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
