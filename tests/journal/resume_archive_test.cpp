// A program that ends without closing its tournament: the next start offers it, resumes it exactly
// as its last command left it (files included) or files it in the archive; and the archive's own
// commands: a closed tournament's results list, reopening it and deleting it.

#include "journal_play.h"

#include <tuple>

using namespace zorbon;
using namespace zorbon::jtest;

namespace {

enum class Cut { BeforeDraw, AfterDraw, MidPlay, FinalOnBoard };

const char* nameOf(Cut c)
{
    switch (c) {
    case Cut::BeforeDraw:
        return "BeforeDraw";
    case Cut::AfterDraw:
        return "AfterDraw";
    case Cut::MidPlay:
        return "MidPlay";
    default:
        return "FinalOnBoard";
    }
}

bool finalOnBoard(Tournament& t)
{
    const Bracket* b = t.session().active();
    return b && b->state(b->table().finalNumber()) == BoxState::OnBoard;
}

int boxCount(int players)
{
    return tableFor(bracketSizeFor(players)).boxCount();
}

std::string headerLine()
{
    return kHeader.name + ", " + kHeader.place + ", " + kHeader.date;
}

// Equal states without printing them.
::testing::AssertionResult sameState(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "a state of " << actual.size() << " bytes (" << fnv(actual)
                                         << ") where one of " << expected.size() << " (" << fnv(expected)
                                         << ") was expected";
}

// What the first program left when it stopped without a word.
struct Left {
    std::string state; // its session's state
    std::string files; // the record and the roster
    std::vector<HistoryEntry> entries;
    std::size_t head = 0;
    int results = 0;
    std::vector<std::string> names;
};

// Plays a tournament of `players` to the cut, then drops the layer as a crash would.
Left playUntil(int players, Cut cut, std::uint32_t seed)
{
    Left left;
    auto t = openLayer();
    Player p(*t, seed);
    const std::vector<std::string> names = playerNames(players);
    p.registerPlayers(names, cut == Cut::BeforeDraw ? static_cast<std::size_t>(players / 2) : names.size());
    if (cut != Cut::BeforeDraw)
        p.draw();
    if (cut == Cut::MidPlay)
        while (p.results() < boxCount(players) / 3 && p.step()) {
        }
    if (cut == Cut::FinalOnBoard)
        while (!finalOnBoard(*t) && p.step()) {
        }
    left.state = encodeState(t->session());
    left.files = workingFiles();
    EXPECT_NE(t->history().current(), nullptr);
    if (t->history().current()) {
        EXPECT_TRUE(sameState(t->history().current()->state, left.state))
            << "the session is not what the last command committed";
    }
    left.entries = t->history().entries();
    left.head = t->history().head();
    left.results = p.results();
    left.names = p.names();
    return left;
}

class Resume : public WorkingFolder, public ::testing::WithParamInterface<std::tuple<int, Cut>> {
protected:
    Resume()
        : WorkingFolder(true)
    {
    }
    int players() const { return std::get<0>(GetParam()); }
    Cut cut() const { return std::get<1>(GetParam()); }
    std::uint32_t seed() const { return static_cast<std::uint32_t>(players() * 10 + static_cast<int>(cut())); }
};

} // namespace

