// Registering many players at once: "Import…" through Qt's own file dialog over every encoding and
// shape a list comes in, the refusals of what is not a list, "Registrovat hráče" of the archive, and
// the completion of names the register remembers.

#include "archive/TPredchoziTurnaje.h"
#include "lobbytest.h"
#include "mainwindow/TRegistrace.h"
#include "mainwindow/TRozlosovani.h"
#include "records/textcodec.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QSpinBox>
#include <QTreeWidget>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

QByteArray cp1250(const QString& text)
{
    const std::string bytes = toCp1250(text.toStdString()).value();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Answers the next file dialog by typing the path into its file-name field and pressing Enter,
// after checking it is Qt's own dialog with the list filter.
void chooseInFileDialog(const QString& path)
{
    Dialogs::script([path](QDialog* d) {
        auto* fd = qobject_cast<QFileDialog*>(d);
        QVERIFY(fd);
        QCOMPARE(fd->objectName(), QStringLiteral("TImportHracu"));
        QVERIFY(fd->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(fd->nameFilters(), QStringList{QStringLiteral("Seznam hráčů (*.txt *.csv)")});
        QCOMPARE(fd->fileMode(), QFileDialog::ExistingFile);
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

// A tournament with Petr Novák registered, in the registration dialog: `inside` runs there.
void inRegistration(Zorbon& app, const std::function<void(QDialog*)>& inside)
{
    Dialogs::script([inside](QDialog* d) {
        inside(d);
        click(d, "Button2");
    });
    click(app.HlavniOkno, "SpeedButton2");
}

QString kilobytesOfNames(int names)
{
    QString out = QStringLiteral("Jméno\n");
    for (int i = 1; i <= names; ++i)
        out += QStringLiteral("Hráč číslo %1\n").arg(i);
    return out;
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT
private slots:
    void importsEveryEncodingAndShape_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("added");
        const QString three = QStringLiteral("Registrováno 2 hráčů. Přeskočeno 1: Petr Novák (již registrován).");
        const QStringList two = {QStringLiteral("Jana Malá"), QStringLiteral("Čeněk Řehoř")};
        QTest::newRow("UTF-8 lines") << "hraci.txt" << QStringLiteral("Jana Malá\nPetr Novák\nČeněk Řehoř\n").toUtf8()
                                     << three << two;
        QTest::newRow("UTF-8 with a byte-order mark, CR LF")
            << "hraci.txt"
            << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Jana Malá\r\nPetr Novák\r\nČeněk Řehoř\r\n").toUtf8()
            << three << two;
        QTest::newRow("Windows-1250 lines with a header, blanks and spaces")
            << "hraci.txt"
            << cp1250(QStringLiteral("Jméno\r\n\r\n  Jana Malá  \r\nPetr Novák\r\n\tČeněk Řehoř\r\n\r\n")) << three
            << two;
        QTest::newRow("CSV with ';' from a spreadsheet, quoted, Windows-1250")
            << "klub.csv"
            << cp1250(QStringLiteral("\"Hráč\";\"Klub\"\r\n\"Jana Malá\";\"DC \"\"Šipka\"\"\"\r\n"
                                     "\"Petr Novák\";\"\"\r\n\"Čeněk Řehoř\";x\r\n"))
            << three << two;
        QTest::newRow("CSV with ',' and a UTF-8 header Name")
            << "KLUB.CSV"
            << QStringLiteral("Name,Club\nJana Malá,DC\nPetr Novák,DC\n\"Čeněk Řehoř\",\"A, B\"\n").toUtf8() << three
            << two;
        QTest::newRow("every name new") << "novi.txt" << QStringLiteral("Jana Malá\nČeněk Řehoř").toUtf8()
                                        << QStringLiteral("Registrováno 2 hráčů.") << two;
        QTest::newRow("names the checks of Přidej refuse")
            << "spatne.txt" << QStringLiteral("Jana Malá\nVolný los\nEva 🎯\nJana Malá\n").toUtf8()
            << QStringLiteral("Registrováno 1 hráčů. Přeskočeno 3: Volný los (jméno vyhrazené pro pavouka), "
                              "Eva 🎯 (znak, který soupiska neuloží), Jana Malá (již registrován).")
            << QStringList{QStringLiteral("Jana Malá")};
        // Refused whole: a clear message and nobody registered.
        QTest::newRow("binary") << "program.txt"
                                << QByteArray("\x7F"
                                              "ELF\x02\x01\x01\0\0\0Jana\n",
                                              15)
                                << QStringLiteral("Soubor není textový seznam hráčů (obsahuje binární data). Nebyl "
                                                  "registrován žádný hráč !!!")
                                << QStringList();
        QTest::newRow("UTF-16") << "unicode.txt" << QByteArray("\xFF\xFEJ\0a\0n\0a\0", 10)
                                << QStringLiteral("Soubor je uložen v kódování UTF-16. Uložte jej jako UTF-8 nebo "
                                                  "Windows-1250 a zkuste to znovu. Nebyl registrován žádný hráč !!!")
                                << QStringList();
        QTest::newRow("over 1 MB") << "velky.txt" << QByteArray(1024 * 1024 + 1, 'a')
                                   << QStringLiteral("Soubor je větší než 1 MB, seznam hráčů to není. Nebyl "
                                                     "registrován žádný hráč !!!")
                                   << QStringList();
        QTest::newRow("over 1,000 names") << "mnoho.txt" << kilobytesOfNames(1001).toUtf8()
                                          << QStringLiteral("Soubor obsahuje více než 1000 jmen, najednou jich lze "
                                                            "importovat nejvýše 1000. Nebyl registrován žádný hráč !!!")
                                          << QStringList();
        QTest::newRow("nothing but a header")
            << "prazdny.csv" << QByteArray("Jméno;Klub\r\n;\r\n")
            << QStringLiteral("Soubor neobsahuje žádné jméno hráče !!!") << QStringList();
    }

    void importsEveryEncodingAndShape()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QStringList, added);
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Turnaj"));
        registerPlayers(app, {QStringLiteral("Petr Novák")});
        writeFile(env.path() + QLatin1Char('/') + file, bytes);
        Dialogs::clearShown();
        QStringList memo;
        inRegistration(app, [&](QDialog* d) {
            chooseInFileDialog(env.path() + QLatin1Char('/') + file);
            click(d, "ImportHracu");
            memo = memoText(d).split(QLatin1Char('\n'));
            QCOMPARE(labelText(d, "Label2"), QStringLiteral("Počet přihlášených hráčů : %1").arg(1 + added.size()));
            QCOMPARE(d->focusWidget(), child<QLineEdit>(d, "JmenoHrace"));
        });
        QCOMPARE(Dialogs::messages(), QStringList{message});
        const QStringList expected = QStringList{QStringLiteral("Petr Novák")} + added;
        QCOMPARE(memo, expected);
        QCOMPARE(memoText(app.HlavniOkno).split(QLatin1Char('\n')), expected);
        QCOMPARE(labelText(app.HlavniOkno, "Label3"),
                 QStringLiteral("Počet přihlášených hráčů : %1").arg(expected.size()));
        std::string roster;
        for (const QString& n : expected)
            roster += toCp1250(n.toStdString()).value() + "\r\n";
        QCOMPARE(rosterOnDisk(), roster);
        QCOMPARE(recordOnDisk().PlayerCount, static_cast<int>(expected.size()));
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    void cancellingTheFileDialogDoesNothing()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Turnaj"));
        Dialogs::clearShown();
        inRegistration(app, [](QDialog* d) {
            Dialogs::script([](QDialog* fd) { fd->reject(); });
            click(d, "ImportHracu");
            QCOMPARE(memoText(d), QString());
        });
        QCOMPARE(Dialogs::messages(), QStringList());
        QCOMPARE(rosterOnDisk(), std::string());
    }

    void aFileThatCannotBeReadIsSaidSo()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        QVERIFY(app.core().acceptNewTournament({"Turnaj", "", ""}).ok());
        QVERIFY(app.core().showRegistration().ok());
        for (const char* path : {"neni.txt", "data"}) {
            const Outcome o = app.core().importPlayerFile(path);
            QVERIFY(o.isFailed());
            QVERIFY2(
                QString::fromStdString(o.message()).startsWith(QStringLiteral("Soubor %1 nelze přečíst: ").arg(path)),
                o.message().c_str());
            QVERIFY(QString::fromStdString(o.message()).endsWith(QStringLiteral("Nebyl registrován žádný hráč !!!")));
        }
        QCOMPARE(recordOnDisk().PlayerCount, 0);
    }

    // The weekly case: last week's players registered again from the archive, before the draw only.
    void registersTheArchivedTournamentsPlayersAgain()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Minulý týden"));
        const QStringList lastWeek = {QStringLiteral("Jana Malá"), QStringLiteral("Petr Novák"),
                                      QStringLiteral("Čeněk Řehoř"), QStringLiteral("Eva Černá")};
        registerPlayers(app, lastWeek);
        QVERIFY(app.core().closeTournament().ok()); // into the archive
        app.HlavniOkno->refresh();
        createTournament(app, QStringLiteral("Tento týden"));
        registerPlayers(app, {QStringLiteral("Petr Novák")});
        Dialogs::clearShown();
        Dialogs::script([](QDialog* d) {
            auto* list = child<QTreeWidget>(d, "Seznam");
            QCOMPARE(list->topLevelItemCount(), 1);
            click(d, "ButtonRegistrovat");
            d->reject();
        });
        click(app.HlavniOkno, "PredchoziTurnaje1");
        QCOMPARE(Dialogs::messages(),
                 QStringList{QStringLiteral("Registrováno 3 hráčů. Přeskočeno 1: Petr Novák (již registrován).")});
        const QStringList now = {QStringLiteral("Petr Novák"), QStringLiteral("Jana Malá"),
                                 QStringLiteral("Čeněk Řehoř"), QStringLiteral("Eva Černá")};
        QCOMPARE(memoText(app.HlavniOkno).split(QLatin1Char('\n')), now);
        QCOMPARE(labelText(app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 4"));
        QCOMPARE(recordOnDisk().PlayerCount, 4);
        // The registration dialog then shows them all, reloaded from the roster.
        inRegistration(app, [&](QDialog* d) { QCOMPARE(memoText(d).split(QLatin1Char('\n')), now); });

        // Once drawn it is refused and nothing changes.
        app.Rozlosovani->seedSource = [] { return 7u; };
        Dialogs::script([](QDialog* d) { click(d, "Button1"); });
        Dialogs::script([](QDialog* d) {
            child<QSpinBox>(d, "SpinEdit1")->setValue(1);
            click(d, "Button1");
        });
        click(app.HlavniOkno, "SpeedButton4");
        QCOMPARE(app.session.activeSize, 8);
        Dialogs::clearShown();
        Dialogs::script([](QDialog* d) {
            child<QTreeWidget>(d, "Seznam")->setCurrentItem(child<QTreeWidget>(d, "Seznam")->topLevelItem(0));
            click(d, "ButtonRegistrovat");
            d->reject();
        });
        Dialogs::exec(app.PredchoziTurnaje);
        QCOMPARE(Dialogs::messages(),
                 QStringList{QStringLiteral("Hráče nelze registrovat, dokud je rozlosovaný turnaj !!!")});
        QCOMPARE(recordOnDisk().PlayerCount, 4);
    }

    // Typing offers the remembered players; taking one fills the field and registers nobody.
    void typingOffersRememberedPlayersAndTakingOneOnlyFillsTheField()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Turnaj"));
        registerPlayers(app, {QStringLiteral("Petr Novák"), QStringLiteral("Jana Nováková"),
                              QStringLiteral("Ivana Kovářová"), QStringLiteral("Jan Dvořák")});
        Dialogs::clearShown();
        inRegistration(app, [&](QDialog* d) {
            auto* field = child<QLineEdit>(d, "JmenoHrace");
            auto* completer = app.Registrace->findChild<QCompleter*>();
            QVERIFY(completer);
            QAbstractItemView* popup = completer->popup();
            QTest::keyClicks(field, QStringLiteral("nov"));
            QVERIFY(popup->isVisible());
            QCOMPARE(popup->objectName(), QStringLiteral("NabidkaHracu"));
            QStringList offered;
            for (int r = 0; r < popup->model()->rowCount(); ++r)
                offered << popup->model()->index(r, 0).data().toString();
            QCOMPARE(offered, (QStringList{QStringLiteral("Jana Nováková"), QStringLiteral("Petr Novák")}));
            field->clear();
            QTest::keyClicks(field, QStringLiteral("NOVA"));
            QCOMPARE(popup->model()->rowCount(), 2);
            field->clear();
            QTest::keyClicks(field, QStringLiteral("kovar"));
            QCOMPARE(popup->model()->rowCount(), 1);
            // Down and Enter take the offer: the field holds it, nothing is registered.
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
            QCOMPARE(field->text(), QStringLiteral("Ivana Kovářová"));
            QVERIFY(!popup->isVisible());
            QVERIFY(d->isVisible());
            QCOMPARE(memoText(d).split(QLatin1Char('\n')).size(), 4);
            // Nothing matches: nothing is offered.
            field->clear();
            QTest::keyClicks(field, QStringLiteral("xyz"));
            QVERIFY(!popup->isVisible());
            // Enter with nothing chosen in the offer adds what was typed, as Enter in the field does.
            field->clear();
            QTest::keyClicks(field, QStringLiteral("Zdenek"));
            QVERIFY(!popup->isVisible());
            field->clear();
            QTest::keyClicks(field, QStringLiteral("Petr"));
            QVERIFY(popup->isVisible());
            QTest::keyClick(popup, Qt::Key_Return);
            QVERIFY(!popup->isVisible());
            QCOMPARE(field->text(), QString());
            QCOMPARE(memoText(d).split(QLatin1Char('\n')).last(), QStringLiteral("Petr"));
            // Esc closes the offer, not the dialog.
            field->clear();
            QTest::keyClicks(field, QStringLiteral("jan"));
            QVERIFY(popup->isVisible());
            QTest::keyClick(popup, Qt::Key_Escape);
            QVERIFY(!popup->isVisible());
            QVERIFY(d->isVisible());
        });
        QCOMPARE(Dialogs::messages(), QStringList());
        QCOMPARE(recordOnDisk().PlayerCount, 5);
    }
};

QTEST_MAIN(ImportTest)
#include "import_test.moc"
