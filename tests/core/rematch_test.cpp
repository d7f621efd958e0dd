// Whole random tournaments played on the rules alone, in every size: who meets whom, how often two
// players meet again and how early, and the results and placings double elimination promises.

#include "engine.h"
#include "results/standings.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>

using namespace zorbon;
using namespace zorbon::test;

namespace {

struct RematchCase {
    int size;
    int fewest; // players the size takes
    // The earliest losers' round in which two players can meet a second time: the crossover keeps
    // them apart in every round before it.
    int earliestRematch;
};

const RematchCase kRematchCases[] = {{8, 4, 3}, {16, 9, 4}, {32, 17, 5}, {64, 33, 7}};

struct Played {
    std::string upper;
    std::string lower;
    Round round;
};

// Plays the bracket to its end with every board in use and random winners; returns the matches in
// the order they were decided.
std::vector<Played> playOut(Bracket& b, Lcg& rng)
{
    std::vector<Played> played;
    for (int n = 1; n <= b.table().rules.boards; ++n)
        setFree(b.board(n));
    const Say quiet = [](const std::string&) {};
    const int finalBox = b.table().finalNumber();
    for (int guard = 0; b.state(finalBox) != BoxState::Finished; ++guard) {
        if (guard > 1000) {
            ADD_FAILURE() << "the tournament does not end";
            break;
        }
        CallReadyMatches(b, b.table().rules.boards, quiet);
        bool entered = false;
        for (int n = 1; n <= b.table().rules.boards; ++n) {
            const Board& board = b.board(n);
            if (board.state != BoardState::Occupied)
                continue;
            played.push_back({board.player1, board.player2, b.table().box(board.match).round});
            const bool upperWins = rng.pick(2) == 0;
            const Outcome o = enterResult(b, n, upperWins ? "3" : "1", upperWins ? "1" : "3");
            EXPECT_TRUE(o.ok()) << o.message();
            entered = true;
        }
        if (!entered) {
            ADD_FAILURE() << "nothing ready while the final is open";
            break;
        }
    }
    return played;
}

std::string roundName(const Round& r)
{
    if (r.side == Side::Final)
        return "F";
    return (r.side == Side::Winners ? "W" : "L") + std::to_string(r.number);
}

class Rematches : public ::testing::TestWithParam<RematchCase> {};

std::string caseName(const ::testing::TestParamInfo<RematchCase>& info)
{
    return "Size" + std::to_string(info.param.size);
}

} // namespace

TEST_P(Rematches, NoTwoPlayersMeetAgainBeforeTheCrossoverAllowsIt)
{
    const RematchCase& c = GetParam();
    constexpr int kTournaments = 3000;
    Lcg rng(20261209u + static_cast<std::uint32_t>(c.size));
    std::map<std::string, int> rematchesByRound;
    int earliestSeen = 0;
    long matches = 0;
    for (int i = 0; i < kTournaments; ++i) {
        const int n = c.fewest + static_cast<int>(rng.pick(static_cast<std::uint32_t>(c.size - c.fewest + 1)));
        Bracket b(c.size);
        auto names = playerNames(n);
        fillFirstRound(b, names, rng, n);
        const std::vector<Played> played = playOut(b, rng);
        matches += static_cast<long>(played.size());

        // Double elimination: 2n - 2 results decide n players; nobody but the champion loses twice
        // before being out, and each loses at most twice.
        ASSERT_EQ(static_cast<int>(played.size()), 2 * n - 2) << n << " players";
        std::set<std::pair<std::string, std::string>> met;
        for (const Played& p : played) {
            ASSERT_NE(p.upper, kBye);
            ASSERT_NE(p.lower, kBye);
            const auto pair = std::minmax(p.upper, p.lower);
            if (met.insert(pair).second)
                continue;
            ++rematchesByRound[roundName(p.round)];
            // The winners' side never brings two players together twice; the final often does.
            EXPECT_NE(p.round.side, Side::Winners)
                << p.upper << " and " << p.lower << " meet again in " << roundName(p.round) << " of the " << c.size;
            if (p.round.side == Side::Losers) {
                EXPECT_GE(p.round.number, c.earliestRematch) << p.upper << " and " << p.lower << " with " << n;
                if (earliestSeen == 0 || p.round.number < earliestSeen)
                    earliestSeen = p.round.number;
            }
        }
        // Everybody is placed once, the champion and the runner-up by the final.
        const std::vector<std::string> lines = standings(b);
        auto everybody = playerNames(n);
        std::sort(everybody.begin(), everybody.end());
        ASSERT_EQ(placedNames(lines), everybody) << n << " players";
    }
    // The bound is tight: some tournament does bring a rematch in that very round.
    EXPECT_EQ(earliestSeen, c.earliestRematch);
    std::cout << "[ rematches ] " << c.size << ": " << kTournaments << " tournaments, " << matches << " matches;";
    for (const auto& [round, count] : rematchesByRound)
        std::cout << ' ' << round << '=' << count;
    std::cout << "; earliest L" << earliestSeen << '\n';
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Rematches, ::testing::ValuesIn(kRematchCases), caseName);
