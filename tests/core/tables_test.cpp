// The three advancement tables against the rules a bracket must obey, so a slip in a row fails here.

#include "bracket/bracket.h"
#include "bracket/sizes.h"
#include "bracket/tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

using namespace zorbon;

namespace {

struct SizeCase {
    int size;
    int boxes;
    std::vector<int> winnersRounds; // boxes per round W1..
    std::vector<int> losersRounds;  // boxes per round L1..
    const char* finalFrame;
    // Frames in MatchNumber order, as the automatic call scans them.
    std::vector<const char*> scanOrder;
};

const SizeCase kCases[] = {
    {8,
     14,
     {4, 2, 1},
     {2, 2, 1, 1},
     "ShapeF",
     {"Shape1", "Shape2", "Shape3", "Shape4", "Shape11L", "Shape12L", "Shape11P", "Shape12P", "Shape22L", "Shape21L",
      "Shape21P", "Shape31L", "Shape41L", "ShapeF"}},
    {16, 30, {8, 4, 2, 1}, {4, 4, 2, 2, 1, 1}, "ShapeF", {"Shape1",   "Shape2",   "Shape3",   "Shape4",   "Shape5",
                                                          "Shape6",   "Shape7",   "Shape8",   "Shape11L", "Shape12L",
                                                          "Shape13L", "Shape14L", "Shape11P", "Shape12P", "Shape13P",
                                                          "Shape14P", "Shape24L", "Shape23L", "Shape22L", "Shape21L",
                                                          "Shape21P", "Shape22P", "Shape31L", "Shape32L", "Shape41L",
                                                          "Shape42L", "Shape31P", "Shape51L", "Shape61L", "ShapeF"}},
    {32,
     62,
     {16, 8, 4, 2, 1},
     {8, 8, 4, 4, 2, 2, 1, 1},
     "Shape51P",
     {"Shape1",   "Shape2",   "Shape3",   "Shape4",   "Shape5",   "Shape6",   "Shape7",   "Shape8",   "Shape9",
      "Shape10",  "Shape11",  "Shape12",  "Shape13",  "Shape14",  "Shape15",  "Shape16",  "Shape11L", "Shape11P",
      "Shape12L", "Shape12P", "Shape13L", "Shape13P", "Shape14L", "Shape14P", "Shape15L", "Shape15P", "Shape16L",
      "Shape16P", "Shape17L", "Shape17P", "Shape18L", "Shape18P", "Shape24L", "Shape21L", "Shape23L", "Shape22L",
      "Shape28L", "Shape25L", "Shape27L", "Shape26L", "Shape21P", "Shape22P", "Shape23P", "Shape24P", "Shape33L",
      "Shape34L", "Shape31L", "Shape32L", "Shape43L", "Shape44L", "Shape41L", "Shape42L", "Shape31P", "Shape32P",
      "Shape51L", "Shape52L", "Shape61L", "Shape62L", "Shape41P", "Shape71L", "Shape81L", "Shape51P"}},
};

class Tables : public ::testing::TestWithParam<SizeCase> {
protected:
    const AdvancementTable& t = tableFor(GetParam().size);
    const BoxSpec& finalBox() const { return t.box(t.finalNumber()); }
    int lastRound(Side side) const
    {
        int last = 0;
        for (const auto& b : t.boxes)
            if (b.round.side == side)
                last = std::max(last, b.round.number);
        return last;
    }
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << "bracket of " << c.size;
}

std::string caseName(const ::testing::TestParamInfo<SizeCase>& info)
{
    return "Size" + std::to_string(info.param.size);
}

} // namespace

TEST_P(Tables, NumbersRunFromOneWithTheFinalLast)
{
    ASSERT_EQ(t.boxCount(), GetParam().boxes);
    for (int n = 1; n <= t.boxCount(); ++n) {
        EXPECT_EQ(t.box(n).number, n);
        EXPECT_EQ(t.box(n).isFinal(), n == t.boxCount()) << n;
    }
    EXPECT_EQ(t.slot(finalBox().upper).name, "LabF1");
    EXPECT_EQ(t.slot(finalBox().lower).name, "LabF2");
    EXPECT_EQ(finalBox().frame, GetParam().finalFrame);
    EXPECT_EQ(finalBox().winnerTo, kNoSlot);
}

