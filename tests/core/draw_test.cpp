// The draw: the generator, the bracket size and refusals, the record writes, the first round and
// the byes with the matches they settle.

#include "engine.h"
#include "records/errors.h"

#include <algorithm>
#include <map>
#include <set>

using namespace zorbon;
using namespace zorbon::test;

namespace {

// One row of a bye table: bye j lies in `bye`, faces `against` in W1 box `w1`; the player goes to
// `w2`, the bye to `l1`; when two byes meet, L1 box `twoByes` is settled with a bye in `l2`.
struct ByeRow {
    const char* bye;
    const char* against;
    int w1;
    const char* w2;
    const char* l1;
    int twoByes;
    const char* l2;
};

const std::map<int, std::vector<ByeRow>> kByeTables = {
    {8,
     {{"Lab8", "Lab1", 1, "Lab11P", "Lab11L", 0, nullptr},
      {"Lab7", "Lab2", 4, "Lab14P", "Lab14L", 0, nullptr},
      {"Lab6", "Lab3", 3, "Lab13P", "Lab13L", 6, "Lab23L"},
      {"Lab5", "Lab4", 2, "Lab12P", "Lab12L", 5, "Lab21L"}}},
    {16,
     {{"Lab16", "Lab1", 1, "Lab11P", "Lab11L", 0, nullptr},
      {"Lab15", "Lab2", 8, "Lab18P", "Lab18L", 0, nullptr},
      {"Lab14", "Lab3", 5, "Lab15P", "Lab15L", 0, nullptr},
      {"Lab13", "Lab4", 4, "Lab14P", "Lab14L", 0, nullptr},
      {"Lab12", "Lab5", 3, "Lab13P", "Lab13L", 10, "Lab23L"},
      {"Lab11", "Lab6", 6, "Lab16P", "Lab16L", 11, "Lab25L"},
      {"Lab10", "Lab7", 7, "Lab17P", "Lab17L", 12, "Lab27L"}}},
    {32,
     {{"Lab32", "Lab1", 1, "Lab11P", "Lab11L", 0, nullptr},
      {"Lab31", "Lab2", 16, "Lab116P", "Lab116L", 0, nullptr},
      {"Lab30", "Lab3", 9, "Lab19P", "Lab19L", 0, nullptr},
      {"Lab29", "Lab4", 8, "Lab18P", "Lab18L", 0, nullptr},
      {"Lab28", "Lab5", 5, "Lab15P", "Lab15L", 0, nullptr},
      {"Lab27", "Lab6", 12, "Lab112P", "Lab112L", 0, nullptr},
      {"Lab26", "Lab7", 13, "Lab113P", "Lab113L", 0, nullptr},
      {"Lab25", "Lab8", 4, "Lab14P", "Lab14L", 0, nullptr},
      {"Lab24", "Lab9", 3, "Lab13P", "Lab13L", 19, "Lab23L"},
      {"Lab23", "Lab10", 14, "Lab114P", "Lab114L", 29, "Lab213L"},
      {"Lab22", "Lab11", 11, "Lab111P", "Lab111L", 27, "Lab211L"},
      {"Lab21", "Lab12", 6, "Lab16P", "Lab16L", 21, "Lab25L"},
      {"Lab20", "Lab13", 7, "Lab17P", "Lab17L", 23, "Lab27L"},
      {"Lab19", "Lab14", 10, "Lab110P", "Lab110L", 25, "Lab29L"},
      {"Lab18", "Lab15", 15, "Lab115P", "Lab115L", 31, "Lab215L"}}},
    {64,
     {{"Lab64", "Lab1", 1, "Lab11P", "Lab11L", 0, nullptr},
      {"Lab63", "Lab2", 32, "Lab132P", "Lab132L", 0, nullptr},
      {"Lab62", "Lab3", 17, "Lab117P", "Lab117L", 0, nullptr},
      {"Lab61", "Lab4", 16, "Lab116P", "Lab116L", 0, nullptr},
      {"Lab60", "Lab5", 9, "Lab19P", "Lab19L", 0, nullptr},
      {"Lab59", "Lab6", 24, "Lab124P", "Lab124L", 0, nullptr},
      {"Lab58", "Lab7", 25, "Lab125P", "Lab125L", 0, nullptr},
      {"Lab57", "Lab8", 8, "Lab18P", "Lab18L", 0, nullptr},
      {"Lab56", "Lab9", 5, "Lab15P", "Lab15L", 0, nullptr},
      {"Lab55", "Lab10", 28, "Lab128P", "Lab128L", 0, nullptr},
      {"Lab54", "Lab11", 21, "Lab121P", "Lab121L", 0, nullptr},
      {"Lab53", "Lab12", 12, "Lab112P", "Lab112L", 0, nullptr},
      {"Lab52", "Lab13", 13, "Lab113P", "Lab113L", 0, nullptr},
      {"Lab51", "Lab14", 20, "Lab120P", "Lab120L", 0, nullptr},
      {"Lab50", "Lab15", 29, "Lab129P", "Lab129L", 0, nullptr},
      {"Lab49", "Lab16", 4, "Lab14P", "Lab14L", 0, nullptr},
      {"Lab48", "Lab17", 3, "Lab13P", "Lab13L", 35, "Lab23L"},
      {"Lab47", "Lab18", 30, "Lab130P", "Lab130L", 61, "Lab229L"},
      {"Lab46", "Lab19", 19, "Lab119P", "Lab119L", 51, "Lab219L"},
      {"Lab45", "Lab20", 14, "Lab114P", "Lab114L", 45, "Lab213L"},
      {"Lab44", "Lab21", 11, "Lab111P", "Lab111L", 43, "Lab211L"},
      {"Lab43", "Lab22", 22, "Lab122P", "Lab122L", 53, "Lab221L"},
      {"Lab42", "Lab23", 27, "Lab127P", "Lab127L", 59, "Lab227L"},
      {"Lab41", "Lab24", 6, "Lab16P", "Lab16L", 37, "Lab25L"},
      {"Lab40", "Lab25", 7, "Lab17P", "Lab17L", 39, "Lab27L"},
      {"Lab39", "Lab26", 26, "Lab126P", "Lab126L", 57, "Lab225L"},
      {"Lab38", "Lab27", 23, "Lab123P", "Lab123L", 55, "Lab223L"},
      {"Lab37", "Lab28", 10, "Lab110P", "Lab110L", 41, "Lab29L"},
      {"Lab36", "Lab29", 15, "Lab115P", "Lab115L", 47, "Lab215L"},
      {"Lab35", "Lab30", 18, "Lab118P", "Lab118L", 49, "Lab217L"},
      {"Lab34", "Lab31", 31, "Lab131P", "Lab131L", 63, "Lab231L"}}},
};

class DrawTest : public Engine {
protected:
    // Puts something of an earlier tournament into every bracket, so a reset can be seen.
    void dirtyAll()
    {
        for (Bracket* b : {&brackets.bySize(8), &brackets.bySize(16), &brackets.bySize(32), &brackets.bySize(64)}) {
            b->setName(0, "Starý hráč");
            b->setScore(1, " 7");
            b->setState(b->table().boxCount(), BoxState::Finished);
            b->winnerLine = "Vítěz turnaje : Starý hráč";
            b->board(1).state = BoardState::Free;
        }
    }
    static bool isReset(const Bracket& b)
    {
        for (SlotId s = 0; s < static_cast<SlotId>(b.table().slotSpecs.size()); ++s)
            if (b.name(s) != kUnknown || b.score(s) != kNoScore)
                return false;
        for (int n = 1; n <= b.table().boxCount(); ++n)
            if (b.state(n) != BoxState::Pending)
                return false;
        return b.winnerLine == "Vítězem je : ";
    }
};

class DrawEveryCount : public DrawTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST(Lcg, AdvancesBeforeEachPickAndScalesTheStateIntoTheRange)
{
    Lcg a(0x12345678);
    const std::uint32_t expected[] = {7, 4, 5, 94, 0, 28};
    const std::uint32_t ranges[] = {10, 10, 7, 100, 1, 32};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a.pick(ranges[i]), expected[i]) << i;
    Lcg b(0);
    EXPECT_EQ(b.pick(5), 0u);
    EXPECT_EQ(b.state(), 1u);
    EXPECT_EQ(b.pick(4), 0u);
    EXPECT_EQ(b.state(), 134775814u);
}

