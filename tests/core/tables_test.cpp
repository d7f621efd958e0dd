// The three advancement tables against the rules a bracket must obey, so a slip in a row fails here.

#include "bracket/bracket.h"
#include "bracket/generated_table.h"
#include "bracket/sizes.h"
#include "bracket/tables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>

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
    {64,
     126,
     {32, 16, 8, 4, 2, 1},
     {16, 16, 8, 8, 4, 4, 2, 2, 1, 1},
     "Shape61P",
     {"Shape1",    "Shape2",    "Shape3",    "Shape4",    "Shape5",    "Shape6",    "Shape7",    "Shape8",
      "Shape9",    "Shape10",   "Shape11",   "Shape12",   "Shape13",   "Shape14",   "Shape15",   "Shape16",
      "Shape17",   "Shape18",   "Shape19",   "Shape20",   "Shape21",   "Shape22",   "Shape23",   "Shape24",
      "Shape25",   "Shape26",   "Shape27",   "Shape28",   "Shape29",   "Shape30",   "Shape31",   "Shape32",
      "Shape11L",  "Shape11P",  "Shape12L",  "Shape12P",  "Shape13L",  "Shape13P",  "Shape14L",  "Shape14P",
      "Shape15L",  "Shape15P",  "Shape16L",  "Shape16P",  "Shape17L",  "Shape17P",  "Shape18L",  "Shape18P",
      "Shape19L",  "Shape19P",  "Shape110L", "Shape110P", "Shape111L", "Shape111P", "Shape112L", "Shape112P",
      "Shape113L", "Shape113P", "Shape114L", "Shape114P", "Shape115L", "Shape115P", "Shape116L", "Shape116P",
      "Shape21L",  "Shape22L",  "Shape23L",  "Shape24L",  "Shape25L",  "Shape26L",  "Shape27L",  "Shape28L",
      "Shape29L",  "Shape210L", "Shape211L", "Shape212L", "Shape213L", "Shape214L", "Shape215L", "Shape216L",
      "Shape21P",  "Shape22P",  "Shape23P",  "Shape24P",  "Shape25P",  "Shape26P",  "Shape27P",  "Shape28P",
      "Shape31L",  "Shape32L",  "Shape33L",  "Shape34L",  "Shape35L",  "Shape36L",  "Shape37L",  "Shape38L",
      "Shape41L",  "Shape42L",  "Shape43L",  "Shape44L",  "Shape45L",  "Shape46L",  "Shape47L",  "Shape48L",
      "Shape31P",  "Shape32P",  "Shape33P",  "Shape34P",  "Shape51L",  "Shape52L",  "Shape53L",  "Shape54L",
      "Shape61L",  "Shape62L",  "Shape63L",  "Shape64L",  "Shape41P",  "Shape42P",  "Shape71L",  "Shape72L",
      "Shape81L",  "Shape82L",  "Shape51P",  "Shape91L",  "Shape101L", "Shape61P"}},
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

// Start-up builds the tables on its helper thread while the main thread may already ask for one:
// each is built once and both get the same, whole table.
TEST(TableFor, IsBuiltOnceWhenTwoThreadsAskAtOnce)
{
    PerSize<const AdvancementTable*> first{}, second{};
    std::thread helper([&] {
        for (std::size_t i = 0; i < kBracketSizes.size(); ++i)
            first[i] = &tableFor(kBracketSizes[i]);
    });
    for (std::size_t i = kBracketSizes.size(); i-- > 0;)
        second[i] = &tableFor(kBracketSizes[i]);
    helper.join();
    for (std::size_t i = 0; i < kBracketSizes.size(); ++i) {
        EXPECT_EQ(first[i], second[i]) << kBracketSizes[i];
        EXPECT_EQ(first[i]->size, kBracketSizes[i]);
        EXPECT_EQ(first[i]->boxes.size(), static_cast<std::size_t>(2 * kBracketSizes[i] - 2));
    }
}

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
        EXPECT_EQ(w.rule, t.size >= 32 ? WalkoverRule::OtherSlotBye : WalkoverRule::FewerPlayers);
        const auto& entered = t.box(t.slot(b.loserTo).box);
        EXPECT_EQ(w.enteredBox, entered.number) << b.number;
        EXPECT_EQ(w.target, entered.winnerTo) << b.number;
        if (w.rule == WalkoverRule::OtherSlotBye)
            EXPECT_EQ(w.other, t.partner(b.loserTo)) << b.number;
        else
            EXPECT_TRUE(w.threshold > t.size / 2 && w.threshold <= t.size) << b.number;
    }
    EXPECT_EQ(rules, t.size == 8 ? 4 : t.size == 16 ? 7 : t.size == 32 ? 23 : 47);
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
    const std::pair<int, int> cases[] = {{-1, 0},  {0, 0},   {3, 0},   {4, 8},   {8, 8},  {9, 16},  {16, 16},
                                         {17, 32}, {32, 32}, {33, 64}, {64, 64}, {65, 0}, {1000, 0}};
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
    for (const int size : {12, 0, -8, 4, 7, 9, 24, 31, 33, 63, 65, 128}) {
        EXPECT_FALSE(isBracketSize(size)) << size;
        EXPECT_THROW(sizeIndex(size), std::logic_error) << size;
        EXPECT_THROW(tableFor(size), std::logic_error) << size;
        EXPECT_THROW(brackets.bySize(size), std::logic_error) << size;
        EXPECT_THROW(shown.bySize(size), std::logic_error) << size;
    }
}

