// Correcting a result: the opening conditions, the swap, the scratch cell of a losers'-side box,
// and the two guards: OK tests the conditions again, and a declined second box leaves the open one.

#include "bracket/correction.h"
#include "engine.h"
#include "records/errors.h"
#include "results/standings.h"

#include <algorithm>

using namespace zorbon;
using namespace zorbon::test;

namespace {

class Correction : public Engine {
protected:
    // A click and "Ano".
    bool open(Bracket& b, int box)
    {
        const auto ctx = prepareCorrection(b, box);
        if (ctx)
            openCorrection(b, *ctx);
        return ctx.has_value();
    }
};

} // namespace

TEST_F(Correction, AChangedWinnerSwapsTheNamesInBothTargets)
{
    Bracket& b = drawn(8);
    boards(2);
    const std::string p1 = nameAt(b, "Lab1");
    const std::string p8 = nameAt(b, "Lab8");
    ASSERT_TRUE(play(b, 1, "3", "1"));
    ASSERT_TRUE(open(b, 1));
    EXPECT_TRUE(b.correctionMode);
    const Outcome r = applyCorrection(b, " 1", " 3");
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.message().empty());
    EXPECT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab11P"), p8);
    EXPECT_EQ(nameAt(b, "Lab11L"), p1);
    EXPECT_EQ(scoreAt(b, "Labv1"), " 1");
    EXPECT_EQ(scoreAt(b, "labv8"), " 3");
    EXPECT_EQ(b.state(1), BoxState::Finished);
    EXPECT_EQ(b.state(5), BoxState::Pending);
    EXPECT_EQ(b.state(7), BoxState::Pending);
}

TEST_F(Correction, TheSameWinnerOnlyChangesTheScores)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(play(b, 1, "3", "1"));
    const std::string winner = nameAt(b, "Lab11P");
    ASSERT_TRUE(open(b, 1));
    ASSERT_TRUE(applyCorrection(b, "3", "2").ok());
    ASSERT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab11P"), winner);
    EXPECT_EQ(scoreAt(b, "labv8"), " 2");
}

TEST_F(Correction, ALosersSideCorrectionSendsTheOldWinnerOnlyToTheScratchCell)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(play(b, 1, "3", "1"));
    ASSERT_TRUE(play(b, 2, "3", "1"));
    const std::string upper = nameAt(b, "Lab11L");
    const std::string lower = nameAt(b, "Lab12L");
    ASSERT_TRUE(play(b, 5, "3", "1"));
    ASSERT_TRUE(open(b, 5));
    EXPECT_EQ(b.correction->loserTo, kNoSlot);
    ASSERT_TRUE(applyCorrection(b, "1", "3").ok());
    ASSERT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab21L"), lower);
    EXPECT_EQ(b.porazeny, upper);
    const auto lines = standings(b);
    EXPECT_EQ(lines, std::vector<std::string>{"7-8. místo " + upper});
}

TEST_F(Correction, EqualScoresOrABadNumberKeepTheCorrectionOpen)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(play(b, 1, "3", "1"));
    ASSERT_TRUE(open(b, 1));
    const std::string before = snapshot(b);
    const Outcome r = applyCorrection(b, "2", "2");
    EXPECT_TRUE(r.isRefused());
    EXPECT_TRUE(b.correctionMode); // the controls stay open
    EXPECT_EQ(r.message(), "Je zadán špatný výsledek");
    EXPECT_THROW(applyCorrection(b, "", "2"), ConvertError);
    EXPECT_EQ(snapshot(b), before);
    EXPECT_TRUE(b.correctionMode);
    cancelCorrection(b);
    EXPECT_FALSE(b.correctionMode);
    b.correctionMode = true;
    EXPECT_EQ(snapshot(b), before); // Storno wrote nothing
}

TEST_F(Correction, OnlyAFinishedBoxWhosePlayersHaveNotMovedOnOpens)
{
    Bracket& b = drawn(7);
    boards(2);
    // Byes and the box still on its board never open, nor does one with an unknown player.
    EXPECT_FALSE(canCorrect(b, 1));
    ASSERT_TRUE(clickToCall(b, 3, say()));
    EXPECT_FALSE(canCorrect(b, 3));
    EXPECT_FALSE(canCorrect(b, 5));
    EXPECT_FALSE(canCorrect(b, 0));
    EXPECT_FALSE(canCorrect(b, 99));
    // Box 2's loser walked over: box 5 is Finished, so box 2 is closed to correction.
    ASSERT_TRUE(play(b, 2, "3", "1"));
    EXPECT_FALSE(canCorrect(b, 2));
    ASSERT_TRUE(play(b, 3, "3", "1"));
    EXPECT_TRUE(canCorrect(b, 3));
    ASSERT_TRUE(play(b, 4, "3", "1"));
    // Box 4's winner is called (box 8): box 4 closes, box 3 with it since both feed box 8.
    ASSERT_TRUE(clickToCall(b, 8, say()));
    EXPECT_FALSE(canCorrect(b, 4));
    EXPECT_FALSE(canCorrect(b, 3));
    // Box 6 decided: box 4's loser has played on.
    ASSERT_TRUE(play(b, 6, "3", "1"));
    EXPECT_TRUE(canCorrect(b, 6));
}

