// Seeds are part of the journal's state: a killed program resumes with them, and its draw places them.

#include "journal_play.h"
#include "lobby/seeding.h"

#include <bit>

namespace zorbon::jtest {
namespace {

class SeedsInTheJournal : public WorkingFolder, public ::testing::WithParamInterface<int> {};

TEST_P(SeedsInTheJournal, SurviveAKillAndTheResumedDrawPlacesThem)
{
    const int n = GetParam();
    const std::vector<std::string> names = playerNames(n);
    std::vector<std::string> seeds(names.rbegin(), names.rbegin() + seedLimit(n));
    {
        auto t = openLayer();
        Player p(*t, 7);
        p.registerPlayers(names, names.size());
        ASSERT_TRUE(t->setSeeds(seeds).ok());
        // The program dies here: nothing but the journal's commits survives.
    }
    auto t = openLayer();
    ASSERT_TRUE(t->resume().ok());
    EXPECT_EQ(t->session().lobby.seeds, seeds);
    ASSERT_TRUE(t->showMainWindow().ok());
    ASSERT_TRUE(t->check(Command::Rozlosuj).ok());
    ASSERT_TRUE(t->draw(1234).ok());
    const Bracket& b = *t->session().active();
    EXPECT_EQ(b.name(b.table().seedSlot(1)), seeds[0]);
    EXPECT_EQ(b.name(b.table().seedSlot(2)), seeds[1]);
    for (int s = 3; s <= static_cast<int>(seeds.size()); ++s) {
        bool inGroup = false;
        const int last = static_cast<int>(std::bit_ceil(static_cast<unsigned>(s)));
        for (int k = last / 2 + 1; k <= last; ++k)
            inGroup = inGroup || b.name(b.table().seedSlot(k)) == seeds[static_cast<std::size_t>(s - 1)];
        EXPECT_TRUE(inGroup) << "seed " << s;
    }
    // Undo stops at the draw: the seeds cannot be taken back from a drawn tournament.
    EXPECT_FALSE(t->undoDescription().has_value());
}

TEST_P(SeedsInTheJournal, ARemovedSeedStaysDroppedAfterAResume)
{
    const int n = GetParam();
    const std::vector<std::string> names = playerNames(n);
    {
        auto t = openLayer();
        Player p(*t, 8);
        p.registerPlayers(names, names.size());
        ASSERT_TRUE(t->setSeeds({names[1], names[0]}).ok());
        ASSERT_TRUE(t->removePlayer(names[1]).ok());
    }
    auto t = openLayer();
    ASSERT_TRUE(t->resume().ok());
    EXPECT_EQ(t->session().lobby.seeds, std::vector<std::string>{names[0]});
}

INSTANTIATE_TEST_SUITE_P(AllSizes, SeedsInTheJournal, ::testing::Values(8, 13, 32),
                         [](const auto& param) { return "Hracu" + std::to_string(param.param); });

} // namespace
} // namespace zorbon::jtest