TEST_P(DrawEveryCount, PutsEveryNameOnceAndTheByesWhereTheTablesSay)
{
    const int n = GetParam();
    WriteRecord({n, 5, 3, 42});
    dirtyAll();
    registered = playerNames(n);
    t.editableSession().lobby.registered = registered;
    const Outcome out = t.draw(2024);
    ASSERT_TRUE(out.ok()) << out.message();
    ASSERT_TRUE(out.message().empty());
    const int size = bracketSizeFor(n);
    ASSERT_EQ(t.session().activeSize, size);
    EXPECT_TRUE(t.session().lobby.registered.empty());

    Bracket& b = brackets.bySize(size);
    EXPECT_EQ(t.session().active(), &b);
    const auto& table = b.table();
    for (Bracket* other : {&brackets.bySize(8), &brackets.bySize(16), &brackets.bySize(32), &brackets.bySize(64)}) {
        if (other != &b) {
            EXPECT_TRUE(isReset(*other));
        }
    }

    // Every name once in slots 1..n, byes in n+1..S.
    std::multiset<std::string> drawnNames;
    for (int k = 1; k <= size; ++k) {
        const std::string& name = b.name(table.seedSlot(k));
        if (k <= n)
            drawnNames.insert(name);
        else
            EXPECT_EQ(name, kBye) << "Lab" << k;
    }
    EXPECT_EQ(drawnNames, std::multiset<std::string>(registered.begin(), registered.end()));

    // Each bye row as the table gives it; nothing else is settled.
    const auto& rows = kByeTables.at(size);
    std::set<int> finished;
    for (int j = 1; j <= size - n; ++j) {
        const ByeRow& row = rows[static_cast<std::size_t>(j - 1)];
        EXPECT_EQ(nameAt(b, row.bye), kBye);
        EXPECT_EQ(table.slot(slotOf(b, row.bye)).box, row.w1);
        EXPECT_EQ(table.slot(slotOf(b, row.against)).box, row.w1);
        EXPECT_EQ(nameAt(b, row.w2), nameAt(b, row.against)) << "bye " << j;
        EXPECT_EQ(nameAt(b, row.l1), kBye) << "bye " << j;
        finished.insert(row.w1);
        if (row.twoByes) {
            EXPECT_EQ(nameAt(b, row.l2), kBye) << "bye " << j;
            finished.insert(row.twoByes);
        }
    }
    for (int m = 1; m <= table.boxCount(); ++m) {
        EXPECT_EQ(b.state(m), finished.count(m) ? BoxState::Finished : BoxState::Pending) << "box " << m;
        const auto& box = table.box(m);
        EXPECT_EQ(b.score(box.upper), kNoScore);
        EXPECT_EQ(b.score(box.lower), kNoScore);
    }

    // The first undecided box is what the record says, and it is the first one ready.
    int firstOpen = 1;
    while (b.state(firstOpen) == BoxState::Finished)
        ++firstOpen;
    EXPECT_TRUE(b.ready(firstOpen));
    const TournamentRecord rec = ReadRecord();
    EXPECT_EQ(rec, (TournamentRecord{n, firstOpen, 0, 42}));
    EXPECT_EQ(firstOpen, n == size ? 1 : n == 4 ? 7 : 2);
    EXPECT_EQ(firstOpenMatchFor(n), firstOpen);

    for (int k = 1; k <= b.boardCount(); ++k)
        EXPECT_EQ(b.board(k).state, BoardState::Off);

    // The 8's and 16's walkover thresholds agree with where the byes landed.
    for (const auto& box : table.boxes) {
        if (box.walkover.rule == WalkoverRule::FewerPlayers) {
            EXPECT_EQ(b.name(table.partner(box.loserTo)) == kBye, n < box.walkover.threshold)
                << "box " << box.number << " with " << n << " players";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FourToSixtyFour, DrawEveryCount, ::testing::Range(4, 65));

TEST_F(DrawTest, TheSameSeedDrawsTheSameOrder)
{
    auto order = [this](std::uint32_t seed) {
        Bracket& b = drawn(20, seed);
        std::vector<std::string> names;
        for (int k = 1; k <= 20; ++k)
            names.push_back(b.name(b.table().seedSlot(k)));
        return names;
    };
    const auto a = order(7);
    EXPECT_EQ(order(7), a);
    EXPECT_NE(order(8), a);
}

TEST_F(DrawTest, RefusalsKeepTheListAndLeaveTheStartValues)
{
    const std::pair<int, std::string_view> cases[] = {
        {-5, kTooFewPlayers},  {0, kTooFewPlayers},   {1, kTooFewPlayers},     {3, kTooFewPlayers},
        {65, kTooManyPlayers}, {66, kTooManyPlayers}, {1000, kTooManyPlayers},
    };
    for (const auto& [n, text] : cases) {
        WriteRecord({n, 9, 4, 77});
        dirtyAll();
        const auto before = playerNames(std::max(0, std::min(n, 70)));
        t.editableSession().lobby.registered = before;
        const Outcome out = t.draw(1);
        EXPECT_EQ(t.session().activeSize, 0) << n;
        EXPECT_TRUE(out.isRefused()) << n;
        EXPECT_EQ(out.message(), text) << n;
        EXPECT_EQ(t.session().lobby.registered, before) << n;
        EXPECT_EQ(ReadRecord(), (TournamentRecord{n, 1, 0, 77})) << n;
        for (const int size : kBracketSizes)
            EXPECT_TRUE(isReset(brackets.bySize(size))) << n << " in the " << size;
    }
}

TEST_F(DrawTest, AListThatDisagreesWithTheCountIsRefusedWithoutReadingPastIt)
{
    for (const int listSize : {9, 11, 0}) {
        WriteRecord({10, 9, 4, 0});
        dirtyAll();
        const auto before = playerNames(listSize);
        t.editableSession().lobby.registered = before;
        const Outcome out = t.draw(3);
        EXPECT_EQ(t.session().activeSize, 0);
        EXPECT_TRUE(out.isRefused());
        EXPECT_EQ(out.message(), kListMismatch);
        EXPECT_EQ(t.session().lobby.registered, before);
        EXPECT_EQ(ReadRecord(), (TournamentRecord{10, 1, 0, 0}));
        EXPECT_TRUE(isReset(brackets.bySize(16)));
    }
}

TEST_F(DrawTest, AMissingRecordStopsTheDrawBeforeAnythingChanges)
{
    std::filesystem::remove(kRecordPath);
    dirtyAll();
    t.editableSession().lobby.registered = playerNames(8);
    const Outcome out = t.draw(1);
    ASSERT_TRUE(out.isFailed()) << "no error";
    EXPECT_EQ(out.message(), "File not found");
    EXPECT_EQ(t.session().lobby.registered.size(), 8u);
    EXPECT_EQ(t.session().activeSize, 0);
    EXPECT_FALSE(isReset(brackets.bySize(8)));
}

// The draw and the board count as pure rules on a record in memory are what the commands do with
// the file: same bracket, same boards and the same record values, for every player count and for
// the refusals.
TEST_F(DrawTest, TheRecordInMemoryGivesTheSameDrawAndBoardsAsTheFile)
{
    for (const int n : {2, 4, 5, 8, 9, 13, 16, 17, 24, 31, 32, 33, 40, 47, 64, 65}) {
        SCOPED_TRACE(n);
        const int limit = std::max(1, boardLimitFor(n));
        WriteRecord({n, 9, 4, 77});
        zorbon::Tournament file;
        file.editableSession().lobby.registered = playerNames(n);
        const Outcome fromFile = file.draw(n * 31u);
        ASSERT_FALSE(fromFile.isFailed()) << fromFile.message();
        ASSERT_TRUE(file.setBoardCount(limit, zorbon::Tournament::BoardCountFrom::Draw).ok());

        Brackets memory;
        auto memoryList = playerNames(n);
        Lcg memoryRng(n * 31u);
        TournamentRecord record{n, 9, 4, 77};
        setDrawStartValues(record);
        EXPECT_EQ(record, (TournamentRecord{n, 1, 0, 77}));
        int size = -1;
        const Outcome inMemory = chooseBracket(memory, memoryList, record.PlayerCount, size);
        if (inMemory.ok()) {
            record.FirstOpenMatch = firstOpenMatchFor(n);
            fillFirstRound(memory.bySize(size), memoryList, memoryRng, n);
        }
        EXPECT_EQ(applyBoardCount(memory, limit, record), bracketSizeFor(n));

        EXPECT_EQ(size, file.session().activeSize);
        EXPECT_EQ(size, bracketSizeFor(n));
        EXPECT_EQ(inMemory, fromFile);
        EXPECT_EQ(inMemory.message(), fromFile.message());
        EXPECT_EQ(memoryList, file.session().lobby.registered);
        EXPECT_EQ(record, ReadRecord());
        for (const int s : kBracketSizes)
            EXPECT_EQ(snapshot(memory.bySize(s)), snapshot(file.session().brackets.bySize(s))) << s;
    }
}

// Where the byes leave the first undecided box: a full bracket starts at 1, four players in the 8 at
// box 7 (the byes settle the first round and both L1 boxes), every other count at 2; a count no
// bracket takes at 1.
TEST(FirstOpenMatch, FollowsThePlayerCount)
{
    struct Span {
        int from;
        int to;
        int firstOpen;
    };
    const Span spans[] = {{-5, 3, 1},  {4, 4, 7},   {5, 7, 2},   {8, 8, 1},   {9, 15, 2},  {16, 16, 1},
                          {17, 31, 2}, {32, 32, 1}, {33, 63, 2}, {64, 64, 1}, {65, 70, 1}, {1000, 1000, 1}};
    for (const Span& s : spans)
        for (int n = s.from; n <= s.to; ++n)
            EXPECT_EQ(firstOpenMatchFor(n), s.firstOpen) << n << " players";
}

// The start values a draw stores first: no boards and match 1; the count and the last field stay.
TEST(DrawStartValues, ClearTheBoardsAndTheFirstMatchOnly)
{
    TournamentRecord record{17, 9, 4, 77};
    setDrawStartValues(record);
    EXPECT_EQ(record, (TournamentRecord{17, 1, 0, 77}));
}

// The ordinary draw pick for pick: each pick names a place in what is left of the list, and the
// name there leaves the list. Written here the plain way, against every count and a few seeds.
TEST(FillFirstRound, TakesEachPickFromWhatIsLeftOfTheList)
{
    for (int n = 4; n <= 64; ++n) {
        for (const std::uint32_t seed : {1u, 77u, 20240501u}) {
            std::vector<std::string> left = playerNames(n);
            Lcg expectedRng(seed);
            std::vector<std::string> expected;
            for (auto remaining = static_cast<std::uint32_t>(n); remaining > 0; --remaining) {
                const auto i = static_cast<std::ptrdiff_t>(expectedRng.pick(remaining));
                expected.push_back(left[static_cast<std::size_t>(i)]);
                left.erase(left.begin() + i);
            }

            Bracket b(bracketSizeFor(n));
            std::vector<std::string> players = playerNames(n);
            players.push_back("Náhradník"); // past the count: not drawn, stays in the list
            Lcg rng(seed);
            fillFirstRound(b, players, rng, n);
            for (int k = 1; k <= n; ++k)
                ASSERT_EQ(b.name(b.table().seedSlot(k)), expected[static_cast<std::size_t>(k - 1)])
                    << n << " players, seed " << seed << ", Lab" << k;
            EXPECT_EQ(players, std::vector<std::string>{"Náhradník"}) << n << " players";
        }
    }
}

// A reset clears whatever an earlier tournament left, also when only the winner line, the scratch
// cell or an open correction tells of it; and a bracket reset twice is still reset.
TEST_F(DrawTest, AResetClearsEveryTraceOfTheLastTournament)
{
    Bracket& b = brackets.bySize(16);
    b.reset();
    ASSERT_TRUE(isReset(b));
    b.reset();
    EXPECT_TRUE(isReset(b));

    b.winnerLine = "Vítězem je : Starý hráč";
    b.porazeny = "Starý hráč";
    b.correction = CorrectionContext{5, 0, 1, 2, 3};
    b.correctionMode = true;
    b.reset();
    EXPECT_TRUE(isReset(b));
    EXPECT_TRUE(b.porazeny.empty());
    EXPECT_FALSE(b.correction.has_value());
    EXPECT_FALSE(b.correctionMode);

    for (const auto touch : {+[](Bracket& x) { x.setName(3, "Starý hráč"); }, +[](Bracket& x) { x.setScore(3, " 2"); },
                             +[](Bracket& x) { x.setState(2, BoxState::OnBoard); }}) {
        touch(b);
        ASSERT_FALSE(isReset(b));
        b.reset();
        EXPECT_TRUE(isReset(b));
    }

    // A copy of a played bracket over a reset one is played, and its reset clears it.
    Bracket played(16);
    played.setName(0, "Hráč");
    b = played;
    EXPECT_FALSE(isReset(b));
    b.reset();
    EXPECT_TRUE(isReset(b));
}
