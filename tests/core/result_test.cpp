// Result entry: validation, advancement, the two kinds of walkover, the final and its tie rules.

#include "bracket/result.h"
#include "engine.h"
#include "records/errors.h"

#include <tuple>

using namespace zorbon;
using namespace zorbon::test;

namespace {

class ResultEntry : public Engine {
protected:
    // Calls the box by a click and returns its board.
    int onBoard(Bracket& b, int match)
    {
        EXPECT_TRUE(clickToCall(b, match, say()));
        const int board = boardOf(b, match);
        EXPECT_NE(board, 0) << "box " << match << " was not called";
        return board;
    }
    // The result dialog's OK for the box, through the command (which reads the record first).
    Outcome enter(Bracket& b, int match, const std::string& s1, const std::string& s2)
    {
        EXPECT_EQ(&b, t.session().active());
        const int board = boardOf(b, match) ? boardOf(b, match) : onBoard(b, match);
        return t.enterResult(board, s1, s2);
    }
};

} // namespace

TEST_F(ResultEntry, TheWinnerMovesOnAndTheScoresStayWithTheirSlots)
{
    Bracket& b = drawn(8);
    boards(2);
    const std::string p1 = nameAt(b, "Lab1");
    const std::string p8 = nameAt(b, "Lab8");
    const int board = onBoard(b, 1);
    EXPECT_EQ(t.enterResult(board, "3", "0").ok(), true);
    EXPECT_EQ(nameAt(b, "Lab11P"), p1);
    EXPECT_EQ(nameAt(b, "Lab11L"), p8);
    EXPECT_EQ(scoreAt(b, "Labv1"), " 3");
    EXPECT_EQ(scoreAt(b, "labv8"), " 0");
    EXPECT_EQ(b.state(1), BoxState::Finished);
    EXPECT_EQ(b.board(board).lines(), std::vector<std::string>{" VOLNÝ"});
    EXPECT_EQ(b.board(board).colour(), TColor::clSilver);

    const std::string p5 = nameAt(b, "Lab5");
    const std::string p4 = nameAt(b, "Lab4");
    EXPECT_TRUE(enter(b, 2, " 0", "  3").ok()); // leading spaces are skipped
    EXPECT_EQ(nameAt(b, "Lab12P"), p4);
    EXPECT_EQ(nameAt(b, "Lab12L"), p5);
    EXPECT_EQ(scoreAt(b, "Labv5"), " 0");
    EXPECT_EQ(scoreAt(b, "Labv4"), " 3");
    // Eight players: no walkover, box 5 is now simply ready.
    EXPECT_TRUE(b.ready(5));
}

TEST_F(ResultEntry, EqualOrEmptyScoresAreRefusedAndChangeNothing)
{
    Bracket& b = drawn(8);
    boards(2);
    const int board = onBoard(b, 1);
    const std::string before = snapshot(b);
    for (const auto& [s1, s2] : {std::pair{"0", "0"}, {"2", "2"}, {"00", "0"}}) {
        const Outcome r = t.enterResult(board, s1, s2);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.isRefused());
        EXPECT_EQ(r.message(), "Je zadán špatný výsledek");
        EXPECT_EQ(enterResult(b, board, s1, s2), r);
        EXPECT_EQ(snapshot(b), before);
    }
    // The field that is not a number is named in the error; a value past 32 bits is no number either.
    const std::tuple<const char*, const char*, const char*> bad[] = {
        {"", "3", ""}, {"3", "", ""}, {"3x", "1", "3x"}, {"1", " ", " "}, {"99999999999", "1", "99999999999"}};
    for (const auto& [s1, s2, culprit] : bad) {
        try {
            (void)enterResult(b, board, s1, s2);
            ADD_FAILURE() << "no error for " << s1 << ":" << s2;
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(culprit) + "' is not a valid integer value");
        }
        EXPECT_EQ(snapshot(b), before);
        // The command shows the same report and the dialog stays open.
        EXPECT_EQ(failure(t.enterResult(board, s1, s2)), "'" + std::string(culprit) + "' is not a valid integer value");
        EXPECT_EQ(snapshot(b), before);
    }
    // Any unequal pair goes, without an upper limit.
    EXPECT_TRUE(t.enterResult(board, "1000", "0").ok());
}

TEST_F(ResultEntry, ABoardThatHoldsNoMatchNamesNoBox)
{
    Bracket& b = drawn(8);
    boards(1);
    onBoard(b, 1);
    const std::string before = snapshot(b);
    for (const int board : {0, 2, 3, 4, 5, -1, 11}) {
        const Outcome r = t.enterResult(board, "3", "1");
        EXPECT_FALSE(r.ok()) << board;
        EXPECT_TRUE(r.isRefused()) << board;
        EXPECT_TRUE(r.message().empty()) << board;
        EXPECT_EQ(enterResult(b, board, "3", "1"), r) << board;
    }
    EXPECT_EQ(snapshot(b), before);
}

