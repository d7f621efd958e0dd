// Whole tournaments for every player count, played to the end with random scores through "Hraj",
// with and without corrections along the way, checked against what double elimination promises.

#include "bracket/correction.h"
#include "engine.h"
#include "records/errors.h"
#include "results/standings.h"

#include <map>
#include <random>

// In the tests' own namespace, so that the fixture's name hides the command layer's.
namespace zorbon::test {
namespace {

class Tournament : public Engine, public ::testing::WithParamInterface<int> {
protected:
    int n = 0;
    int boardsInPlay = 0;
    std::mt19937 rng;
    std::map<std::string, int> losses;

    int random(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); }

    Bracket& start(std::uint32_t seed, int boardCount)
    {
        n = GetParam();
        rng.seed(seed);
        losses.clear();
        Bracket& b = drawn(n, seed);
        boardsInPlay = boardCount;
        boards(boardCount);
        return b;
    }

    // Two unequal scores, not both zero; a tie now and then for a final that accepts one.
    std::pair<int, int> scores(bool tieAllowed)
    {
        if (tieAllowed && random(0, 5) == 0) {
            const int s = random(1, 4);
            return {s, s};
        }
        int s1 = random(0, 5);
        int s2 = random(0, 5);
        while (s1 == s2)
            s2 = random(0, 5);
        return {s1, s2};
    }

    // Enters a random result on a random occupied board; false when no board is occupied.
    bool finishOne(Bracket& b)
    {
        std::vector<int> busy;
        for (int k = 1; k <= b.boardCount(); ++k)
            if (b.board(k).state == BoardState::Occupied)
                busy.push_back(k);
        if (busy.empty())
            return false;
        const int board = busy[static_cast<std::size_t>(random(0, static_cast<int>(busy.size()) - 1))];
        const auto& box = b.table().box(b.board(board).match);
        const auto [s1, s2] = scores(box.isFinal() && b.table().rules.finalTieToUpper);
        const std::string p1 = b.board(board).player1;
        const std::string p2 = b.board(board).player2;
        const Outcome r = t.enterResult(board, std::to_string(s1), std::to_string(s2));
        EXPECT_TRUE(r.ok()) << r.message();
        ++losses[s2 > s1 ? p1 : p2];
        return true;
    }

    // The bracket's cells agree with every result entered, and each player is in exactly one place:
    // waiting in one undecided box, or placed by the standings.
    void checkConsistent(const Bracket& b)
    {
        const auto& table = b.table();
        std::map<std::string, int> where;
        for (int m = 1; m <= table.boxCount(); ++m) {
            const BoxSpec& box = table.box(m);
            const std::string& up = b.name(box.upper);
            const std::string& low = b.name(box.lower);
            if (b.state(m) == BoxState::OnBoard) {
                const int board = boardOf(b, m);
                ASSERT_NE(board, 0) << "box " << m;
                EXPECT_EQ(b.board(board).player1, up) << "box " << m;
                EXPECT_EQ(b.board(board).player2, low) << "box " << m;
            }
            if (b.state(m) != BoxState::Finished) {
                for (const std::string* name : {&up, &low})
                    if (*name != kUnknown && *name != kBye)
                        ++where[*name];
                continue;
            }
            if (box.isFinal())
                continue;
            if (b.score(box.upper) == kNoScore && b.score(box.lower) == kNoScore) {
                // Settled without play: one side is a bye and the other goes on.
                ASSERT_TRUE(up == kBye || low == kBye) << "box " << m;
                EXPECT_EQ(b.name(box.winnerTo), up == kBye ? low : up) << "box " << m;
                if (box.loserTo != kNoSlot) {
                    EXPECT_EQ(b.name(box.loserTo), kBye) << "box " << m;
                }
                continue;
            }
            const bool upperWon = parseInt(b.score(box.upper)) > parseInt(b.score(box.lower));
            EXPECT_EQ(b.name(box.winnerTo), upperWon ? up : low) << "box " << m;
            if (box.loserTo != kNoSlot) {
                EXPECT_EQ(b.name(box.loserTo), upperWon ? low : up) << "box " << m;
            }
        }
        for (int k = 1; k <= b.boardCount(); ++k) {
            if (b.board(k).state == BoardState::Occupied) {
                EXPECT_EQ(b.state(b.board(k).match), BoxState::OnBoard) << "board " << k;
            }
        }
        for (const auto& name : placedNames(standings(b)))
            ++where[name];
        ASSERT_EQ(where.size(), registered.size());
        for (const auto& name : registered)
            EXPECT_EQ(where[name], 1) << name;
    }

