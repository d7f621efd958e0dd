// The season ranking over the archive: the tournaments of a period with a decided final, merged
// spellings, the points kept in the journal, reopened tournaments, and a version-1 journal upgraded
// with every archived tournament placed.

#include "journal_play.h"
#include "journal_v1.h"
#include "ranking/ranking.h"

#include <sqlite3.h>

namespace zorbon::jtest {
namespace {

// The ranking of a period, which must have been read.
RankingSheet rankingOf(Tournament& t, const std::string& from, const std::string& to)
{
    Result<RankingSheet> r = t.ranking(from, to);
    EXPECT_TRUE(r.ok()) << r;
    return std::move(r).value();
}

// A clock whose day the test sets; the time ticks a second per call.
struct DayClock {
    std::shared_ptr<std::string> day = std::make_shared<std::string>("2026-03-01");
    Tournament::Clock clock()
    {
        auto n = std::make_shared<int>(0);
        return [d = day, n](Tournament::TimeFormat format) {
            const int t = (*n)++;
            char buf[32];
            std::snprintf(buf, sizeof buf, " %02d:%02d:%02d", 10 + t / 3600 % 14, t / 60 % 60, t % 60);
            std::string stamp = *d + buf;
            if (format == Tournament::TimeFormat::FileName)
                std::erase_if(stamp, [](char c) { return c == '-' || c == ':'; });
            return stamp;
        };
    }
};

void sql(const std::string& statements)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

class Ranking : public WorkingFolder {
protected:
    Ranking()
        : WorkingFolder(true)
    {
    }
    // Plays a tournament of these players on `day` to its end (or not) and closes it; returns its
    // placings as its results list gives them.
    std::vector<Placing> play(Tournament& t, const std::string& day, const std::vector<std::string>& names,
                              bool finish = true)
    {
        *clock.day = day;
        Player p(t, static_cast<std::uint32_t>(names.size() * 17 + day.back()));
        p.registerPlayers(names, names.size());
        p.draw();
        if (finish)
            EXPECT_TRUE(p.playToEnd());
        else
            p.step();
        const std::vector<Placing> placings = placingsOf(t.session());
        EXPECT_TRUE(t.closeTournament().ok());
        return placings;
    }
    static int points(const std::vector<Placing>& placings, const std::string& name)
    {
        for (const Placing& p : placings)
            if (p.player == name) {
                for (const PointsBand& b : defaultPoints())
                    if (p.from >= b.from && p.from <= b.to)
                        return b.points;
            }
        return 0;
    }
    static const RankingRow* rowOf(const RankingSheet& s, const std::string& name)
    {
        for (const RankingRow& r : s.rows)
            if (r.player == name)
                return &r;
        return nullptr;
    }
    DayClock clock;
};

} // namespace

TEST_F(Ranking, CountsTheDecidedTournamentsThatEndedInThePeriod)
{
    auto t = openLayer(clock.clock());
    const std::vector<std::string> eight = playerNames(8), twelve = playerNames(12);
    const auto march = play(*t, "2026-03-01", eight);
    const auto april = play(*t, "2026-04-15", twelve);
    play(*t, "2026-04-20", eight, false); // closed before its final: it does not count
    const auto lastYear = play(*t, "2025-12-31", eight);

    RankingSheet sheet;
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_EQ(sheet.bands, defaultPoints());
    ASSERT_EQ(sheet.rows.size(), 12u);
    for (const std::string& name : twelve) {
        const RankingRow* r = rowOf(sheet, name);
        ASSERT_NE(r, nullptr) << name;
        EXPECT_EQ(r->points, points(march, name) + points(april, name)) << name;
        EXPECT_EQ(r->tournaments,
                  name <= eight.back() && std::find(eight.begin(), eight.end(), name) != eight.end() ? 2 : 1)
            << name;
    }
    for (std::size_t i = 1; i < sheet.rows.size(); ++i)
        EXPECT_GE(sheet.rows[i - 1].points, sheet.rows[i].points);

    // Both ends of the period count whole days.
    sheet = rankingOf(*t, "2026-03-01", "2026-03-01");
    EXPECT_EQ(sheet.rows.size(), 8u);
    sheet = rankingOf(*t, "2025-12-31", "2026-03-01");
    EXPECT_EQ(rowOf(sheet, eight[0])->tournaments, 2);
    EXPECT_EQ(rowOf(sheet, eight[0])->points, points(march, eight[0]) + points(lastYear, eight[0]));
    sheet = rankingOf(*t, "2026-05-01", "2026-12-31");
    EXPECT_TRUE(sheet.rows.empty());
}

TEST_F(Ranking, MergedSpellingsCountOnceAndPointsAreKeptInTheJournal)
{
    {
        auto t = openLayer(clock.clock());
        std::vector<std::string> first = playerNames(6);
        std::vector<std::string> second = first;
        second[0] = "Hráč 1 Novak"; // the same player, typed differently a week later
        const auto a = play(*t, "2026-03-01", first);
        const auto b = play(*t, "2026-03-08", second);
        sql("INSERT INTO player_alias(alias, name) VALUES('Hráč 1 Novak', 'Hráč 1 Novák')");
        RankingSheet sheet;
        sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
        EXPECT_EQ(sheet.rows.size(), 6u);
        ASSERT_NE(rowOf(sheet, first[0]), nullptr);
        EXPECT_EQ(rowOf(sheet, first[0])->tournaments, 2);
        EXPECT_EQ(rowOf(sheet, first[0])->points, points(a, first[0]) + points(b, second[0]));
        EXPECT_EQ(rowOf(sheet, second[0]), nullptr);

        std::vector<PointsBand> bands = defaultPoints();
        for (PointsBand& band : bands)
            band.points = band.from; // 1 for first place, 2 for second …
        ASSERT_TRUE(t->setRankingPoints(bands).ok());
        bands[0].points = -3;
        EXPECT_TRUE(t->setRankingPoints(bands).isRefused());
    }
    auto t = openLayer(clock.clock());
    RankingSheet sheet;
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_EQ(sheet.bands[4], (PointsBand{5, 6, 5}));
    // Points that do not fit the bands (written by hand into the file) give way to the defaults.
    sql("DELETE FROM ranking_points WHERE place_from = 49");
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_EQ(sheet.bands, defaultPoints());
}

TEST_F(Ranking, AReopenedTournamentCountsAsItEndsAgain)
{
    auto t = openLayer(clock.clock());
    play(*t, "2026-03-01", playerNames(5), false);
    RankingSheet sheet;
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_TRUE(sheet.rows.empty());
    // Reopened, played to its end and closed again: now it counts.
    const auto archive = t->archive().value();
    ASSERT_EQ(archive.size(), 1u);
    ASSERT_TRUE(t->reopen(archive[0].id).ok());
    Player p(*t, 3);
    p.adoptRoster();
    ASSERT_TRUE(p.playToEnd());
    ASSERT_TRUE(t->closeTournament().ok());
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_EQ(sheet.rows.size(), 5u);
    // Deleted from the archive: gone from the ranking.
    ASSERT_TRUE(t->deleteArchived(t->archive().value()[0].id).ok());
    sheet = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_TRUE(sheet.rows.empty());
}

TEST_F(Ranking, AVersionOneJournalIsUpgradedWithEveryArchivedTournamentPlaced)
{
    RankingSheet before;
    {
        auto t = openLayer(clock.clock());
        play(*t, "2026-03-01", playerNames(7));
        play(*t, "2026-03-02", playerNames(16));
        Player p(*t, 5);
        p.registerPlayers(playerNames(4), 4); // a running tournament survives the upgrade too
        before = rankingOf(*t, "2026-01-01", "2026-12-31");
        ASSERT_EQ(before.rows.size(), 16u);
    }
    // The journal as the previous version of the program left it.
    sql(zorbon::test::kBackToVersionOne);
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
    ASSERT_TRUE(o.running.has_value());
    auto t = layerOver(std::move(o), clock.clock());
    RankingSheet after;
    after = rankingOf(*t, "2026-01-01", "2026-12-31");
    EXPECT_EQ(after.rows, before.rows);
    EXPECT_EQ(t->archive().value().size(), 2u);
    ASSERT_TRUE(t->resume().ok());
    EXPECT_EQ(ReadRoster(), playerNames(4));
    t.reset();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), Journal::kVersion);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

TEST_F(Ranking, WithoutAJournalTheRankingSaysWhy)
{
    Tournament t(nullptr, std::nullopt, "Disk full");
    const Result<RankingSheet> sheet = t.ranking("2026-01-01", "2026-12-31");
    EXPECT_EQ(sheet, Outcome::failed("Disk full"));
    EXPECT_EQ(sheet->from, "2026-01-01") << "the period and the points stand without the journal";
    EXPECT_EQ(sheet->bands, defaultPoints());
    EXPECT_TRUE(t.seedsFromRanking(0).isRefused()) << "nobody registered: nothing to seed";
    t.editableSession().lobby.count = 8;
    EXPECT_TRUE(t.seedsFromRanking(0).isFailed());
}

} // namespace zorbon::jtest
