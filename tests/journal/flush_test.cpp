// What a power cut leaves: a command the journal records writes the working files without waiting
// for the disk, since resume writes them back from the synced journal; any other write waits.

#include "journal_play.h"

namespace zorbon::jtest {
namespace {

struct FlushCase {
    const char* name;
    int players;                                 // registered (and drawn, with `drawn`) beforehand
    bool drawn;                                  // the draw and its board count beforehand
    bool journal;                                // the layer keeps a journal
    bool fullDisk;                               // the journal cannot grow during the command
    std::function<Outcome(Tournament&)> command; // the command watched
    int flushes;                                 // files and folders the command itself waits for
};

// Each file written the durable way waits twice (its data, then its folder for the rename); files
// left for a commit that did not come are flushed together, the record, the roster and their folder.
constexpr int kDurableBoth = 4;
constexpr int kLeftOver = 3;

void PrintTo(const FlushCase& c, std::ostream* os)
{
    *os << c.name;
}

class Flushing : public WorkingFolder, public ::testing::WithParamInterface<FlushCase> {};

TEST_P(Flushing, TheWorkingFilesWaitForTheDiskOnlyWhenNoSyncedCommitCoversThem)
{
    const FlushCase& c = GetParam();
    std::unique_ptr<Tournament> t = c.journal ? openLayer() : layerOver(Journal::Opened{});
    Player p(*t, 11);
    p.registerPlayers(playerNames(c.players), static_cast<std::size_t>(c.players));
    if (c.drawn)
        p.draw(2);

    const std::uint64_t before = flushCount();
    Outcome outcome = Outcome::done();
    {
        FileSizeLimit full(c.fullDisk ? 2048 : RLIM_INFINITY);
        ASSERT_TRUE(full.ok());
        outcome = c.command(*t);
    }
    EXPECT_FALSE(outcome.isFailed()) << outcome;
    if (c.fullDisk) {
        EXPECT_NE(t->takeBackupWarning(), "");
    }
    EXPECT_EQ(flushCount() - before, static_cast<std::uint64_t>(c.flushes));
    if (c.flushes != 0)
        return;

    // The power goes before the disk has the files: they are lost or torn, and the next start's
    // resume writes them back from the journal as the command left them.
    const std::string written = workingFiles();
    t.reset();
    writeBytes(kRecordPath, "");
    fs::remove(kRosterPath);
    auto next = openLayer();
    ASSERT_TRUE(next->resumeDescription().has_value());
    ASSERT_TRUE(next->resume().ok());
    EXPECT_EQ(workingFiles(), written);
}

Outcome drawOf(Tournament& t)
{
    return t.draw(5);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Flushing,
    ::testing::Values(FlushCase{"registration", 3, false, true, false,
                                [](Tournament& tournament) { return tournament.addPlayer("Nový hráč"); }, 0},
                      FlushCase{"draw", 9, false, true, false, drawOf, 0},
                      FlushCase{"boardCount", 9, true, true, false,
                                [](Tournament& tournament) {
                                    return tournament.setBoardCount(3, Tournament::BoardCountFrom::Draw);
                                },
                                0},
                      FlushCase{"deleteAll", 3, false, true, false,
                                [](Tournament& tournament) { return tournament.deleteAllPlayers(); }, 0},
                      // A refused draw still stores its start values, and no commit covers them.
                      FlushCase{"refusedDraw", 2, false, true, false, drawOf, kLeftOver},
                      FlushCase{"noJournal", 3, false, false, false,
                                [](Tournament& tournament) { return tournament.addPlayer("Nový hráč"); }, kDurableBoth},
                      FlushCase{"journalFull", 3, false, true, true,
                                [](Tournament& tournament) { return tournament.addPlayer("Nový hráč"); }, kLeftOver},
                      // Closing ends the tournament in the journal: nothing would write the cleared files back.
                      FlushCase{"close", 9, true, true, false,
                                [](Tournament& tournament) { return tournament.closeTournament(); }, kDurableBoth}),
    [](const ::testing::TestParamInfo<FlushCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace zorbon::jtest
