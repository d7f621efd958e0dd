// The season ranking's rules: Czech order of names, points by placing band, shared ranks and their
// order, merged spellings, and the placings and wins a played tournament leaves.

#include "engine.h"
#include "ranking/czech.h"
#include "ranking/ranking.h"
#include "ranking/ranking_export.h"

#include <algorithm>
#include <random>
#include <set>

using namespace zorbon;
using namespace zorbon::test;

TEST(CzechOrder, FollowsTheCzechAlphabet)
{
    // Each name sorts before the next one.
    const std::vector<std::string> ordered{"adam",     "Adam",    "Adámek", "Bureš",  "Cyril",   "Čech",    "Ďurica",
                                           "Dvořák",   "Eliáš",   "Hrubý",  "Hůla",   "Chalupa", "Ivan",    "Novák",
                                           "Nováková", "Novotný", "Rybář",  "Řezník", "Svoboda", "Šťastný", "Tichý",
                                           "Ťoupal",   "Zeman",   "Žák",    "Žák Jan"};
    for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_LT(czechCompare(ordered[i], ordered[i + 1]), 0) << ordered[i] << " / " << ordered[i + 1];
        EXPECT_GT(czechCompare(ordered[i + 1], ordered[i]), 0) << ordered[i + 1] << " / " << ordered[i];
    }
    EXPECT_EQ(czechCompare("Jan Novák", "Jan Novák"), 0);
    EXPECT_LT(czechCompare("Dana", "Ďana"), 0) << "an accent decides only between otherwise equal names";
    // A space ends a word before any letter: "Nový Jan" before "Nováček".
    EXPECT_LT(czechCompare("Jan Nový", "Jana Nová"), 0);
    EXPECT_LT(czechCompare("Hráč 9", "Hráč A"), 0) << "digits before letters";
    // Bytes that are no UTF-8 still order, and never crash.
    EXPECT_NE(czechCompare(std::string("\xFF\xC3", 2), "a"), 0);
}

namespace {

ArchivedPlacings tournament(std::int64_t id, std::vector<Placing> placings)
{
    return {id, std::move(placings)};
}

} // namespace

TEST(SeasonRanking, EqualPointsShareARankOrderedByWinsThenBestPlacingThenName)
{
    const std::vector<ArchivedPlacings> archive{
        tournament(1, {{"Eva", 1, 1, 4}, {"Ota", 2, 2, 3}, {"Jan", 3, 3, 2}, {"Čeněk", 4, 4, 2}, {"Cyril", 4, 4, 2}}),
        // 40 + 40 for Čeněk and Cyril, both with 4 wins and best 4th: name order, č after c.
        tournament(2, {{"Jan", 3, 3, 1}, {"Čeněk", 4, 4, 2}, {"Cyril", 4, 4, 2}, {"Ota", 5, 6, 1}, {"Ivo", 1, 1, 5}}),
    };
    const std::vector<RankingRow> rows = seasonRanking(archive, defaultPoints(), {});
    std::vector<std::string> order;
    for (const RankingRow& r : rows)
        order.push_back(std::to_string(r.rank) + ". " + r.player + " " + std::to_string(r.points));
    // Four players with 100 share first place: Ivo with the most wins, then Eva before Ota (a better
    // best placing), then Jan; the next rank is 5.
    EXPECT_EQ(order, (std::vector<std::string>{"1. Ivo 100", "1. Eva 100", "1. Ota 100", "1. Jan 100", "5. Cyril 80",
                                               "5. Čeněk 80"}));
}

TEST(SeasonRanking, CountsTournamentsWinsAndTheBestPlacing)
{
    const std::vector<ArchivedPlacings> archive{
        tournament(1, {{"Eva", 5, 6, 2}, {"Ota", 1, 1, 5}}),
        tournament(2, {{"Eva", 2, 2, 4}}),
        tournament(3, {{"Eva", 49, 64, 0}, {"Ota", 33, 48, 1}}),
    };
    const std::vector<RankingRow> rows = seasonRanking(archive, defaultPoints(), {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (RankingRow{1, "Ota", 100 + 3, 2, 6, 1, 1}));
    EXPECT_EQ(rows[1], (RankingRow{2, "Eva", 30 + 70 + 2, 3, 6, 2, 2}));
    EXPECT_EQ(rankingCells(rows[1]), (std::vector<std::string>{"2.", "Eva", "102", "3", "6", "2. místo"}));
    // A placing no band covers earns nothing, but the tournament and the wins still count.
    std::vector<PointsBand> few{{1, 1, 10}};
    EXPECT_EQ(seasonRanking(archive, few, {})[0], (RankingRow{1, "Ota", 10, 2, 6, 1, 1}));
}

TEST(SeasonRanking, MergedSpellingsCountAsOnePlayer)
{
    const Aliases merged{{"Petr Novak", "Petr Novák"}, {"P. Novák", "Petr Novak"}};
    const std::vector<ArchivedPlacings> archive{
        tournament(1, {{"Petr Novak", 1, 1, 4}, {"Jan", 2, 2, 3}}),
        tournament(2, {{"P. Novák", 3, 3, 2}, {"Jan", 1, 1, 4}}),
        // Two spellings in one tournament: it counts once, with the better placing and both players' wins.
        tournament(3, {{"Petr Novák", 7, 8, 1}, {"Petr Novak", 2, 2, 3}, {"Jan", 1, 1, 4}}),
    };
    const std::vector<RankingRow> rows = seasonRanking(archive, defaultPoints(), merged);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (RankingRow{1, "Jan", 70 + 100 + 100, 3, 11, 1, 1}));
    EXPECT_EQ(rows[1], (RankingRow{2, "Petr Novák", 100 + 50 + 70, 3, 4 + 2 + 1 + 3, 1, 1}));
}