TEST_F(ResultEntry, AMissingRecordStopsBeforeAnythingIsWrittenInEverySize)
{
    for (int size : {8, 16, 32}) {
        Bracket& b = drawn(size);
        boards(1);
        const int board = onBoard(b, 1);
        const std::string before = snapshot(b);
        std::filesystem::remove(kRecordPath);
        EXPECT_EQ(failure(t.enterResult(board, "3", "1")), "File not found") << size;
        EXPECT_EQ(snapshot(b), before) << size;
    }
}

TEST_F(ResultEntry, ALosersSideLoserIsWrittenNowhere)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(enter(b, 1, "3", "1").ok());
    ASSERT_TRUE(enter(b, 2, "3", "1").ok());
    const std::string upper = nameAt(b, "Lab11L");
    const std::string lower = nameAt(b, "Lab12L");
    const std::string before = snapshot(b);
    ASSERT_TRUE(enter(b, 5, "3", "1").ok());
    EXPECT_EQ(nameAt(b, "Lab21L"), upper);
    // Only the winner's slot and the box's own cells changed: the loser went nowhere.
    int changed = 0;
    for (SlotId s = 0; s < static_cast<SlotId>(b.table().slotSpecs.size()); ++s)
        changed += b.name(s) == lower ? 1 : 0;
    EXPECT_EQ(changed, 2); // Lab12L and the W1 slot the player started in
}

TEST_F(ResultEntry, SevenPlayersTheLoserOfBoxTwoWalksOver)
{
    Bracket& b = drawn(7);
    boards(2);
    EXPECT_EQ(nameAt(b, "Lab11L"), kBye);
    const std::string p5 = nameAt(b, "Lab5");
    ASSERT_TRUE(enter(b, 2, "1", "3").ok());
    EXPECT_EQ(nameAt(b, "Lab12L"), p5);
    EXPECT_EQ(nameAt(b, "Lab21L"), p5);
    EXPECT_EQ(b.state(5), BoxState::Finished);
    EXPECT_EQ(scoreAt(b, "Labv11L"), " 0");
    EXPECT_EQ(scoreAt(b, "Labv12L"), " 0");
    // Box 3's loser meets a real player: 7 is not below 7.
    ASSERT_TRUE(enter(b, 3, "3", "1").ok());
    EXPECT_EQ(b.state(6), BoxState::Pending);
}

TEST_F(ResultEntry, FourPlayersBothSecondRoundLosersWalkOver)
{
    Bracket& b = drawn(4);
    boards(2);
    const std::string l7 = nameAt(b, "Lab12P");
    const std::string l8 = nameAt(b, "Lab13P");
    ASSERT_TRUE(enter(b, 7, "3", "1").ok());
    ASSERT_TRUE(enter(b, 8, "1", "3").ok());
    EXPECT_EQ(nameAt(b, "Lab24L"), l7);
    EXPECT_EQ(nameAt(b, "Lab32L"), l7);
    EXPECT_EQ(nameAt(b, "Lab22L"), l8);
    EXPECT_EQ(nameAt(b, "Lab31L"), l8);
    EXPECT_EQ(b.state(9), BoxState::Finished);
    EXPECT_EQ(b.state(10), BoxState::Finished);
    EXPECT_TRUE(b.ready(12));
}

TEST_F(ResultEntry, NinePlayersWalkOverByTheCountInTheSixteen)
{
    Bracket& b = drawn(9);
    boards(4);
    const std::string p8 = nameAt(b, "Lab8");
    ASSERT_TRUE(enter(b, 2, "1", "3").ok());
    EXPECT_EQ(nameAt(b, "Lab21L"), p8);
    EXPECT_EQ(b.state(9), BoxState::Finished);
    const std::pair<int, const char*> walks[] = {{13, "Lab33L"}, {14, "Lab34L"}, {16, "Lab32L"}};
    for (const auto& [box, target] : walks) {
        const auto& boxSpec = b.table().box(box);
        const std::string loser = b.name(boxSpec.lower);
        ASSERT_TRUE(enter(b, box, "3", "0").ok()) << box;
        EXPECT_EQ(nameAt(b, target), loser) << box;
        EXPECT_EQ(b.state(boxSpec.walkover.enteredBox), BoxState::Finished) << box;
    }
    const std::string l15 = nameAt(b, "Lab16P");
    ASSERT_TRUE(enter(b, 15, "3", "0").ok());
    EXPECT_EQ(nameAt(b, "Lab22L"), l15);
    EXPECT_TRUE(b.ready(20));
}

TEST_F(ResultEntry, ThirtyTwoWalksOverOnlyWhenTheOtherSlotIsABye)
{
    Bracket& b = drawn(31);
    boards(10);
    EXPECT_EQ(nameAt(b, "Lab11L"), kBye);
    const std::string p16 = nameAt(b, "Lab16");
    ASSERT_TRUE(enter(b, 2, "1", "3").ok());
    EXPECT_EQ(nameAt(b, "Lab12L"), p16);
    EXPECT_EQ(nameAt(b, "Lab21L"), p16);
    EXPECT_EQ(b.state(17), BoxState::Finished);
    // No count is consulted: a full bracket has no byes, so no walkover.
    Bracket& full = drawn(32);
    boards(10);
    const std::string p32 = nameAt(full, "Lab32");
    ASSERT_TRUE(enter(full, 1, "3", "1").ok());
    EXPECT_EQ(nameAt(full, "Lab11L"), p32);
    EXPECT_EQ(nameAt(full, "Lab21L"), kUnknown);
    EXPECT_EQ(full.state(17), BoxState::Pending);
}

