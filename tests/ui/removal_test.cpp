#include "lobbytest.h"
#include "mainwindow/TOdeber.h"
#include "mainwindow/TOpravduOdebrat.h"

#include <QComboBox>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

// A program started on a roster of three, whose record has drifted to 5.
struct Started {
    Started()
    {
        prepareFiles({5, 0, 0, 0}, "Eva\r\nJan\r\nOta\r\n");
        app.start();
        Dialogs::clearShown();
    }
    Zorbon app;
};

} // namespace

class RemovalTest : public QObject {
    Q_OBJECT
private slots:
    void okWithNothingChosenKeepsTheDialogOpen()
    {
        UiTestEnv env;
        Started s;
        Dialogs::script([](QDialog* d) {
            click(d, "button1");
            QVERIFY(d->isVisible());
            click(d, "Button2");
        });
        click(s.app.HlavniOkno, "OdeberHrace1");
        QCOMPARE(Dialogs::messages(), QStringList{"Není vybrán žádný hráč"});
        QCOMPARE(rosterOnDisk(), std::string("Eva\r\nJan\r\nOta\r\n"));
    }

    void neClosesBothEscClosesOnlyTheConfirmation()
    {
        UiTestEnv env;
        Started s;
        Dialogs::script([](QDialog* d) {
            child<QComboBox>(d, "ComboBox1")->setCurrentIndex(0);
            click(d, "button1"); // answered with Esc below
            QVERIFY(d->isVisible());
            click(d, "button1"); // answered with "Ne"
            QVERIFY(!d->isVisible());
        });
        Dialogs::script([](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        Dialogs::script([](QDialog* d) { click(d, "Button2"); });
        click(s.app.HlavniOkno, "OdeberHrace1");
        QCOMPARE(Dialogs::unanswered(), 0);
        QCOMPARE(rosterOnDisk(), std::string("Eva\r\nJan\r\nOta\r\n"));
        QCOMPARE(recordOnDisk().PlayerCount, 5);
        // Closing clears the items; the chosen text stays until the next preparation.
        auto* combo = child<QComboBox>(s.app.Odeber, "ComboBox1");
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("Eva"));
    }

    void aTypedUnknownNameRewritesTheRosterAndMendsTheCount()
    {
        UiTestEnv env;
        Started s;
        Dialogs::script([](QDialog* d) {
            child<QComboBox>(d, "ComboBox1")->setEditText("eva");
            QTest::keyClick(child<QComboBox>(d, "ComboBox1"), Qt::Key_Return);
        });
        Dialogs::script([](QDialog* d) {
            QCOMPARE(labelText(d, "Label1"), QStringLiteral("Opravdu odebrat hráče eva ?"));
            QTest::keyClick(d, Qt::Key_Return); // "Ano" is the default
        });
        click(s.app.HlavniOkno, "OdeberHrace1");
        QCOMPARE(Dialogs::unanswered(), 0);
        QCOMPARE(rosterOnDisk(), std::string("Eva\r\nJan\r\nOta\r\n"));
        QCOMPARE(recordOnDisk().PlayerCount, 3);
        QCOMPARE(labelText(s.app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 3"));
        QCOMPARE(memoText(s.app.Odeber), QStringLiteral("Eva\nJan\nOta")); // the hidden list
        QVERIFY(!child<QPlainTextEdit>(s.app.Odeber, "Memo1")->isVisibleTo(s.app.Odeber));
    }

    void removingEveryoneLeavesNothingToRemove()
    {
        UiTestEnv env;
        Started s;
        for (const char* name : {"Jan", "Ota", "Eva"}) {
            Dialogs::script([name](QDialog* d) {
                child<QComboBox>(d, "ComboBox1")->setEditText(QString::fromLatin1(name));
                click(d, "button1");
            });
            Dialogs::script([](QDialog* d) { click(d, "Button1"); });
            click(s.app.HlavniOkno, "OdeberHrace1");
        }
        QCOMPARE(rosterOnDisk(), std::string());
        QCOMPARE(recordOnDisk().PlayerCount, 0);
        QCOMPARE(memoText(s.app.HlavniOkno), QString());
        QCOMPARE(labelText(s.app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 0"));
        click(s.app.HlavniOkno, "OdeberHrace1");
        click(s.app.HlavniOkno, "SpeedButton3");
        QCOMPARE(Dialogs::messages(),
                 (QStringList{"Nejsou registrováni žádní hráči", "Nejsou registrováni žádní hráči"}));
    }

    void aMissingRosterKeepsTheDialogClosed()
    {
        UiTestEnv env;
        Started s;
        QFile::remove(QString::fromUtf8(kRosterPath));
        click(s.app.HlavniOkno, "OdeberHrace1");
        QCOMPARE(Dialogs::messages(), QStringList{"File not found"});
        QVERIFY(!s.app.Odeber->isVisible());
    }
};

QTEST_MAIN(RemovalTest)
#include "removal_test.moc"
