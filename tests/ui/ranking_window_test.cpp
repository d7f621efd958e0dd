// The ranking window: its place in the menu, the period, the table after finished tournaments, the
// points edited and kept, and the print, PDF, CSV and HTML it hands out.

#include "club_windows.h"
#include "ranking/TZebricek.h"

#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>

using namespace bracketui;

namespace {

QStringList row(QTableWidget* table, int r)
{
    QStringList out;
    for (int c = 0; c < table->columnCount(); ++c)
        out << table->item(r, c)->text();
    return out;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class RankingWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryAndAnEmptySeason()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        QStringList entries;
        for (QAction* a : child<QMenu>(app.HlavniOkno, "Soubor1")->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(entries.mid(0, 3), (QStringList{"NovyTurnaj1", "-", "Konec1"}));
        // After the specified entries (the club's players may follow it).
        QVERIFY(entries.indexOf(QStringLiteral("Zebricek1")) > entries.indexOf(QStringLiteral("Konec1")));
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("TZebricek"));
            QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Žebříček"));
            const QDate today = QDate::currentDate();
            QCOMPARE(child<QDateEdit>(d, "DatumOd")->date(), QDate(today.year(), 1, 1));
            QCOMPARE(child<QDateEdit>(d, "DatumDo")->date(), today);
            auto* table = child<QTableWidget>(d, "Tabulka");
            QStringList headers;
            for (int c = 0; c < table->columnCount(); ++c)
                headers << table->horizontalHeaderItem(c)->text();
            QCOMPARE(headers, (QStringList{"Pořadí", "Hráč", "Body", "Turnaje", "Vítězství", "Nejlepší umístění"}));
            QCOMPARE(table->rowCount(), 0);
            QCOMPARE(child<QLabel>(d, "Label1")->text(),
                     QStringLiteral("V tomto období neskončil žádný dohraný turnaj."));
            QCOMPARE(child<QSpinBox>(d, "Body1")->value(), 100);
            QCOMPARE(child<QSpinBox>(d, "Body12")->value(), 2);
            clickButton(d, "Zavrit");
        });
        child<QAction>(app.HlavniOkno, "Zebricek1")->trigger();
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    void finishedTournamentsRankedAndPointsKept()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 8);
        playIntoArchive(app, 11);
        registerAgain(app, playerNames(6));
        playIntoArchive(app, 12);
        // One more that never reaches its final: it does not count.
        registerAgain(app, playerNames(5));
        QVERIFY(app.core().check(Command::Rozlosuj).ok());
        QVERIFY(app.core().draw(13).ok());
        QVERIFY(app.core().closeTournament().ok());

        TZebricek* z = app.Zebricek;
        Dialogs::script([&](QDialog* d) {
            auto* table = child<QTableWidget>(d, "Tabulka");
            QCOMPARE(table->rowCount(), 8);
            const RankingSheet& sheet = z->sheet();
            int tournaments = 0;
            for (int r = 0; r < table->rowCount(); ++r) {
                const RankingRow& expected = sheet.rows[static_cast<std::size_t>(r)];
                QCOMPARE(row(table, r)[1], QString::fromStdString(expected.player));
                QCOMPARE(row(table, r)[0], QStringLiteral("%1.").arg(expected.rank));
                tournaments += expected.tournaments;
                if (r > 0)
                    QVERIFY(sheet.rows[static_cast<std::size_t>(r - 1)].points >= expected.points);
            }
            QCOMPARE(tournaments, 8 + 6);
            QCOMPARE(table->item(0, 5)->text().endsWith(QStringLiteral(". místo")), true);
            // First place worth 1000: the ranking follows at once, and the points stay.
            const int before = sheet.rows[0].points;
            child<QSpinBox>(d, "Body1")->setValue(1000);
            QVERIFY(z->sheet().rows[0].points >= before + 900);
            QCOMPARE(z->sheet().bands[0].points, 1000);
            // A period without tournaments.
            child<QDateEdit>(d, "DatumDo")->setDate(QDate(2000, 1, 1));
            QCOMPARE(table->rowCount(), 0);
            QCOMPARE(child<QLabel>(d, "Label1")->text(), QStringLiteral("Začátek období je až po jeho konci."));
            clickButton(d, "Zavrit");
        });
        child<QAction>(app.HlavniOkno, "Zebricek1")->trigger();
        QCOMPARE(Dialogs::unanswered(), 0);
        const auto [from, to] = app.core().thisSeason();
        const Result<RankingSheet> stored = app.core().ranking(from, to);
        QVERIFY(stored.ok());
        QCOMPARE(stored->bands[0].points, 1000);
    }

    void printPdfCsvAndHtml()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 8);
        playIntoArchive(app, 21);
        TZebricek* z = app.Zebricek;
        const QString printed = env.path() + QStringLiteral("/tisk.pdf");
        Dialogs::script([&](QDialog* d) {
            Dialogs::script([&](QDialog* p) {
                auto* print = qobject_cast<QPrintDialog*>(p);
                QVERIFY(print);
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(printed);
                print->done(QDialog::Accepted);
            });
            clickButton(d, "Tisk");
            clickButton(d, "ExportPdf");
            clickButton(d, "ExportCsv");
            clickButton(d, "ExportHtml");
            clickButton(d, "Zavrit");
        });
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Zebricek1")->trigger();
        QCOMPARE(Dialogs::unanswered(), 0);
        const auto [from, to] = app.core().thisSeason();
        const QString base =
            QStringLiteral("Žebříček %1 až %2").arg(QString::fromStdString(from), QString::fromStdString(to));
        QCOMPARE(Dialogs::messages(),
                 (QStringList{QStringLiteral("Žebříček byl uložen do adresáře export jako soubor: ") + base + ".pdf",
                              QStringLiteral("Žebříček byl uložen do adresáře export jako soubor: ") + base + ".csv",
                              QStringLiteral("Žebříček byl uložen do adresáře export jako soubor: ") + base + ".htm"}));
        QVERIFY(fileBytes(printed).startsWith("%PDF"));
        QVERIFY(fileBytes("export/" + base + ".pdf").startsWith("%PDF"));
        QVERIFY(fileBytes("export/" + base + ".csv").startsWith("\xEF\xBB\xBF"));
        const QString csv = QString::fromUtf8(fileBytes("export/" + base + ".csv"));
        QVERIFY(csv.contains(QStringLiteral("Žebříček ")));
        QVERIFY(csv.contains(QStringLiteral("\r\nPořadí;Hráč;Body;Turnaje;Vítězství;Nejlepší umístění\r\n1.;") +
                             QString::fromStdString(z->sheet().rows[0].player) + ";100;1;"));
        const QString html = QString::fromUtf8(fileBytes("export/" + base + ".htm"));
        QVERIFY(html.contains(QStringLiteral("Body za umístění: 1. 100, 2. 70")));
        QVERIFY(html.contains(QString::fromStdString(z->sheet().rows[7].player)));

        // An export folder that cannot be written: the error report and no confirmation.
        QVERIFY(QDir("export").removeRecursively());
        Dialogs::script([&](QDialog* d) {
            clickButton(d, "ExportCsv");
            clickButton(d, "Zavrit");
        });
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Zebricek1")->trigger();
        QCOMPARE(Dialogs::shown().size(), 2); // the window and the report
        QCOMPARE(Dialogs::shown().last().kind, Dialogs::Kind::Error);
        QVERIFY(Dialogs::shown().last().text.startsWith(QStringLiteral("Cannot create file export/")));
    }
};

QTEST_MAIN(RankingWindowTest)
#include "ranking_window_test.moc"