TEST_P(Tables, RoundsHoldTheirNumberOfBoxes)
{
    std::map<std::pair<Side, int>, int> count;
    for (const auto& b : t.boxes)
        ++count[{b.round.side, b.round.number}];
    const auto& w = GetParam().winnersRounds;
    const auto& l = GetParam().losersRounds;
    for (std::size_t r = 0; r < w.size(); ++r)
        EXPECT_EQ((count[{Side::Winners, static_cast<int>(r + 1)}]), w[r]) << "W" << r + 1;
    for (std::size_t r = 0; r < l.size(); ++r)
        EXPECT_EQ((count[{Side::Losers, static_cast<int>(r + 1)}]), l[r]) << "L" << r + 1;
    EXPECT_EQ(lastRound(Side::Winners), static_cast<int>(w.size()));
    EXPECT_EQ(lastRound(Side::Losers), static_cast<int>(l.size()));
}

TEST_P(Tables, FramesFollowTheCallingOrder)
{
    const auto& order = GetParam().scanOrder;
    ASSERT_EQ(order.size(), t.boxes.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(t.boxes[i].frame, order[i]) << "MatchNumber " << i + 1;
        EXPECT_EQ(t.boxByFrame(order[i]), static_cast<int>(i + 1));
    }
}

TEST_P(Tables, EverySlotOutsideTheFirstRoundIsWrittenByExactlyOneBox)
{
    std::vector<int> writes(t.slotSpecs.size(), 0);
    for (const auto& b : t.boxes)
        for (const SlotId s : {b.winnerTo, b.loserTo})
            if (s != kNoSlot)
                ++writes[static_cast<std::size_t>(s)];
    for (std::size_t s = 0; s < t.slotSpecs.size(); ++s) {
        const bool firstRound = t.box(t.slotSpecs[s].box).round == Round{Side::Winners, 1};
        EXPECT_EQ(writes[s], firstRound ? 0 : 1) << t.slotSpecs[s].name;
    }
}

TEST_P(Tables, WinnersMoveOnWithinTheirSideAndLosersDropOnce)
{
    const int lastW = lastRound(Side::Winners);
    const int lastL = lastRound(Side::Losers);
    for (const auto& b : t.boxes) {
        if (b.isFinal())
            continue;
        const auto& next = t.box(t.slot(b.winnerTo).box);
        if (b.round.side == Side::Winners) {
            ASSERT_NE(b.loserTo, kNoSlot) << b.number;
            EXPECT_EQ(t.box(t.slot(b.loserTo).box).round.side, Side::Losers) << b.number;
            if (b.round.number == lastW)
                EXPECT_EQ(b.winnerTo, finalBox().upper) << b.number;
            else
                EXPECT_EQ(next.round, (Round{Side::Winners, b.round.number + 1})) << b.number;
        } else {
            EXPECT_EQ(b.loserTo, kNoSlot) << b.number << " puts its loser somewhere";
            if (b.round.number == lastL)
                EXPECT_EQ(b.winnerTo, finalBox().lower) << b.number;
            else
                EXPECT_EQ(next.round, (Round{Side::Losers, b.round.number + 1})) << b.number;
        }
        // A box is only ever fed by boxes that come before it in the calling order.
        EXPECT_GT(next.number, b.number);
    }
}

TEST_P(Tables, FirstRoundPairsEachSeedWithItsMirror)
{
    const int size = t.size;
    std::set<SlotId> seen;
    for (int k = 1; k <= size; ++k) {
        const SlotId s = t.seedSlot(k);
        ASSERT_NE(s, kNoSlot) << k;
        EXPECT_TRUE(seen.insert(s).second);
        EXPECT_EQ(t.box(t.slot(s).box).round, (Round{Side::Winners, 1}));
        EXPECT_EQ(t.partner(s), t.seedSlot(size + 1 - k)) << "Lab" << k;
    }
}

