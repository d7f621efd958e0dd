// The club's players window: the register with what the archive tells of each player, the search,
// merging two spellings and deleting a player.

#include "bracketui.h"
#include "club/THraciKlubu.h"
#include "lobbytest.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

using namespace bracketui;

namespace {

// One 4-player tournament played to its final's result and closed into the archive.
void playOneTournament(Zorbon& app, const QStringList& players, std::uint32_t seed)
{
    QVERIFY(app.core().acceptNewTournament({"Čtvrtek", "Klub", "1. 5."}).ok());
    for (const QString& p : players)
        QVERIFY(app.core().addPlayer(p.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2, seed);
    QVERIFY(w);
    playToFinal(w);
    const Bracket& b = w->bracket();
    const int board = boardOf(b, b.table().finalNumber());
    enterResult(w, board, QStringLiteral("3"), QStringLiteral("0"));
    QVERIFY(!app.core().session().lobby.header.name.empty());
    QVERIFY(app.core().closeTournament().ok());
}

struct Row {
    QString name, tournaments, best, last;
};

QList<Row> visibleRows(QDialog* d)
{
    auto* t = child<QTableWidget>(d, "Tabulka");
    QList<Row> out;
    for (int r = 0; r < t->rowCount(); ++r)
        if (!t->isRowHidden(r))
            out.append({t->item(r, 0)->text(), t->item(r, 1)->text(), t->item(r, 2)->text(), t->item(r, 3)->text()});
    return out;
}

Row rowOf(QDialog* d, const QString& name)
{
    for (const Row& r : visibleRows(d))
        if (r.name == name)
            return r;
    return {};
}

void choose(QDialog* d, const QStringList& names)
{
    auto* t = child<QTableWidget>(d, "Tabulka");
    t->clearSelection();
    for (int r = 0; r < t->rowCount(); ++r)
        if (names.contains(t->item(r, 0)->text()))
            t->selectionModel()->select(t->model()->index(r, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class ClubWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheRegisterWithTournamentsPlacingsAndLastPlayed()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        playOneTournament(app, {"Petr Novák", "Jana Malá", "Čeněk Řehoř", "Eva Černá"}, 3);
        playOneTournament(app, {"Petr Novák", "Jana Malá", "Ota Šíp", "Petr Novak"}, 5);
        QVERIFY(app.core().acceptNewTournament({"Dnes", "", ""}).ok());
        QVERIFY(app.core().addPlayer("Žofie Nováčková").ok()); // registered, never played
        app.HlavniOkno->show();
        Dialogs::clearShown();
        Dialogs::script([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("THraciKlubu"));
            QCOMPARE(d->windowTitle(), QStringLiteral("Zorbon - Hráči klubu"));
            auto* t = child<QTableWidget>(d, "Tabulka");
            QCOMPARE(t->columnCount(), 4);
            QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("Hráč"));
            QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral("Turnaje"));
            QCOMPARE(t->horizontalHeaderItem(2)->text(), QStringLiteral("Nejlepší umístění"));
            QCOMPARE(t->horizontalHeaderItem(3)->text(), QStringLiteral("Naposledy hrál"));
            const QList<Row> rows = visibleRows(d);
            QStringList names;
            for (const Row& r : rows)
                names << r.name;
            // Czech order: "Č" after "C", "Ř" after "R", "Š" after "S", "Ž" last.
            QCOMPARE(names, (QStringList{"Čeněk Řehoř", "Eva Černá", "Jana Malá", "Ota Šíp", "Petr Novak", "Petr Novák",
                                         "Žofie Nováčková"}));
            QCOMPARE(rowOf(d, "Petr Novák").tournaments, QStringLiteral("2"));
            QCOMPARE(rowOf(d, "Eva Černá").tournaments, QStringLiteral("1"));
            QCOMPARE(rowOf(d, "Žofie Nováčková").tournaments, QStringLiteral("0"));
            QCOMPARE(rowOf(d, "Žofie Nováčková").best, QStringLiteral("–"));
            QCOMPARE(rowOf(d, "Žofie Nováčková").last, QStringLiteral("–"));
            const QString today = QDate::currentDate().toString(QStringLiteral("d. M. yyyy"));
            QCOMPARE(rowOf(d, "Petr Novák").last, today);
            // Four players in the 8 bracket: places 1 to 4, each once per tournament.
            QStringList bests;
            for (const QString& n : QStringList{"Čeněk Řehoř", "Eva Černá"})
                bests << rowOf(d, n).best;
            for (const QString& b : bests)
                QVERIFY2(QStringList({"1.", "2.", "3.", "4."}).contains(b), qPrintable(b));

            // The search: start of any word, case and accents aside.
            QTest::keyClicks(child<QLineEdit>(d, "Hledat"), QStringLiteral("NOVA"));
            names.clear();
            for (const Row& r : visibleRows(d))
                names << r.name;
            QCOMPARE(names, (QStringList{"Petr Novak", "Petr Novák", "Žofie Nováčková"}));
            child<QLineEdit>(d, "Hledat")->clear();
            QCOMPARE(visibleRows(d).size(), 7);
        });
        click(app.HlavniOkno, "HraciKlubu1");
        QCOMPARE(Dialogs::messages(), QStringList());
        QCOMPARE(Dialogs::unanswered(), 0);
    }

