// Seeding: how many seeds a count allows, the seed list's rules, the seeds' place in the state, and
// the seeded draw's properties in every bracket size.

#include "draw/seeded.h"
#include "engine.h"
#include "lobby/seeding.h"
#include "records/files.h"
#include "records/roster.h"
#include "tournament/state_codec.h"

#include <bit>
#include <map>
#include <set>

using namespace zorbon;
using namespace zorbon::test;

namespace {

// The winners'-side boxes a first-round slot's player passes through when he keeps winning, in order.
std::vector<int> winnersPath(const AdvancementTable& t, SlotId slot)
{
    std::vector<int> path;
    for (SlotId s = slot; s != kNoSlot;) {
        const BoxSpec& box = t.box(t.slot(s).box);
        if (box.round.side != Side::Winners)
            break;
        path.push_back(box.number);
        s = box.winnerTo;
    }
    return path;
}

// The winners'-side round in which the players of two first-round slots can meet.
int meetingRound(const AdvancementTable& t, int slotA, int slotB)
{
    const std::vector<int> a = winnersPath(t, t.seedSlot(slotA));
    const std::vector<int> b = winnersPath(t, t.seedSlot(slotB));
    for (const int box : a)
        if (std::find(b.begin(), b.end(), box) != b.end())
            return t.box(box).round.number;
    return 0;
}

int lastWinnersRound(const AdvancementTable& t)
{
    int last = 0;
    for (const BoxSpec& b : t.boxes)
        if (b.round.side == Side::Winners)
            last = std::max(last, b.round.number);
    return last;
}

class SeededDraw : public Engine, public ::testing::WithParamInterface<int> {
protected:
    int size() const { return GetParam(); }
    // The first slot of every player after a draw of n players with `seeds` seeds and this generator.
    std::map<std::string, int> drawSeeded(int n, int seeds, std::uint32_t seed)
    {
        WriteRecord({n, 0, 0, 0});
        t.editableSession().lobby.registered = playerNames(n);
        const std::vector<std::string> all = playerNames(n);
        // The seeds are the last registered, so that the order of registration cannot place them.
        t.editableSession().lobby.seeds.assign(all.rbegin(), all.rbegin() + seeds);
        EXPECT_TRUE(t.draw(seed).ok());
        const Bracket& b = brackets.bySize(size());
        std::map<std::string, int> slotOf;
        for (int k = 1; k <= n; ++k)
            slotOf[b.name(b.table().seedSlot(k))] = k;
        EXPECT_EQ(static_cast<int>(slotOf.size()), n) << "somebody drawn twice or not at all";
        return slotOf;
    }
};

} // namespace

TEST_P(SeededDraw, SeedsMeetOnTheWinnersSideOnlyFromTheirRound)
{
    const AdvancementTable& table = tableFor(size());
    const int last = lastWinnersRound(table);
    std::set<std::vector<int>> seedPlacements;
    for (int n = size() / 2 + 1; n <= size(); ++n) {
        const int limit = seedLimit(n);
        ASSERT_EQ(limit, size() / 4);
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            const std::map<std::string, int> slotOf = drawSeeded(n, limit, seed * 7919u + static_cast<unsigned>(n));
            const std::vector<std::string> all = playerNames(n);
            std::vector<int> slots; // slot of seed 1, 2, …
            for (int s = 0; s < limit; ++s)
                slots.push_back(slotOf.at(all[static_cast<std::size_t>(n - 1 - s)]));
            seedPlacements.insert(slots);
            EXPECT_EQ(slots[0], 1);
            EXPECT_EQ(slots[1], 2);
            for (int i = 0; i < limit; ++i) {
                const auto [first, lastSlot] = seedGroup(i + 1);
                EXPECT_GE(slots[static_cast<std::size_t>(i)], first) << "seed " << i + 1;
                EXPECT_LE(slots[static_cast<std::size_t>(i)], lastSlot) << "seed " << i + 1;
                for (int j = 0; j < i; ++j) {
                    const int round =
                        meetingRound(table, slots[static_cast<std::size_t>(i)], slots[static_cast<std::size_t>(j)]);
                    // Seeds 1-2 meet in the winners' final, 1-4 from its semi-finals, 1-8 from its
                    // quarter-finals, 1-16 from the round before.
                    const int group = static_cast<int>(std::bit_width(static_cast<unsigned>(i))); // 1 for seed 2
                    EXPECT_GE(round, last + 1 - group) << "seeds " << j + 1 << " and " << i + 1 << " of " << n;
                }
            }
            // The byes face the top seeds first.
            const Bracket& b = brackets.bySize(size());
            for (int j = 1; j <= size() - n; ++j)
                EXPECT_EQ(b.name(b.table().seedSlot(size() + 1 - j)), kBye);
        }
    }
    // Within their groups the seeds are drawn, not set.
    if (size() >= 16) {
        EXPECT_GT(seedPlacements.size(), 1u);
    }
}