TEST_P(Resume, TheNextStartResumesExactlyWhereTheLastCommandLeftIt)
{
    const Left left = playUntil(players(), cut(), seed());
    // Whatever happened to the working files since, the resume writes them back.
    WriteRecord({0, 0, 0, 0});
    SaveRoster({"Někdo jiný"});

    auto t = openLayer();
    const std::string expected =
        headerLine() + (cut() == Cut::BeforeDraw ? " – rozlosování ještě nebylo provedeno"
                                                 : " – pavouk " + std::to_string(bracketSizeFor(players())) +
                                                       " hráčů, rozhodnuté zápasy: " + std::to_string(left.results));
    EXPECT_EQ(t->resumeDescription(), expected);
    ASSERT_TRUE(t->resume().ok());
    // Before the draw the main window fills its list from the roster when it is shown.
    std::optional<Session> expectedSession = decodeState(left.state);
    ASSERT_TRUE(expectedSession.has_value());
    if (cut() == Cut::BeforeDraw)
        expectedSession->lobby.registered.clear();
    EXPECT_TRUE(sameState(encodeState(t->session()), encodeState(*expectedSession)));
    EXPECT_EQ(workingFiles(), left.files);
    EXPECT_EQ(t->history().entries(), left.entries);
    EXPECT_EQ(t->history().head(), left.head);
    EXPECT_EQ(t->resumeDescription(), std::nullopt) << "offered twice";

    // It plays on to its end from there, and closes into the archive with every result counted.
    Player p(*t, seed() + 1);
    if (cut() == Cut::BeforeDraw) {
        ASSERT_TRUE(t->showMainWindow().ok());
        EXPECT_EQ(t->session().lobby.registered, left.names);
        const std::vector<std::string> all = playerNames(players());
        p.adoptRoster();
        p.registerPlayers({all.begin() + static_cast<std::ptrdiff_t>(left.names.size()), all.end()}, all.size());
        p.draw();
    } else {
        p.adoptRoster();
    }
    ASSERT_TRUE(p.playToEnd());
    p.checkStandings();
    ASSERT_TRUE(t->closeTournament().ok());
    const auto archive = t->archive().value();
    ASSERT_EQ(archive.size(), 1u);
    EXPECT_EQ(archive[0].summary.decided, left.results + p.results());
    EXPECT_EQ(archive[0].summary.players, players());
    EXPECT_EQ(archive[0].summary.size, bracketSizeFor(players()));
    EXPECT_FALSE(archive[0].summary.winner.empty());
    t.reset();
    EXPECT_FALSE(openJournal().running.has_value());
}

TEST_P(Resume, NotResumingFilesItInTheArchiveAndTouchesNothingElse)
{
    const Left left = playUntil(players(), cut(), seed());
    auto t = openLayer();
    ASSERT_TRUE(t->resumeDescription().has_value());
    t->abandon();
    EXPECT_EQ(workingFiles(), left.files);
    EXPECT_TRUE(sameState(encodeState(t->session()), encodeState(Session{})));
    EXPECT_EQ(t->resumeDescription(), std::nullopt);
    EXPECT_TRUE(t->resume().isRefused());
    const auto archive = t->archive().value();
    ASSERT_EQ(archive.size(), 1u);
    EXPECT_EQ(archive[0].endKind, "nepokracovano");
    EXPECT_EQ(archive[0].summary.name, kHeader.name);
    EXPECT_EQ(archive[0].summary.decided, left.results);
    EXPECT_EQ(archive[0].summary.size, cut() == Cut::BeforeDraw ? 0 : bracketSizeFor(players()));
    t.reset();
    Journal::Opened again = openJournal();
    EXPECT_FALSE(again.running.has_value());
    EXPECT_EQ(workingFiles(), left.files);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Resume,
                         ::testing::Combine(::testing::Values(4, 6, 8, 9, 13, 16, 17, 25, 32),
                                            ::testing::Values(Cut::BeforeDraw, Cut::AfterDraw, Cut::MidPlay,
                                                              Cut::FinalOnBoard)),
                         [](const auto& param) {
                             return std::to_string(std::get<0>(param.param)) + "players" +
                                    nameOf(std::get<1>(param.param));
                         });

namespace {

class Archive : public WorkingFolder, public ::testing::WithParamInterface<int> {
protected:
    Archive()
        : WorkingFolder(true)
    {
    }
};

// A tournament played to its end and closed; its last state and its results list as shown.
struct Closed {
    std::string state;
    std::vector<std::string> displayed;
    std::int64_t id = 0;
};

Closed playAndClose(Tournament& t, int players, std::uint32_t seed, int tournament)
{
    Closed c;
    Player p(t, seed);
    p.registerPlayers(playerNames(players, tournament), static_cast<std::size_t>(players));
    p.draw();
    EXPECT_TRUE(p.playToEnd());
    p.checkStandings();
    c.state = t.history().current()->state;
    c.displayed = t.session().displayed;
    EXPECT_TRUE(t.closeTournament().ok());
    c.id = t.archive().value().at(0).id;
    return c;
}

} // namespace