TEST_F(Correction, TheFinalAndTheBoxesThatFedItNeverOpen)
{
    Bracket& b = drawn(4);
    boards(2);
    for (const int m : {7, 8, 12, 11})
        ASSERT_TRUE(play(b, m, "3", "1")) << m;
    EXPECT_TRUE(canCorrect(b, 11));
    ASSERT_TRUE(play(b, 13, "3", "1"));
    EXPECT_FALSE(canCorrect(b, 11)); // its loser has played box 13
    EXPECT_TRUE(canCorrect(b, 13));
    ASSERT_TRUE(clickToCall(b, 14, say()));
    EXPECT_FALSE(canCorrect(b, 11));
    EXPECT_FALSE(canCorrect(b, 13));
    ASSERT_TRUE(play(b, 14, "2", "1"));
    EXPECT_FALSE(canCorrect(b, 14));
    EXPECT_FALSE(clickToCall(b, 14, say()));
}

TEST_F(Correction, AClickChangesNothingUntilAno)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(play(b, 1, "3", "1"));
    ASSERT_TRUE(play(b, 2, "1", "3"));
    ASSERT_TRUE(open(b, 1));
    const std::string before = snapshot(b);
    // A click on box 2 asks again; "Ne" keeps the correction of box 1 exactly as it was.
    const auto second = prepareCorrection(b, 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->box, 2);
    EXPECT_EQ(snapshot(b), before);
    const std::string p1 = nameAt(b, "Lab1");
    ASSERT_TRUE(applyCorrection(b, "0", "3").ok());
    ASSERT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab11L"), p1);
    EXPECT_EQ(scoreAt(b, "Labv5"), " 1"); // box 2 untouched
    // "Ano" on a second box replaces the open correction.
    ASSERT_TRUE(open(b, 1));
    ASSERT_TRUE(open(b, 2));
    ASSERT_TRUE(applyCorrection(b, "3", "0").ok());
    ASSERT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab12P"), nameAt(b, "Lab5"));
    EXPECT_EQ(scoreAt(b, "labv8"), " 3");
}

TEST_F(Correction, OkRefusesWhenAPlayerWasCalledOnWhileItWasOpen)
{
    // Eight players, 3:1 in boxes 1 to 4, box 1 opened, "Hraj" from the menu, then 1:3.
    Bracket& b = drawn(8);
    boards(2);
    for (int m = 1; m <= 4; ++m)
        ASSERT_TRUE(play(b, m, "3", "1"));
    ASSERT_TRUE(open(b, 1));
    hraj();
    ASSERT_EQ(b.state(5), BoxState::OnBoard);
    const std::string before = snapshot(b);
    const Outcome r = applyCorrection(b, "1", "3");
    EXPECT_TRUE(r.isRefused());
    EXPECT_EQ(r.message(), kCorrectionTooLate);
    EXPECT_FALSE(b.correctionMode);
    b.correctionMode = true;
    EXPECT_EQ(snapshot(b), before);
    b.correctionMode = false;

    // The tournament plays on to its end and places everyone exactly once.
    for (int guard = 0; b.state(14) != BoxState::Finished && guard < 100; ++guard) {
        hraj();
        for (int n = 1; n <= 2; ++n) {
            if (b.board(n).state == BoardState::Occupied) {
                ASSERT_TRUE(t.enterResult(n, "3", "1").ok());
            }
        }
    }
    ASSERT_EQ(b.state(14), BoxState::Finished);
    const auto placed = placedNames(standings(b));
    auto expected = registered;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(placed, expected);
}

// The bracket window's commands: a click on a finished box offers the correction and changes
// nothing, "Ano" opens it, and OK and Storno do what the rules do.
TEST_F(Correction, TheCommandsOfferOpenApplyAndCancelACorrection)
{
    Bracket& b = drawn(8);
    boards(2);
    const std::string p1 = nameAt(b, "Lab1");
    const std::string p8 = nameAt(b, "Lab8");
    ASSERT_TRUE(play(b, 1, "3", "1"));
    const std::string before = snapshot(b);
    const Result<std::optional<CorrectionContext>> offered = t.clickBox(1, say());
    ASSERT_TRUE(offered.ok());
    ASSERT_TRUE(offered.value());
    EXPECT_EQ(offered.value()->box, 1);
    EXPECT_EQ(snapshot(b), before);
    // A ready box is called instead, and offers nothing.
    const Result<std::optional<CorrectionContext>> none = t.clickBox(2, say());
    ASSERT_TRUE(none.ok());
    EXPECT_FALSE(none.value());
    EXPECT_EQ(b.state(2), BoxState::OnBoard);

    t.openCorrection(*offered.value());
    EXPECT_TRUE(b.correctionMode);
    const Outcome equal = t.applyCorrection("2", "2");
    EXPECT_TRUE(equal.isRefused());
    EXPECT_EQ(equal.message(), "Je zadán špatný výsledek");
    EXPECT_TRUE(b.correctionMode);
    EXPECT_EQ(failure(t.applyCorrection("", "2")), "'' is not a valid integer value");
    EXPECT_TRUE(b.correctionMode);
    t.cancelCorrection();
    EXPECT_FALSE(b.correctionMode);

    t.openCorrection(*offered.value());
    ASSERT_TRUE(t.applyCorrection("1", "3").ok());
    EXPECT_FALSE(b.correctionMode);
    EXPECT_EQ(nameAt(b, "Lab11P"), p8);
    EXPECT_EQ(nameAt(b, "Lab11L"), p1);
    EXPECT_EQ(scoreAt(b, "Labv1"), " 1");
    EXPECT_EQ(scoreAt(b, "labv8"), " 3");
}