TEST(RankingPoints, OnlyTheBandsInTheirOrderWithSanePoints)
{
    std::vector<PointsBand> bands = defaultPoints();
    EXPECT_TRUE(validPoints(bands));
    EXPECT_EQ(pointsLine(bands), "1. 100, 2. 70, 3. 50, 4. 40, 5-6. 30, 7-8. 25, 9-12. 20, 13-16. 15, 17-24. 10, "
                                 "25-32. 5, 33-48. 3, 49-64. 2");
    bands[4].points = -1;
    EXPECT_FALSE(validPoints(bands));
    bands[4].points = kMaxBandPoints;
    EXPECT_TRUE(validPoints(bands));
    bands[4].to = 7;
    EXPECT_FALSE(validPoints(bands));
    bands.pop_back();
    EXPECT_FALSE(validPoints(bands));
}

TEST(RankingExport, CsvAsTheResultsListsAndHtmlEscaped)
{
    RankingSheet sheet{"2026-01-01", "2026-12-09", defaultPoints(), {{1, "Eva; \"E\"", 100, 1, 3, 1, 1}}};
    EXPECT_EQ(rankingFileName(sheet), "Žebříček 2026-01-01 až 2026-12-09");
    EXPECT_EQ(rankingCsv(sheet), "\xEF\xBB\xBF"
                                 "Žebříček 1. 1. 2026 – 9. 12. 2026\r\n"
                                 "Body za umístění;1. 100, 2. 70, 3. 50, 4. 40, 5-6. 30, 7-8. 25, 9-12. 20, "
                                 "13-16. 15, 17-24. 10, 25-32. 5, 33-48. 3, 49-64. 2\r\n"
                                 "\r\n"
                                 "Pořadí;Hráč;Body;Turnaje;Vítězství;Nejlepší umístění\r\n"
                                 "1.;\"Eva; \"\"E\"\"\";100;1;3;1. místo\r\n");
    sheet.rows[0].player = "<script>alert(1)</script> & Co";
    const std::string html = rankingHtml(sheet);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Co"), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("Žebříček 1. 1. 2026 – 9. 12. 2026"), std::string::npos);
    EXPECT_NE(html.find("49-64. 2"), std::string::npos);
    EXPECT_EQ(czechDate("2026-12-09"), "9. 12. 2026");
    EXPECT_EQ(czechDate("nesmysl"), "nesmysl");
}

// --- Placings and wins of a played tournament ----------------------------------------------------------

class PlayedTournament : public Engine, public ::testing::WithParamInterface<int> {};

TEST_P(PlayedTournament, EveryPlayerPlacedOnceAndEveryRealMatchWonOnce)
{
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    for (const int n : {GetParam() / 2 + 1, GetParam() * 3 / 4, GetParam()}) {
        Bracket& b = drawn(n, static_cast<std::uint32_t>(n * 31));
        boards(b.table().rules.boards);
        EXPECT_TRUE(placingsOf(t.session()).empty()) << "nothing before the final";
        int decided = 0;
        for (int guard = 0; b.state(b.table().finalNumber()) != BoxState::Finished && guard < 500; ++guard) {
            hraj();
            for (int k = 1; k <= b.boardCount(); ++k) {
                if (b.board(k).state != BoardState::Occupied)
                    continue;
                const bool upperWins = rng() % 2 == 0;
                ASSERT_TRUE(t.enterResult(k, upperWins ? "3" : "1", upperWins ? "1" : "3").ok());
                ++decided;
            }
        }
        const std::vector<Placing> placings = placingsOf(t.session());
        ASSERT_EQ(static_cast<int>(placings.size()), n);
        int wins = 0;
        std::set<std::string> names;
        for (const Placing& p : placings) {
            names.insert(p.player);
            wins += p.wins;
            EXPECT_GE(p.to, p.from);
            // Everybody but the champion lost twice, so won at most as often as there are rounds.
            EXPECT_LE(p.wins, 2 * GetParam());
        }
        EXPECT_EQ(names, std::set<std::string>(registered.begin(), registered.end()));
        EXPECT_EQ(wins, decided) << "byes and walkovers are no wins";
        EXPECT_EQ(std::count_if(placings.begin(), placings.end(), [](const Placing& p) { return p.from == 1; }), 1);
        ASSERT_TRUE(t.closeTournament().ok());
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, PlayedTournament, ::testing::ValuesIn(kBracketSizes),
                         [](const auto& param) { return "Pavouk" + std::to_string(param.param); });