TEST_P(Tables, WalkoversSendTheLoserExactlyOneBoxFurther)
{
    int rules = 0;
    for (const auto& b : t.boxes) {
        const Walkover& w = b.walkover;
        if (w.rule == WalkoverRule::None)
            continue;
        ++rules;
        EXPECT_EQ(w.rule, t.size == 32 ? WalkoverRule::OtherSlotBye : WalkoverRule::FewerPlayers);
        const auto& entered = t.box(t.slot(b.loserTo).box);
        EXPECT_EQ(w.enteredBox, entered.number) << b.number;
        EXPECT_EQ(w.target, entered.winnerTo) << b.number;
        if (w.rule == WalkoverRule::OtherSlotBye)
            EXPECT_EQ(w.other, t.partner(b.loserTo)) << b.number;
        else
            EXPECT_TRUE(w.threshold > t.size / 2 && w.threshold <= t.size) << b.number;
    }
    EXPECT_EQ(rules, t.size == 8 ? 4 : t.size == 16 ? 7 : 23);
}

TEST_P(Tables, CellsAreFoundByTheirControlNames)
{
    std::set<std::string> names;
    for (std::size_t s = 0; s < t.slotSpecs.size(); ++s) {
        const auto& slotSpec = t.slotSpecs[s];
        EXPECT_TRUE(names.insert(slotSpec.name).second) << slotSpec.name;
        EXPECT_EQ(t.slotByCell(slotSpec.name), static_cast<SlotId>(s));
        EXPECT_EQ(t.slotByCell(slotSpec.score), static_cast<SlotId>(s));
    }
    EXPECT_EQ(t.slotSpecs.size(), t.boxes.size() * 2);
    EXPECT_EQ(t.slotByCell("Lab99X"), kNoSlot);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Tables, ::testing::ValuesIn(kCases), caseName);

TEST(TablesNaming, ScoreCellsFollowTheNameCells)
{
    const auto& t8 = tableFor(8);
    EXPECT_EQ(t8.slot(t8.slotByCell("Lab8")).score, "labv8");
    EXPECT_EQ(t8.slot(t8.slotByCell("Lab11P")).score, "Labv11P");
    const auto& t32 = tableFor(32);
    EXPECT_EQ(t32.slot(t32.slotByCell("Lab8")).score, "Labv8");
    EXPECT_EQ(t32.slot(t32.slotByCell("LabF2")).score, "LabvF2");
    EXPECT_EQ(t32.slot(t32.slotByCell("Lab216L")).score, "Labv216L");
}

TEST(TablesNaming, SizeFollowsThePlayerCount)
{
    const std::pair<int, int> cases[] = {{-1, 0},  {0, 0},   {3, 0},   {4, 8},  {8, 8}, {9, 16},
                                         {16, 16}, {17, 32}, {32, 32}, {33, 0}, {65, 0}};
    for (const auto& [players, size] : cases)
        EXPECT_EQ(bracketSizeFor(players), size) << players;
}

TEST(BracketSizes, EachSizeHasItsIndexTableAndBracket)
{
    Brackets brackets;
    const Brackets& shown = brackets;
    for (std::size_t i = 0; i < kBracketSizes.size(); ++i) {
        const int size = kBracketSizes[i];
        EXPECT_TRUE(isBracketSize(size));
        EXPECT_EQ(sizeIndex(size), i);
        EXPECT_EQ(tableFor(size).size, size);
        EXPECT_EQ(&brackets.bySize(size), &brackets.all[i]);
        EXPECT_EQ(&shown.bySize(size), &brackets.all[i]);
        EXPECT_EQ(brackets.bySize(size).size(), size);
        EXPECT_EQ(&brackets.bySize(size).table(), &tableFor(size));
    }
}

// Any other number is a programming error, never quietly the 32.
TEST(BracketSizes, AnyOtherSizeIsALogicError)
{
    Brackets brackets;
    const Brackets& shown = brackets;
    for (const int size : {12, 0, -8, 4, 7, 9, 24, 31, 33, 64}) {
        EXPECT_FALSE(isBracketSize(size)) << size;
        EXPECT_THROW(sizeIndex(size), std::logic_error) << size;
        EXPECT_THROW(tableFor(size), std::logic_error) << size;
        EXPECT_THROW(brackets.bySize(size), std::logic_error) << size;
        EXPECT_THROW(shown.bySize(size), std::logic_error) << size;
    }
}