TEST_P(SeededDraw, WithoutSeedsTheDrawIsTheOrdinaryOneCallForCall)
{
    for (const int n : {size() / 2 + 1, size()}) {
        for (const std::uint32_t seed : {1u, 99u, 0xDEADBEEFu}) {
            Brackets reference;
            std::vector<std::string> players = playerNames(n);
            Lcg plain(seed);
            fillFirstRound(reference.bySize(size()), players, plain, n);
            drawSeeded(n, 0, seed);
            EXPECT_EQ(snapshot(brackets.bySize(size())), snapshot(reference.bySize(size()))) << n << " " << seed;
        }
    }
}

TEST_P(SeededDraw, FewerSeedsLeaveTheirGroupsToTheOthersAndSurplusSeedsAreDrawnLikeEverybody)
{
    const int n = size();
    // Three seeds: seed 3 takes one of slots 3 and 4, an unseeded player the other.
    std::map<std::string, int> slotOf = drawSeeded(n, 3, 5);
    const std::vector<std::string> all = playerNames(n);
    EXPECT_EQ(slotOf.at(all[static_cast<std::size_t>(n - 1)]), 1);
    EXPECT_EQ(slotOf.at(all[static_cast<std::size_t>(n - 2)]), 2);
    if (size() >= 16) { // the 8 takes two seeds: there the third is drawn like everybody else
        EXPECT_GE(slotOf.at(all[static_cast<std::size_t>(n - 3)]), 3);
        EXPECT_LE(slotOf.at(all[static_cast<std::size_t>(n - 3)]), 4);
    }

    // More seeds than the bracket takes (the count fell after seeding): the first quarter are seeded.
    std::vector<std::string> players = all;
    Lcg rng(3);
    const std::vector<std::string> order = seededOrder(players, {all.rbegin(), all.rend()}, rng, n);
    EXPECT_TRUE(players.empty());
    EXPECT_EQ(std::set<std::string>(order.begin(), order.end()), std::set<std::string>(all.begin(), all.end()));
    EXPECT_EQ(order[0], all.back());
    EXPECT_EQ(order[1], all[static_cast<std::size_t>(n - 2)]);
}

TEST_P(SeededDraw, ASeedNoLongerRegisteredIsSkippedAndTheNextTakesHisPlace)
{
    const int n = size();
    std::vector<std::string> players = playerNames(n);
    Lcg rng(11);
    const std::vector<std::string> order = seededOrder(players, {"Nikdo", players[5], players[2]}, rng, n);
    const std::vector<std::string> all = playerNames(n);
    EXPECT_EQ(order[0], all[5]);
    EXPECT_EQ(order[1], all[2]);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, SeededDraw, ::testing::ValuesIn(kBracketSizes),
                         [](const auto& param) { return "Pavouk" + std::to_string(param.param); });

// --- The seed list ----------------------------------------------------------------------------------