// The first round's seed positions: seeds 1 and 2 can meet only in the winners' final, seeds 1 to 4
// only from the semi-finals on, and so on down.
TEST_P(Tables, TheTopSeedsMeetAsLateAsTheirNumbersAllow)
{
    int rounds = 0;
    for (int s = t.size; s > 1; s /= 2)
        ++rounds;
    // The winners' boxes a seed passes through if he keeps winning.
    auto path = [&](int seed) {
        std::vector<int> boxes;
        for (int box = t.slot(t.seedSlot(seed)).box; t.box(box).round.side == Side::Winners;
             box = t.slot(t.box(box).winnerTo).box)
            boxes.push_back(box);
        return boxes;
    };
    for (int k = 1; (1 << k) <= t.size / 2; ++k)
        for (int a = 1; a <= (1 << k); ++a)
            for (int b = a + 1; b <= (1 << k); ++b) {
                const auto pa = path(a);
                const auto pb = path(b);
                ASSERT_EQ(pa.size(), static_cast<std::size_t>(rounds));
                std::size_t meet = 0;
                while (meet < pa.size() && pa[meet] != pb[meet])
                    ++meet;
                EXPECT_GE(static_cast<int>(meet) + 1, rounds - k + 1) << "seeds " << a << " and " << b;
            }
}

// Where the losers of each winners' round of the 64 enter: L1 in order, L2 reversed, L4 reversed
// within each half, L6 with the halves swapped, L8 in order, L10.
TEST(GeneratedTable, LosersDropInCrossedOver)
{
    const AdvancementTable& t = tableFor(64);
    auto losersOf = [&](int round) {
        std::vector<std::string> slots;
        for (const auto& b : t.boxes)
            if (b.round == Round{Side::Winners, round})
                slots.push_back(t.slot(b.loserTo).name);
        return slots;
    };
    std::vector<std::string> l1;
    for (int i = 1; i <= 32; ++i)
        l1.push_back("Lab1" + std::to_string(i) + "L");
    EXPECT_EQ(losersOf(1), l1);
    std::vector<std::string> l2;
    for (int i = 16; i >= 1; --i)
        l2.push_back("Lab2" + std::to_string(2 * i) + "L");
    EXPECT_EQ(losersOf(2), l2);
    EXPECT_EQ(losersOf(3), (std::vector<std::string>{"Lab48L", "Lab46L", "Lab44L", "Lab42L", "Lab416L", "Lab414L",
                                                     "Lab412L", "Lab410L"}));
    EXPECT_EQ(losersOf(4), (std::vector<std::string>{"Lab66L", "Lab68L", "Lab62L", "Lab64L"}));
    EXPECT_EQ(losersOf(5), (std::vector<std::string>{"Lab82L", "Lab84L"}));
    EXPECT_EQ(losersOf(6), (std::vector<std::string>{"Lab102L"}));
    EXPECT_EQ(t.slot(t.box(125).winnerTo).name, "LabF2");
    EXPECT_EQ(t.slot(t.box(123).winnerTo).name, "LabF1");
}

TEST(GeneratedTable, SeedOrderIsTheStandardOne)
{
    EXPECT_EQ(seedOrder(1), (std::vector<int>{1}));
    EXPECT_EQ(seedOrder(4), (std::vector<int>{1, 4, 3, 2}));
    EXPECT_EQ(seedOrder(16), (std::vector<int>{1, 16, 9, 8, 5, 12, 13, 4, 3, 14, 11, 6, 7, 10, 15, 2}));
    // The 16 and the 32 were written by hand with this order.
    for (const int size : {16, 32}) {
        const auto& t = tableFor(size);
        const auto order = seedOrder(size / 2);
        for (int i = 1; i <= size / 2; ++i)
            EXPECT_EQ(t.slot(t.box(i).upper).name, "Lab" + std::to_string(order[static_cast<std::size_t>(i - 1)]))
                << size << " box " << i;
    }
}

// The generated table stands written out in the docs for review; the copy there must be the table
// the program plays by. ZORBON_WRITE_TABLE=1 rewrites it after a deliberate change.
TEST(GeneratedTable, TheReviewedCopyIsTheTablePlayed)
{
    const std::string path = std::string(ZORBON_SOURCE_DIR) + "/docs/pavouk64.md";
    const std::string header = "# Pavouk 64 hráčů: tabulka postupu\n\n"
                               "Generated from the rules in src/core/bracket/generated_table.cpp; the table "
                               "test compares it with the table the program plays by.\n\n";
    const std::string expected = header + describeTable(tableFor(64));
    if (std::getenv("ZORBON_WRITE_TABLE")) {
        std::ofstream(path, std::ios::binary) << expected;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(onDisk, expected) << "docs/pavouk64.md is out of date";
}
