// The seeding window: its place in the menu, the lists by keyboard and mouse, the limit refused on OK,
// "Podle žebříčku", and the draw that follows.

#include "club_windows.h"
#include "seeding/TNasazeni.h"

#include <QListWidget>
#include <QMenu>

using namespace bracketui;

namespace {

QStringList items(QWidget* d, const char* name)
{
    QStringList out;
    auto* list = child<QListWidget>(d, name);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

std::vector<std::string> strings(const QStringList& names)
{
    std::vector<std::string> out;
    for (const QString& n : names)
        out.push_back(n.toStdString());
    return out;
}

} // namespace

class SeedingWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryComesAfterTheCommandsAndRefusesWithNobodyRegistered()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        QStringList entries;
        for (QAction* a : child<QMenu>(app.HlavniOkno, "Prikazy1")->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(entries,
                 (QStringList{"PridatHrace1", "SmazRegistraci1", "Rozlosuj1", "OdeberHrace1", "-", "Nasazeni1"}));
        QCOMPARE(child<QAction>(app.HlavniOkno, "Nasazeni1")->text().remove('&'), QStringLiteral("Nasazení hráčů…"));
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(Dialogs::messages(), QStringList{"Nejsou registrováni žádní hráči"});
    }

    void keyboardSeedsInTurnAndOkStoresThem()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 12);
        const QStringList names = playerNames(12);
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("TNasazeni"));
            QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Nasazení hráčů"));
            QCOMPARE(items(d, "SeznamHracu"), names);
            QVERIFY(items(d, "SeznamNasazenych").isEmpty());
            auto* players = child<QListWidget>(d, "SeznamHracu");
            players->setFocus();
            QTest::keyClick(players, Qt::Key_Down);
            QTest::keyClick(players, Qt::Key_Down);
            QTest::keyClick(players, Qt::Key_Return); // names[2]
            QTest::keyClick(players, Qt::Key_Return); // the next one, names[3]
            QTest::keyClick(players, Qt::Key_Home);
            QTest::keyClick(players, Qt::Key_Enter); // names[0]
            QCOMPARE(items(d, "SeznamNasazenych"), (QStringList{names[2], names[3], names[0]}));
            QCOMPARE(items(d, "SeznamHracu").size(), 9);
            auto* seeds = child<QListWidget>(d, "SeznamNasazenych");
            seeds->setFocus();
            QCOMPARE(seeds->currentRow(), 2);
            QTest::keyClick(seeds, Qt::Key_Up, Qt::ControlModifier);
            QTest::keyClick(seeds, Qt::Key_Up, Qt::ControlModifier);
            QCOMPARE(items(d, "SeznamNasazenych"), (QStringList{names[0], names[2], names[3]}));
            QTest::keyClick(seeds, Qt::Key_Down);
            QTest::keyClick(seeds, Qt::Key_Delete);
            QCOMPARE(items(d, "SeznamNasazenych"), (QStringList{names[0], names[3]}));
            // The unseeded one goes back into his place in registration order.
            QCOMPARE(items(d, "SeznamHracu").mid(0, 2), (QStringList{names[1], names[2]}));
            // The last seed is chosen now: he cannot go further down.
            QVERIFY(!child<QPushButton>(d, "Dolu")->isEnabled());
            clickButton(d, "Button1");
            QVERIFY(!d->isVisible());
        });
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(Dialogs::unanswered(), 0);
        QCOMPARE(app.session.lobby.seeds, strings({names[0], names[3]}));

        // Storno keeps them; the window shows them again.
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(items(d, "SeznamNasazenych"), (QStringList{names[0], names[3]}));
            clickButton(d, "Odebrat");
            clickButton(d, "Button2");
        });
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(app.session.lobby.seeds, strings({names[0], names[3]}));

        // The draw puts seed 1 into Lab1 and seed 2 into Lab2; with 12 players both have a bye.
        TBracketWindow* w = draw(app, 2);
        QVERIFY(w);
        QCOMPARE(label(w, "Lab1")->text(), names[0]);
        QCOMPARE(label(w, "Lab2")->text(), names[3]);
        QCOMPARE(label(w, "Lab16")->text(), QStringLiteral("Volný los"));
    }

    void moreThanAQuarterIsRefusedOnOk()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 8);
        Dialogs::script([&](QDialog* d) {
            QVERIFY(child<QLabel>(d, "Label3")->text().contains(QStringLiteral("nejvýše 2 hráče")));
            for (int i = 0; i < 3; ++i)
                clickButton(d, "Nasadit");
            clickButton(d, "Button1");
            QVERIFY(d->isVisible());
            clickButton(d, "Odebrat");
            clickButton(d, "Button1");
            QVERIFY(!d->isVisible());
        });
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(Dialogs::messages(), QStringList{"Nasadit lze nejvýše 2 hráče (čtvrtinu pavouka 8 hráčů) !!!"});
        QCOMPARE(app.session.lobby.seeds.size(), 2u);
    }

    void tooFewPlayersToSeedAreToldSo()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 3);
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(child<QLabel>(d, "Label3")->text(),
                     QStringLiteral("Při 3 registrovaných hráčích nelze nasazovat."));
            clickButton(d, "PodleZebricku");
            clickButton(d, "Nasadit");
            clickButton(d, "Button1");
            QVERIFY(d->isVisible());
            clickButton(d, "Button2");
        });
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(Dialogs::messages(), (QStringList{"Při 3 registrovaných hráčích nelze nasazovat.",
                                                   "Při 3 registrovaných hráčích nelze nasazovat !!!"}));
        QVERIFY(app.session.lobby.seeds.empty());
    }

    void byRankingTakesTheSeasonsBestRegistered()
    {
        UiTestEnv env;
        Zorbon app;
        registerTournament(app, 8);
        // Nobody ranked yet: said so, nothing changes.
        Dialogs::script([&](QDialog* d) {
            clickButton(d, "PodleZebricku");
            QVERIFY(items(d, "SeznamNasazenych").isEmpty());
            clickButton(d, "Button2");
        });
        Dialogs::clearShown();
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(Dialogs::messages(), QStringList{"V letošním žebříčku není žádný z registrovaných hráčů"});

        playIntoArchive(app, 77);
        const auto [from, to] = app.core().thisSeason();
        const Result<RankingSheet> sheet = app.core().ranking(from, to);
        QVERIFY(sheet.ok());
        QCOMPARE(sheet->rows.size(), 8u);
        // The next week: the same players but the champion, in another order.
        QStringList again = playerNames(8);
        again.removeAll(QString::fromStdString(sheet->rows[0].player));
        std::reverse(again.begin(), again.end());
        registerAgain(app, again);
        Dialogs::script([&](QDialog* d) {
            clickButton(d, "PodleZebricku");
            QCOMPARE(items(d, "SeznamNasazenych"), (QStringList{QString::fromStdString(sheet->rows[1].player),
                                                                QString::fromStdString(sheet->rows[2].player)}));
            clickButton(d, "Button1");
        });
        child<QAction>(app.HlavniOkno, "Nasazeni1")->trigger();
        QCOMPARE(app.session.lobby.seeds, (std::vector<std::string>{sheet->rows[1].player, sheet->rows[2].player}));
    }
};

QTEST_MAIN(SeedingWindowTest)
#include "seeding_window_test.moc"