TEST(SeedLimit, AQuarterOfTheBracketTheCountDrawsInto)
{
    for (const int size : kBracketSizes) {
        EXPECT_EQ(seedLimit(size), size / 4) << size;
        EXPECT_EQ(seedLimit(size / 2 + 1), size / 4) << size;
    }
    EXPECT_EQ(seedLimit(4), 2);
    EXPECT_EQ(seedLimit(3), 0);
    EXPECT_EQ(seedLimit(0), 0);
    EXPECT_EQ(seedLimit(-5), 0);
    EXPECT_EQ(seedLimit(65), 0);
}

TEST(SeedList, ChecksRefuseWhatTheDrawCouldNotHonour)
{
    const std::vector<std::string> reg = playerNames(9);
    EXPECT_TRUE(checkSeeds({reg[0], reg[4], reg[8], reg[1]}, reg, 9).ok());
    EXPECT_EQ(checkSeeds({reg[0], reg[4], reg[8], reg[1], reg[2]}, reg, 9).message(),
              "Nasadit lze nejvýše 4 hráče (čtvrtinu pavouka 16 hráčů) !!!");
    EXPECT_EQ(checkSeeds({reg[0], reg[0]}, reg, 9).message(), "Hráč " + reg[0] + " je nasazen dvakrát !!!");
    EXPECT_EQ(checkSeeds({"Cizí"}, reg, 9).message(), "Hráč Cizí není registrován !!!");
    EXPECT_EQ(checkSeeds({reg[0]}, {reg[0], reg[1], reg[2]}, 3).message(),
              "Při 3 registrovaných hráčích nelze nasazovat !!!");
    EXPECT_TRUE(checkSeeds({}, {}, 0).ok());
    EXPECT_EQ(checkSeeds(playerNames(9), playerNames(20), 20).message(),
              "Nasadit lze nejvýše 8 hráčů (čtvrtinu pavouka 32 hráčů) !!!");
    EXPECT_EQ(seedLimitText(5), "Nasadit lze nejvýše 2 hráče (čtvrtinu pavouka 8 hráčů). Nasazení č. 1 a č. 2 se "
                                "mohou potkat až ve finále.");
    EXPECT_EQ(seedLimitText(2), "Při 2 registrovaných hráčích nelze nasazovat.");
}