namespace {

// A record damaged after the draw: its player count says the opposite of where the byes are.
struct DamagedCount {
    int players;
    std::int32_t recordCount;
    bool walksOver; // the bracket has a bye beside box 2's loser
};

class DamagedCountEntry : public ResultEntry, public ::testing::WithParamInterface<DamagedCount> {};

} // namespace

TEST_P(DamagedCountEntry, TheByesInTheBracketDecideTheWalkover)
{
    const DamagedCount& c = GetParam();
    Bracket& b = drawn(c.players);
    boards(b.table().rules.boards);
    WriteRecord({c.recordCount, 1, 2, 0});
    const BoxSpec& box2 = b.table().box(2);
    const int entered = box2.walkover.enteredBox;
    const std::string loser = b.name(box2.upper);
    ASSERT_TRUE(enter(b, 2, "1", "3").ok());
    EXPECT_EQ(b.name(box2.loserTo), loser);
    if (c.walksOver) {
        EXPECT_EQ(b.state(entered), BoxState::Finished);
        EXPECT_EQ(b.name(box2.walkover.target), loser);
    } else {
        // Box 1's loser still has to come and play this box: nobody is walked past him.
        EXPECT_EQ(b.state(entered), BoxState::Pending);
        EXPECT_EQ(b.name(box2.walkover.target), kUnknown);
        ASSERT_TRUE(enter(b, 1, "3", "1").ok());
        EXPECT_TRUE(b.ready(entered));
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, DamagedCountEntry,
                         ::testing::Values(DamagedCount{8, 1, false}, DamagedCount{8, -5, false},
                                           DamagedCount{7, 1000, true}, DamagedCount{7, INT32_MAX, true},
                                           DamagedCount{16, 3, false}, DamagedCount{9, 16, true},
                                           DamagedCount{32, 0, false}, DamagedCount{31, 64, true},
                                           DamagedCount{64, 2, false}, DamagedCount{47, 100, true}));

namespace {

struct FinalCase {
    int size;
    const char* s1;
    const char* s2;
    int winner; // 1, 2, or 0 for refused
};

void PrintTo(const FinalCase& c, std::ostream* os)
{
    *os << c.size << ": " << c.s1 << ":" << c.s2;
}

class FinalEntry : public ResultEntry, public ::testing::WithParamInterface<FinalCase> {};

} // namespace

TEST_P(FinalEntry, TheTotalsDecideByTheSizesRule)
{
    const FinalCase& c = GetParam();
    Bracket& b = drawn(c.size);
    boards(2);
    b.setName(slotOf(b, "LabF1"), "Vítěz horní");
    b.setName(slotOf(b, "LabF2"), "Vítěz dolní");
    const int finalNo = b.table().finalNumber();
    const int board = onBoard(b, finalNo);
    const Outcome r = t.enterResult(board, c.s1, c.s2);
    if (c.winner == 0) {
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.isRefused());
        EXPECT_EQ(r.message(), "Je zadán špatný výsledek");
        EXPECT_EQ(b.state(finalNo), BoxState::OnBoard);
        EXPECT_EQ(b.winnerLine, "Vítězem je : ");
        EXPECT_EQ(scoreAt(b, "LabvF1"), " 0");
        return;
    }
    ASSERT_TRUE(r.ok()) << r.message();
    const std::string name = c.winner == 1 ? "Vítěz horní" : "Vítěz dolní";
    EXPECT_EQ(b.winnerLine, c.size == 8 ? "Vítěz turnaje : " + name : "Vítězem je : " + name + ".");
    EXPECT_EQ(scoreAt(b, "LabvF1"), " " + std::string(c.s1));
    EXPECT_EQ(scoreAt(b, "LabvF2"), " " + std::string(c.s2));
    EXPECT_EQ(b.state(finalNo), BoxState::Finished);
    EXPECT_EQ(b.board(board).state, BoardState::Free);
    // The final is not called again.
    EXPECT_FALSE(clickToCall(b, finalNo, say()));
}

INSTANTIATE_TEST_SUITE_P(AllSizes, FinalEntry,
                         ::testing::Values(FinalCase{8, "2", "1", 1}, FinalCase{8, "1", "1", 1},
                                           FinalCase{8, "1", "3", 2}, FinalCase{8, "0", "0", 0},
                                           FinalCase{16, "1", "1", 0}, FinalCase{16, "0", "2", 2},
                                           FinalCase{16, "0", "0", 0}, FinalCase{16, "4", "2", 1},
                                           FinalCase{32, "3", "3", 1}, FinalCase{32, "0", "0", 0},
                                           FinalCase{32, "1", "3", 2}, FinalCase{32, "5", "0", 1},
                                           FinalCase{64, "3", "3", 1}, FinalCase{64, "0", "0", 0},
                                           FinalCase{64, "1", "3", 2}, FinalCase{64, "2", "0", 1}));