TEST_P(Archive, AClosedTournamentLeavesNothingToResumeAndReopensAsItEnded)
{
    const int players = GetParam();
    Closed first, second;
    {
        auto t = openLayer();
        first = playAndClose(*t, players, 5, 1);
        second = playAndClose(*t, players - 1, 6, 2);
    }
    auto t = openLayer();
    EXPECT_EQ(t->resumeDescription(), std::nullopt);
    EXPECT_TRUE(t->resume().isRefused());
    ASSERT_EQ(t->archive().value().size(), 2u);
    EXPECT_EQ(t->archive().value()[0].id, second.id);

    // Its results list, best first, as the results window showed it.
    const Result<ResultsSheet> shown = t->archivedSheet(first.id);
    ASSERT_TRUE(shown.ok());
    const ResultsSheet& sheet = shown.value();
    EXPECT_EQ(sheet.header, kHeader);
    EXPECT_EQ(sheet.players, players);
    EXPECT_EQ(sheet.displayed, first.displayed);
    EXPECT_EQ(sheet.displayed.front().rfind("1. místo ", 0), 0u);

    // Refused while anyone is registered, and then nothing changes.
    ASSERT_TRUE(t->addPlayer("Někdo").ok());
    const std::string files = workingFiles();
    const Outcome refused = t->reopen(first.id);
    EXPECT_TRUE(refused.isRefused());
    EXPECT_EQ(refused.message(), "Předchozí turnaj lze znovu otevřít, jen když neběží žádný turnaj a nejsou "
                                 "registrováni žádní hráči !!!");
    EXPECT_EQ(workingFiles(), files);
    EXPECT_EQ(t->archive().value().size(), 2u);

    ASSERT_TRUE(t->deleteAllPlayers().ok());
    ASSERT_TRUE(t->reopen(first.id).ok());
    EXPECT_TRUE(sameState(encodeState(t->session()), first.state));
    const std::optional<Session> ended = decodeState(first.state);
    ASSERT_TRUE(ended.has_value());
    EXPECT_EQ(ReadRecord(), ended->record);
    EXPECT_EQ(ReadRoster(), ended->roster);
    ASSERT_EQ(t->archive().value().size(), 1u);
    EXPECT_EQ(t->archive().value()[0].id, second.id);

    // Deleting the other one leaves the reopened one running, and the next start offers it.
    ASSERT_TRUE(t->deleteArchived(second.id).ok());
    EXPECT_TRUE(t->archive().value().empty());
    EXPECT_TRUE(t->archivedSheet(second.id).isFailed());
    t.reset();
    Journal::Opened again = openJournal();
    ASSERT_TRUE(again.running.has_value());
    EXPECT_EQ(again.running->id, first.id);
    EXPECT_TRUE(sameState(again.running->current()->state, first.state));
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Archive, ::testing::Values(8, 16, 32, 64),
                         [](const auto& param) { return std::to_string(param.param) + "players"; });

namespace {
class Unfinished : public WorkingFolder {
protected:
    Unfinished()
        : WorkingFolder(true)
    {
    }
};
} // namespace

TEST_F(Unfinished, AHeaderAloneIsNotKeptWhenItIsNotResumed)
{
    {
        auto t = openLayer();
        ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    }
    auto t = openLayer();
    EXPECT_EQ(t->resumeDescription(), headerLine() + " – rozlosování ještě nebylo provedeno");
    t->abandon();
    EXPECT_TRUE(t->archive().value().empty());
    t.reset();
    EXPECT_FALSE(openJournal().running.has_value());
}
