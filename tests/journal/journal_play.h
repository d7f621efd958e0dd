#pragma once
// Shared by the journal tests: a private working folder per test, the journal opened as the
// program opens it, a clock that ticks, and a player that drives whole tournaments through the
// command layer with reproducible random choices.

#include "boards/calling.h"
#include "bracket/correction.h"
#include "journal/journal.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "results/standings.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace zorbon::jtest {

namespace fs = std::filesystem;

inline constexpr const char* kStamp = "20260501-100000";
inline const std::string kMovedTo = std::string(kJournalPath) + ".poskozeno-" + kStamp;
inline const TournamentHeader kHeader{"Turnaj", "Místo", "1. 5."};

inline std::uint64_t fnv(std::string_view bytes)
{
    return stateChecksum(bytes);
}

// The whole file, or nullopt when there is no readable regular file.
inline std::optional<std::string> bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The working files as one comparable text.
inline std::string workingFiles()
{
    return bytesOf(kRecordPath).value_or("<no record>") + "|" + bytesOf(kRosterPath).value_or("<no roster>");
}

// One second per call from a fixed start, so archive order and timestamps never depend on the machine.
inline Tournament::Clock tickingClock(int start = 0)
{
    auto n = std::make_shared<int>(start);
    return [n](Tournament::TimeFormat format) {
        const int t = (*n)++;
        char buf[32];
        std::snprintf(buf, sizeof buf,
                      format == Tournament::TimeFormat::FileName ? "20260501-%02d%02d%02d"
                                                                 : "2026-05-01 %02d:%02d:%02d",
                      10 + t / 3600 % 14, t / 60 % 60, t % 60);
        return std::string(buf);
    };
}

inline Journal::Opened openJournal(const std::string& stamp = kStamp)
{
    return Journal::open(kJournalPath, stamp, &isReadableState);
}

// The command layer over what open found, as the program builds it.
inline std::unique_ptr<Tournament> layerOver(Journal::Opened opened, Tournament::Clock clock = tickingClock())
{
    return std::make_unique<Tournament>(std::move(opened.journal), std::move(opened.running), opened.reason,
                                        std::move(clock));
}

inline std::unique_ptr<Tournament> openLayer(Tournament::Clock clock = tickingClock())
{
    Journal::Opened o = openJournal();
    EXPECT_TRUE(o.how == Journal::Opening::Opened || o.how == Journal::Opening::Created) << o.reason;
    return layerOver(std::move(o), std::move(clock));
}

// Writes to any file stop at `bytes` while it lives: the disk is full as far as this process can tell.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { lift(); }
    void lift()
    {
        if (m_ok)
            ::setrlimit(RLIMIT_FSIZE, &m_old);
        if (m_signal != SIG_ERR)
            std::signal(SIGXFSZ, m_signal);
        m_ok = false;
        m_signal = SIG_ERR;
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_signal)(int) = SIG_ERR;
    bool m_ok = false;
};

// A fresh working folder for each test: on the disk by default, or in memory where the test only
// needs many commits and no disk.
class WorkingFolder : public ::testing::Test {
protected:
    explicit WorkingFolder(bool inMemory = false)
        : m_inMemory(inMemory)
    {
    }

    void SetUp() override
    {
        m_old = fs::current_path();
        std::error_code ec;
        const fs::path base =
            m_inMemory && fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string tmpl = (base / "zorbon-journal-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        m_dir = tmpl;
        fs::current_path(m_dir);
        ASSERT_TRUE(ensureWorkingLayout());
    }
    void TearDown() override
    {
        fs::current_path(m_old);
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(m_dir, ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    const fs::path& dir() const { return m_dir; }

private:
    bool m_inMemory;
    fs::path m_old;
    fs::path m_dir;
};

inline std::vector<std::string> playerNames(int n, int tournament = 0)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Hráč " + std::to_string(i) + (i % 3 == 0 ? " Čermák" : " Novák") +
                        (tournament ? " " + std::to_string(tournament) : ""));
    return names;
}

// Player counts of each bracket size: the smallest, one in between and a full bracket.
inline std::vector<int> playerCountsOf(int size)
{
    switch (size) {
    case 8:
        return {4, 6, 8};
    case 16:
        return {9, 13, 16};
    case 32:
        return {17, 25, 32};
    default:
        return {33, 47, 64};
    }
}

// Drives one tournament through the command layer. Every choice comes from the seeded generator,
// so a failing run replays exactly.
class Player {
public:
    Player(Tournament& t, std::uint32_t seed)
        : m_t(&t)
        , m_rng(seed)
    {
    }

    // The same player goes on with another layer (the program started again).
    void rebind(Tournament& t) { m_t = &t; }

    int random(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_rng); }
    std::mt19937& rng() { return m_rng; }
    Tournament& t() { return *m_t; }
    const std::vector<std::string>& names() const { return m_names; }
    int results() const { return m_results; }

    Say say()
    {
        return [this](const std::string& text) { said.push_back(text); };
    }

    // The header and `count` of these players, one command each.
    void registerPlayers(const std::vector<std::string>& names, std::size_t count)
    {
        if (!m_t->session().lobby.header.exists())
            expectDone(m_t->acceptNewTournament(kHeader), "new tournament");
        for (std::size_t i = 0; i < count && i < names.size(); ++i) {
            expectDone(m_t->addPlayer(names[i]), "registration of " + names[i]);
            m_names.push_back(names[i]);
        }
    }