    // The end: the final decided, every box settled, everyone placed once, by the right labels.
    void checkFinished(const Bracket& b)
    {
        const auto& table = b.table();
        const BoxSpec& fin = table.box(table.finalNumber());
        ASSERT_EQ(b.state(fin.number), BoxState::Finished);
        for (int m = 1; m <= table.boxCount(); ++m)
            EXPECT_EQ(b.state(m), BoxState::Finished) << "box " << m;
        for (int k = 1; k <= b.boardCount(); ++k)
            EXPECT_NE(b.board(k).state, BoardState::Occupied);

        const auto lines = standings(b);
        const std::string champion = splitPlacing(lines.back()).second;
        EXPECT_EQ(b.winnerLine,
                  std::string(table.rules.winnerPrefix) + champion + std::string(table.rules.winnerSuffix));
        EXPECT_NE(std::find(registered.begin(), registered.end(), champion), registered.end());

        auto expectedNames = registered;
        std::sort(expectedNames.begin(), expectedNames.end());
        EXPECT_EQ(placedNames(lines), expectedNames);

        // Byes only ever take the lowest places: each label is filled from the top.
        std::map<std::string, int> perLabel;
        for (const auto& l : lines)
            ++perLabel[splitPlacing(l).first];
        std::map<std::string, int> expected = {{"1. místo ", 1}, {"2. místo ", 1}};
        int left = n - 2;
        for (int round = static_cast<int>(standingsOrder(table.size).size()); left > 0 && round >= 1; --round) {
            int boxes = 0;
            for (const auto& box : table.boxes)
                boxes += box.round == Round{Side::Losers, round} ? 1 : 0;
            if (boxes == 0)
                continue;
            const int placed = std::min(boxes, left);
            expected[std::string(table.rules.placeByLosersRound[static_cast<std::size_t>(round - 1)])] += placed;
            left -= placed;
        }
        EXPECT_EQ(perLabel, expected);

        // Nobody loses more than twice, and the champion at most once.
        for (const auto& [name, count] : losses)
            EXPECT_LE(count, name == champion ? 1 : 2) << name;
    }

    int capacity(const Bracket& b) const { return b.table().rules.boards; }
};

} // namespace

TEST_P(Tournament, PlaysToTheFinalAndPlacesEveryoneOnce)
{
    const std::uint32_t seeds[] = {1, 7, 42, 2024};
    for (std::size_t i = 0; i < std::size(seeds); ++i) {
        SCOPED_TRACE("seed " + std::to_string(seeds[i]));
        const int cap = tableFor(bracketSizeFor(GetParam())).rules.boards;
        const int boardCounts[] = {1, cap, 1 + static_cast<int>(seeds[i]) % cap, (cap + 1) / 2};
        Bracket& b = start(seeds[i], boardCounts[i]);
        const int finalNo = b.table().finalNumber();
        for (int guard = 0; b.state(finalNo) != BoxState::Finished; ++guard) {
            ASSERT_LT(guard, 500) << "the tournament does not end";
            said.clear();
            CallReadyMatches(b, boardsInPlay, say());
            // Someone is always on a board until the final is decided.
            ASSERT_TRUE(finishOne(b));
            checkConsistent(b);
            if (HasFatalFailure() || HasFailure())
                return;
        }
        checkFinished(b);
    }
}