TEST(SeedList, EditingKeepsEveryPlayerOnceAndInOrder)
{
    std::vector<std::string> seeds;
    seedPlayer(seeds, "A");
    seedPlayer(seeds, "B");
    seedPlayer(seeds, "A");
    seedPlayer(seeds, "");
    seedPlayer(seeds, "C");
    EXPECT_EQ(seeds, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(moveSeed(seeds, 2, -1), 1);
    EXPECT_EQ(seeds, (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(moveSeed(seeds, 0, -1), 0);
    EXPECT_EQ(moveSeed(seeds, 2, +1), 2);
    EXPECT_EQ(moveSeed(seeds, 7, +1), 7);
    unseedAt(seeds, 0);
    unseedAt(seeds, 5);
    EXPECT_EQ(seeds, (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(unseeded({"A", "B", "C", "D"}, seeds), (std::vector<std::string>{"A", "D"}));
}

TEST(SeedList, ByRankingTakesTheBestPlacedRegisteredUnderAnySpelling)
{
    const std::vector<std::string> reg{"Eva", "Petr Novak", "Jan", "Ivo", "Ota", "Max", "Bob", "Dan", "Zoe"};
    const std::vector<std::string> ranked{"Karel", "Petr Novák", "Ota", "Jan", "Eva", "Ivo"};
    const Aliases merged{{"Petr Novak", "Petr Novák"}};
    // None seeded yet: a quarter of the 16 bracket.
    EXPECT_EQ(seedsByRanking(reg, ranked, merged, 0, 9), (std::vector<std::string>{"Petr Novak", "Ota", "Jan", "Eva"}));
    EXPECT_EQ(seedsByRanking(reg, ranked, merged, 2, 9), (std::vector<std::string>{"Petr Novak", "Ota"}));
    EXPECT_EQ(seedsByRanking(reg, ranked, merged, 9, 9).size(), 4u) << "never more than the bracket takes";
    EXPECT_EQ(seedsByRanking(reg, {"Karel"}, merged, 0, 9), std::vector<std::string>{});
    EXPECT_EQ(keptName({{"a", "b"}, {"b", "c"}, {"x", "y"}, {"y", "x"}}, "a"), "c");
    EXPECT_EQ(keptName({{"x", "y"}, {"y", "x"}}, "x"), "y") << "a cycle ends";
}

// --- Seeds in the tournament ---------------------------------------------------------------------------

class Seeds : public Engine {
protected:
    void SetUp() override
    {
        Engine::SetUp();
        t.editableSession().lobby.header = {"Turnaj", "", ""};
        for (const std::string& name : playerNames(10))
            ASSERT_TRUE(t.addPlayer(name).ok());
    }
    const std::vector<std::string> names = playerNames(10);
};

TEST_F(Seeds, AreCheckedAgainstTheRecordsCountAndTouchNoWorkingFile)
{
    const std::string files = readWholeFile(kRecordPath) + readWholeFile(kRosterPath);
    EXPECT_TRUE(t.setSeeds({names[3], names[0]}).ok());
    EXPECT_EQ(t.session().lobby.seeds, (std::vector<std::string>{names[3], names[0]}));
    EXPECT_EQ(readWholeFile(kRecordPath) + readWholeFile(kRosterPath), files);
    EXPECT_EQ(t.setSeeds({names[3], names[0], names[1], names[2], names[4]}).message(),
              "Nasadit lze nejvýše 4 hráče (čtvrtinu pavouka 16 hráčů) !!!");
    EXPECT_EQ(t.session().lobby.seeds, (std::vector<std::string>{names[3], names[0]})) << "a refusal changes nothing";
    EXPECT_EQ(t.history().current()->description, "nasazení hráčů do losování (" + names[3] + ", " + names[0] + ")");
}

TEST_F(Seeds, RemovingASeededPlayerDropsHisSeedAndDeletingAllDropsAll)
{
    ASSERT_TRUE(t.setSeeds({names[3], names[0], names[7]}).ok());
    ASSERT_TRUE(t.removePlayer(names[0]).ok());
    EXPECT_EQ(t.session().lobby.seeds, (std::vector<std::string>{names[3], names[7]}));
    ASSERT_TRUE(t.deleteAllPlayers().ok());
    EXPECT_TRUE(t.session().lobby.seeds.empty());
}

TEST_F(Seeds, TheDrawPlacesThemAndTheyRideInTheState)
{
    ASSERT_TRUE(t.setSeeds({names[9], names[8]}).ok());
    const std::optional<Session> decoded = decodeState(encodeState(t.session()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->lobby.seeds, (std::vector<std::string>{names[9], names[8]}));
    ASSERT_TRUE(t.draw(42).ok());
    const Bracket& b = brackets.bySize(16);
    EXPECT_EQ(nameAt(b, "Lab1"), names[9]);
    EXPECT_EQ(nameAt(b, "Lab2"), names[8]);
    // Ten players in the 16: both top seeds have a bye.
    EXPECT_EQ(nameAt(b, "Lab11P"), names[9]);
    EXPECT_EQ(nameAt(b, "Lab18P"), names[8]);
}

// A state the program wrote before seeds existed still reads, as a state without seeds, and counts as
// the same tournament as its re-encoding.
TEST_F(Seeds, AnOlderStateWithoutSeedsStillReads)
{
    const std::string current = encodeState(t.session());
    // The older format is the same bytes without the trailing seed list (one zero count).
    std::string old = current.substr(0, current.size() - 9);
    old[3] = '\x01';
    const std::uint64_t sum = stateChecksum(old);
    for (int i = 0; i < 8; ++i)
        old.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
    const std::optional<Session> decoded = decodeState(old);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->lobby, t.session().lobby);
    EXPECT_TRUE(equalStates(current, old));
    EXPECT_FALSE(equalStates(current, std::string("ZBS\x09", 4) + old.substr(4)));
    ASSERT_TRUE(t.setSeeds({names[0]}).ok());
    EXPECT_FALSE(equalStates(encodeState(t.session()), old));
}