    void mergesTwoSpellingsAndDeletesAPlayerButNotHisResults()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        playOneTournament(app, {"Petr Novák", "Jana Malá", "Čeněk Řehoř", "Eva Černá"}, 3);
        playOneTournament(app, {"Petr Novak", "Jana Malá", "Ota Šíp", "Eva Černá"}, 5);
        app.HlavniOkno->show();
        const std::vector<ArchivedTournament> archive = app.core().archive().value();
        const Result<ResultsSheet> beforeRead = app.core().archivedSheet(archive.back().id);
        QVERIFY(beforeRead.ok());
        const ResultsSheet& before = beforeRead.value();
        Dialogs::clearShown();
        Dialogs::script([&](QDialog* d) {
            // Merging needs two rows.
            choose(d, {"Jana Malá"});
            QVERIFY(!child<QPushButton>(d, "Sloucit")->isEnabled());
            QVERIFY(child<QPushButton>(d, "Smazat")->isEnabled());
            choose(d, {"Jana Malá", "Eva Černá", "Ota Šíp"});
            QVERIFY(!child<QPushButton>(d, "Sloucit")->isEnabled());

            choose(d, {"Petr Novák", "Petr Novak"});
            Dialogs::script([](QDialog* s) {
                QCOMPARE(s->objectName(), QStringLiteral("TSloucit"));
                auto* combo = child<QComboBox>(s, "ComboBox1");
                QCOMPARE(combo->count(), 2);
                combo->setCurrentIndex(combo->findText(QStringLiteral("Petr Novák")));
                click(s, "Button1");
            });
            click(d, "Sloucit");
            QCOMPARE(rowOf(d, "Petr Novak").name, QString());
            QCOMPARE(rowOf(d, "Petr Novák").tournaments, QStringLiteral("2"));
            QCOMPARE(visibleRows(d).size(), 5);

            // Storno in the question keeps everything.
            choose(d, {"Ota Šíp"});
            Dialogs::script([](QDialog* q) { click(q, "Button2"); });
            click(d, "Smazat");
            QCOMPARE(visibleRows(d).size(), 5);
            Dialogs::script([](QDialog* q) {
                QCOMPARE(q->objectName(), QStringLiteral("TSmazatHrace"));
                QVERIFY(child<QLabel>(q, "Label1")->text().startsWith(QStringLiteral("Opravdu smazat hráče Ota Šíp")));
                click(q, "Button1");
            });
            click(d, "Smazat");
            QCOMPARE(rowOf(d, "Ota Šíp").name, QString());
            QCOMPARE(visibleRows(d).size(), 4);
        });
        click(app.HlavniOkno, "HraciKlubu1");
        QCOMPARE(Dialogs::unanswered(), 0);
        QCOMPARE(app.core().aliasMap().value(), (Aliases{{"Petr Novak", "Petr Novák"}}));
        // The archive's results lists are as they were.
        const Result<ResultsSheet> afterRead = app.core().archivedSheet(archive.back().id);
        QVERIFY(afterRead.ok());
        const ResultsSheet& after = afterRead.value();
        QCOMPARE(after.displayed, before.displayed);
        const Result<ResultsSheet> secondRead = app.core().archivedSheet(archive.front().id);
        QVERIFY(secondRead.ok());
        const ResultsSheet& second = secondRead.value();
        bool otaThere = false, typoThere = false;
        for (const std::string& line : second.displayed) {
            otaThere = otaThere || line.find("Ota Šíp") != std::string::npos;
            typoThere = typoThere || line.find("Petr Novak") != std::string::npos;
        }
        QVERIFY(otaThere);
        QVERIFY(typoThere);
    }
};

QTEST_MAIN(ClubWindowTest)
#include "club_window_test.moc"