TEST_P(Tournament, CorrectionsDuringPlayKeepEveryoneInOnePlace)
{
    int applied = 0;
    int tooLate = 0;
    for (const std::uint32_t seed : {3u, 99u, 5u, 11u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        // Few boards, so that finished boxes stay correctable for a while.
        Bracket& b = start(seed, 1 + static_cast<int>(seed % 2));
        const int finalNo = b.table().finalNumber();
        for (int guard = 0; b.state(finalNo) != BoxState::Finished; ++guard) {
            ASSERT_LT(guard, 2000) << "the tournament does not end";
            if (random(0, 2) == 0) {
                // A click on a box, mostly one that can be corrected: then "Ano" or "Ne".
                std::vector<int> open;
                for (int m = 1; m <= finalNo; ++m)
                    if (canCorrect(b, m))
                        open.push_back(m);
                const int box = open.empty() || random(0, 4) == 0
                                    ? random(1, finalNo)
                                    : open[static_cast<std::size_t>(random(0, static_cast<int>(open.size()) - 1))];
                const std::string before = snapshot(b);
                const auto ctx = prepareCorrection(b, box);
                ASSERT_EQ(snapshot(b), before);
                if (ctx && random(0, 3) != 0)
                    openCorrection(b, *ctx);
            }
            if (b.correctionMode) {
                // While the correction is open, "Hraj" from the menu and clicks on boxes still call.
                if (random(0, 1) == 0)
                    CallReadyMatches(b, boardsInPlay, say());
                if (random(0, 2) == 0)
                    clickToCall(b, random(1, finalNo), say());
                checkConsistent(b);
                if (random(0, 4) == 0) {
                    cancelCorrection(b);
                } else {
                    const int corrected = b.correction->box;
                    const bool stillOpen = canCorrect(b, corrected);
                    auto [s1, s2] = scores(false);
                    if (random(0, 5) == 0)
                        s2 = s1; // refused, stays open
                    const std::string before = snapshot(b);
                    const Outcome r = applyCorrection(b, std::to_string(s1), std::to_string(s2));
                    if (!stillOpen) {
                        EXPECT_FALSE(b.correctionMode);
                        EXPECT_TRUE(r.isRefused());
                        EXPECT_EQ(r.message(), kCorrectionTooLate);
                        b.correctionMode = true;
                        EXPECT_EQ(snapshot(b), before) << "a stale correction wrote something";
                        b.correctionMode = false;
                        ++tooLate;
                    } else if (s1 == s2) {
                        EXPECT_TRUE(b.correctionMode);
                        EXPECT_TRUE(r.isRefused());
                        EXPECT_EQ(r.message(), kBadResult);
                        EXPECT_EQ(snapshot(b), before);
                        cancelCorrection(b);
                    } else {
                        EXPECT_FALSE(b.correctionMode);
                        EXPECT_TRUE(r.ok());
                        EXPECT_TRUE(r.message().empty());
                        // The corrected winner is where the winner goes, the loser where the loser goes.
                        const BoxSpec& box = b.table().box(corrected);
                        const SlotId w = s1 > s2 ? box.upper : box.lower;
                        const SlotId l = s1 > s2 ? box.lower : box.upper;
                        EXPECT_EQ(b.name(box.winnerTo), b.name(w));
                        EXPECT_EQ(box.loserTo == kNoSlot ? b.porazeny : b.name(box.loserTo), b.name(l));
                        ++applied;
                    }
                }
                checkConsistent(b);
                if (HasFailure())
                    return;
                continue;
            }
            CallReadyMatches(b, boardsInPlay, say());
            ASSERT_TRUE(finishOne(b));
            checkConsistent(b);
            if (HasFailure())
                return;
        }
        // Losses are not tracked through corrections (they move them); the rest must hold.
        losses.clear();
        checkFinished(b);
    }
    EXPECT_GT(applied, 0);
}

INSTANTIATE_TEST_SUITE_P(FourToThirtyTwo, Tournament, ::testing::Range(4, 33));

} // namespace zorbon::test