    // Picks up the players of a resumed tournament that was not drawn yet.
    void adoptRoster() { m_names = ReadRoster(); }

    // "Rozlosuj", its "Ano" and the board count the draw asks for.
    void draw(int boards = 0)
    {
        expectOk(m_t->check(Command::Rozlosuj), "Rozlosuj");
        expectDone(m_t->draw(static_cast<std::uint32_t>(random(1, 1 << 30))), "draw");
        const Result<int> found = m_t->boardCountLimit();
        expectOk(found, "board limit");
        const int limit = found.value();
        if (boards == 0)
            boards = random(1, std::max(1, limit));
        expectDone(m_t->setBoardCount(std::min(boards, limit), Tournament::BoardCountFrom::Draw), "board count");
    }

    const Bracket* bracket() const { return m_t->session().active(); }
    bool finished()
    {
        const Bracket* b = bracket();
        return b && b->state(b->table().finalNumber()) == BoxState::Finished;
    }

    std::vector<int> occupiedBoards()
    {
        std::vector<int> busy;
        const Bracket& b = *bracket();
        for (int k = 1; k <= b.boardCount(); ++k)
            if (b.board(k).state == BoardState::Occupied)
                busy.push_back(k);
        return busy;
    }

    // Two unequal scores, never both zero.
    std::pair<std::string, std::string> scores()
    {
        const int s1 = random(0, 5);
        int s2 = random(0, 5);
        while (s2 == s1)
            s2 = random(0, 5);
        return {std::to_string(s1), std::to_string(s2)};
    }

    // "Hraj", a click on a ready box or a result: one command of play. False once the final is decided.
    bool step()
    {
        if (finished())
            return false;
        if (boardsInPlay() == 0) {
            // An undo took the board count back to none: the operator sets them again with "Terče".
            const Result<int> found = m_t->boardCountLimit();
            expectOk(found, "board limit");
            const int limit = found.value();
            expectDone(m_t->setBoardCount(random(1, std::max(1, limit)), Tournament::BoardCountFrom::Terce),
                       "boards with Terče");
            return true;
        }
        const Bracket& b = *bracket();
        std::vector<int> busy = occupiedBoards();
        const bool someFree = static_cast<int>(busy.size()) < boardsInPlay();
        if (someFree && (busy.empty() || random(0, 2) == 0)) {
            if (random(0, 3) == 0) {
                std::vector<int> ready;
                for (int m = 1; m <= b.table().boxCount(); ++m)
                    if (b.ready(m))
                        ready.push_back(m);
                if (!ready.empty()) {
                    expectDone(m_t->clickBox(pick(ready), say()), "click on a box");
                    return true;
                }
            }
            expectDone(m_t->callReadyMatches(say()), "Hraj");
            busy = occupiedBoards();
        }
        if (busy.empty()) {
            ADD_FAILURE() << "nothing on a board and nothing to call before the final";
            return false;
        }
        enterResult(pick(busy));
        return true;
    }

    void enterResult(int board)
    {
        const auto [s1, s2] = scores();
        expectDone(m_t->enterResult(board, s1, s2), "result on board " + std::to_string(board));
        ++m_results;
    }

    int boardsInPlay()
    {
        int n = 0;
        const Bracket& b = *bracket();
        for (int k = 1; k <= b.boardCount(); ++k)
            n += b.board(k).state != BoardState::Off ? 1 : 0;
        return n;
    }

    // Plays to the final's result; false if it does not end.
    bool playToEnd()
    {
        for (int guard = 0; step(); ++guard)
            if (guard > 2000 || ::testing::Test::HasFatalFailure())
                return false;
        return finished();
    }

    // The results list once the final is decided: everyone placed once, the champion on the winner line.
    void checkStandings()
    {
        ASSERT_TRUE(finished());
        expectDone(m_t->showStandings(), "standings");
        m_t->showResultsList();
        const Bracket& b = *bracket();
        const std::vector<std::string>& shown = m_t->session().displayed;
        ASSERT_EQ(shown.size(), m_names.size());
        std::vector<std::string> placed;
        static const std::string mark = "místo ";
        for (const std::string& line : shown) {
            const auto at = line.find(mark);
            ASSERT_NE(at, std::string::npos) << line;
            placed.push_back(line.substr(at + mark.size()));
        }
        const std::string champion = placed.front();
        EXPECT_EQ(shown.front().rfind("1. místo ", 0), 0u) << shown.front();
        std::sort(placed.begin(), placed.end());
        std::vector<std::string> expected = m_names;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(placed, expected);
        EXPECT_EQ(b.winnerLine,
                  std::string(b.table().rules.winnerPrefix) + champion + std::string(b.table().rules.winnerSuffix));
    }

    std::vector<std::string> said;
    // Called after every command the player gives, with its name: where a test records what it saw.
    std::function<void(const std::string&)> afterCommand;

private:
    int pick(const std::vector<int>& from) { return from[static_cast<std::size_t>(random(0, int(from.size()) - 1))]; }
    void expectOk(const Outcome& o, const std::string& what) { EXPECT_TRUE(o.ok()) << what << ": " << o.message(); }
    void expectDone(const Outcome& o, const std::string& what)
    {
        EXPECT_TRUE(o.ok()) << what << ": " << o.message();
        if (afterCommand)
            afterCommand(what);
    }

    Tournament* m_t;
    std::mt19937 m_rng;
    std::vector<std::string> m_names;
    int m_results = 0;
};

} // namespace zorbon::jtest
