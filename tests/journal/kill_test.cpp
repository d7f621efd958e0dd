// Real kills: a child process plays tournament after tournament through the command layer with its
// journal on the disk and tells the test, through a pipe, each state it is about to commit and each
// command that has returned. The test kills it with SIGKILL at a random moment (in the draw, in the
// middle of "Hraj", in a result, at the final, while it closes or files a tournament, or while it
// makes the journal itself), then opens the journal as the next start would: it must open, hold
// exactly the last committed state or the one in flight (a command is there whole or not at all),
// and resume into a consistent tournament with its working files written back.

#include "journal_play.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <poll.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

using namespace zorbon;
using namespace zorbon::jtest;
using Clock = std::chrono::steady_clock;

namespace {

// Kills for one bracket size: five in six with the journal in memory, where a commit costs nothing,
// the rest on the disk, where it is synced.
int killsPerSize(bool onDisk)
{
    const char* n = std::getenv("ZORBON_KILLS");
    const int total = n && std::atoi(n) > 0 ? std::atoi(n) : 216;
    return onDisk ? (total + 17) / 18 : (total * 5 + 17) / 18;
}

// --- The child -----------------------------------------------------------------------------------

std::string hashOf(const Tournament& t)
{
    const HistoryEntry* e = t.history().current();
    return e ? std::to_string(fnv(e->state)) : "-";
}

// What the child writes, one line per write so that a kill never leaves half a line.
class Pipe {
public:
    explicit Pipe(int fd)
        : m_fd(fd)
    {
    }
    void line(const std::string& text) const
    {
        const std::string l = text + "\n";
        if (::write(m_fd, l.data(), l.size()) != static_cast<ssize_t>(l.size()))
            ::_exit(4);
    }
    // A broken promise in the child: the test reads it and fails.
    [[noreturn]] void broken(const std::string& what) const
    {
        line("X " + what);
        for (;;)
            ::pause();
    }

private:
    int m_fd;
};

// Plays forever; only a kill stops it.
[[noreturn]] void playForever(int fd, int size, std::uint32_t seed)
{
    const Pipe out(fd);
    std::mt19937 rng(seed);
    auto random = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
    Tournament* layer = nullptr;
    bool ending = false;
    // Every commit takes the time just before it stores the state: the moment to say what comes.
    auto clock = [&](Tournament::TimeFormat format) {
        if (layer && !ending && format == Tournament::TimeFormat::Readable)
            out.line("A " + std::to_string(fnv(encodeState(layer->session()))));
        return std::string("2026-05-01 10:00:00");
    };
    Journal::Opened o = openJournal();
    if (o.how != Journal::Opening::Opened && o.how != Journal::Opening::Created)
        out.broken("the journal did not open: " + o.reason);
    const std::string running =
        o.running && o.running->current() ? std::to_string(fnv(o.running->current()->state)) : "-";
    Tournament t(std::move(o.journal), std::move(o.running), o.reason, clock);
    layer = &t;
    out.line("R " + running);

    Player p(t, static_cast<std::uint32_t>(rng()));
    auto check = [&](const std::string& what) {
        if (::testing::Test::HasFailure())
            out.broken(what + " failed (see the child's output above)");
        out.line("C " + std::to_string(t.history().head()) + " " + hashOf(t));
    };
    p.afterCommand = check;
    auto end = [&](const char* phase, const std::function<void()>& body) {
        out.line(std::string("P ") + phase);
        out.line("E");
        ending = true;
        body();
        ending = false;
        out.line("N");
    };
    const int low = size == 8 ? 4 : size / 2 + 1;

    if (t.resumeDescription()) {
        if (random(0, 7) == 0) {
            end("abandon", [&] { t.abandon(); });
        } else {
            if (!t.resume().ok())
                out.broken("resume failed");
            check("resume");
            p.adoptRoster();
            if (t.session().activeSize == 0) {
                if (!t.showMainWindow().ok())
                    out.broken("the main window after a resume");
                // More players up to a count the bracket takes, none of them registered already.
                const int have = static_cast<int>(p.names().size());
                const int want = have >= size ? have : random(std::max(low, have + 1), size);
                std::vector<std::string> more;
                for (const auto& name : playerNames(size, 1000 + random(0, 1 << 20)))
                    if (std::find(p.names().begin(), p.names().end(), name) == p.names().end())
                        more.push_back(name);
                out.line("P registration");
                p.registerPlayers(more, static_cast<std::size_t>(want - have));
                out.line("P draw");
                p.draw();
            } else if (p.boardsInPlay() == 0) {
                // Killed between the draw and its board count: the operator sets them with "Terče".
                out.line("P boards");
                const Result<int> found = t.boardCountLimit();
                const int limit = found.value();
                if (!found.ok() || !t.setBoardCount(random(1, limit), Tournament::BoardCountFrom::Terce).ok())
                    out.broken("boards after a resume");
                check("boards");
            }
        }
    }
    for (int n = 0;; ++n) {
        if (!t.session().active()) {
            // Files the ended tournaments away now and then, so the journal stays small.
            out.line("P delete");
            for (const auto& a : t.archive().value())
                if (!t.deleteArchived(a.id).ok())
                    out.broken("deleting an ended tournament");
            const int players = random(low, size);
            out.line("P registration");
            // Players left registered by a tournament that was not resumed: "Vymaž" first.
            if (ReadRecord().PlayerCount != 0 || !ReadRoster().empty()) {
                if (!t.deleteAllPlayers().ok())
                    out.broken("deleting the registrations");
                check("delete all");
            }
            p = Player(t, static_cast<std::uint32_t>(rng()));
            p.afterCommand = check;
            p.registerPlayers(playerNames(players, n + 1), static_cast<std::size_t>(players));
            out.line("P draw");
            p.draw();
        }
        while (!p.finished()) {
            const Bracket& b = *t.session().active();
            const bool final = b.state(b.table().finalNumber()) == BoxState::OnBoard;
            if (random(0, 15) == 0) {
                // Undo and redo store only the head: say which state they will bring back.
                if (const HistoryEntry* e = t.history().toUndo(); e && random(0, 1) == 0) {
                    const auto at = static_cast<std::size_t>(e - t.history().entries().data());
                    out.line("P undo");
                    out.line("A " + std::to_string(fnv(t.history().entries()[at - 1].state)));
                    if (!t.undo().ok())
                        out.broken("undo");
                    check("undo");
                } else if (const HistoryEntry* r = t.history().toRedo()) {
                    out.line("P redo");
                    out.line("A " + std::to_string(fnv(r->state)));
                    if (!t.redo().ok())
                        out.broken("redo");
                    check("redo");
                }
                continue;
            }
            out.line(final ? "P final" : "P play");
            if (!p.step())
                out.broken("the tournament stands still");
        }
        if (!t.showStandings().ok())
            out.broken("standings");
        check("standings");
        end("close", [&] {
            if (!t.closeTournament().ok())
                out.broken("close");
        });
    }
}

// --- The test --------------------------------------------------------------------------------------

// What the journal may hold after a kill, from what the child said before it.
struct Expectation {
    std::string committed = "-";         // the state of the last command known to be stored ("-": none runs)
    std::optional<std::string> inFlight; // the state being stored when the child was killed
    bool ready = false;                  // the child had opened the journal
    std::string lastPhase = "start";
    std::string problem;
    std::vector<std::string> transcript; // the child's last lines, for a failure

    std::string lastLines() const
    {
        std::string out;
        for (const auto& l : transcript)
            out += "\n  " + l;
        return out;
    }

    void read(const std::string& line)
    {
        if (line.empty())
            return;
        transcript.push_back(line);
        if (transcript.size() > 24)
            transcript.erase(transcript.begin());
        const std::string rest = line.size() > 2 ? line.substr(2) : "";
        switch (line[0]) {
        case 'R':
            committed = rest;
            ready = true;
            break;
        case 'A':
            // The same commit takes the time twice when it starts a tournament.
            if (inFlight && *inFlight == rest)
                break;
            // The next line is written only once the commit before it has returned.
            if (inFlight)
                committed = *inFlight;
            inFlight = rest;
            break;
        case 'C': {
            if (inFlight)
                committed = *inFlight;
            inFlight.reset();
            const std::string hash = rest.substr(rest.find(' ') + 1);
            if (hash != committed && problem.empty())
                problem = "the child's command left " + hash + " where " + committed + " was committed";
            break;
        }
        case 'E':
            inFlight = "-";
            break;
        case 'N':
            committed = "-";
            inFlight.reset();
            break;
        case 'P':
            lastPhase = rest;
            break;
        case 'X':
            problem = "the child: " + rest;
            break;
        default:
            problem = "unreadable line " + line;
        }
    }
    bool allows(const std::string& hash) const { return hash == committed || (inFlight && hash == *inFlight); }
};

class Kill : public WorkingFolder, public ::testing::WithParamInterface<std::tuple<int, bool>> {
protected:
    Kill()
        : WorkingFolder(!std::get<1>(GetParam()))
    {
    }
};

std::string fileSystemOf(const fs::path& dir)
{
    struct statfs s {};
    if (::statfs(dir.c_str(), &s) != 0)
        return "unknown";
    switch (static_cast<unsigned long>(s.f_type)) {
    case 0x01021994:
        return "tmpfs";
    case 0xEF53:
        return "ext2/3/4";
    case 0x9123683E:
        return "btrfs";
    case 0x58465342:
        return "xfs";
    default:
        return "type 0x" + [&] {
            char b[32];
            std::snprintf(b, sizeof b, "%lx", static_cast<unsigned long>(s.f_type));
            return std::string(b);
        }();
    }
}

} // namespace

TEST_P(Kill, AKilledProgramLeavesTheLastCommandWholeOrNotAtAll)
{
    const int size = std::get<0>(GetParam());
    const int kills = killsPerSize(std::get<1>(GetParam()));
    std::mt19937 rng(static_cast<std::uint32_t>(size) * 104729u);
    {
        ASSERT_EQ(openJournal().how, Journal::Opening::Created);
    }
    const auto started = Clock::now();
    // How long the child takes for a tournament, learnt as it plays, so the kills spread over all of it.
    double tournamentMs = 30.0 * size / 8;
    std::map<std::string, int> phases;
    int resumed = 0, created = 0;
    std::string last = "-"; // what the previous check found

    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        // Now and then the child has to make the journal itself, and dies doing it.
        const bool fresh = kill % 12 == 11;
        if (fresh) {
            for (const auto& e : fs::directory_iterator(kSetupDir))
                if (e.path().filename().string().rfind("turnaj.db", 0) == 0)
                    fs::remove_all(e.path());
            WriteRecord({0, 0, 0, 0});
            SaveRoster({});
            last = "-";
        }
        // A third of the kills wait for a phase and strike just after it begins; the rest at a random time.
        static const char* const kTargets[] = {"draw", "play", "final", "close", "undo", "registration", "delete"};
        const std::string target = fresh || kill % 3 != 0 ? "" : kTargets[rng() % std::size(kTargets)];
        const double delayMs = fresh ? std::uniform_real_distribution<double>(0, 3)(rng)
                                     : std::uniform_real_distribution<double>(0, 1.3 * tournamentMs)(rng);
        const auto strikeDelay = std::chrono::microseconds(std::uniform_int_distribution<int>(0, 400)(rng));

        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        std::fflush(stdout);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            playForever(fds[1], size, static_cast<std::uint32_t>(rng()));
        }
        ::close(fds[1]);

        Expectation ex;
        ex.committed = last;
        std::string buffer;
        auto begin = Clock::now();
        const auto delay = std::chrono::microseconds(static_cast<long>(delayMs * 1000));
        // A random kill counts from the moment the child has opened its journal, except when it
        // makes the journal: then from its start.
        auto deadline = begin + (fresh ? delay : std::chrono::hours(1));
        bool armed = target.empty();
        int ends = 0;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
            if ((armed && left <= 0) || !ex.problem.empty())
                break;
            if (Clock::now() - begin > std::chrono::seconds(20))
                break; // the phase never came; kill anyway
            pollfd pfd{fds[0], POLLIN, 0};
            ::poll(&pfd, 1, armed ? static_cast<int>(std::min<long>(left / 1000, 50)) : 50);
            char chunk[4096];
            const ssize_t got = (pfd.revents & (POLLIN | POLLHUP)) ? ::read(fds[0], chunk, sizeof chunk) : 0;
            if (got <= 0 && (pfd.revents & POLLHUP))
                break; // the child died on its own
            buffer.append(chunk, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
            for (auto nl = buffer.find('\n'); nl != std::string::npos; nl = buffer.find('\n')) {
                const std::string line = buffer.substr(0, nl);
                buffer.erase(0, nl + 1);
                ex.read(line);
                if (!fresh && line[0] == 'R') {
                    begin = Clock::now();
                    if (armed)
                        deadline = begin + delay;
                }
                if (line == "N" && ++ends >= 2)
                    tournamentMs = 0.8 * tournamentMs +
                                   0.2 * std::chrono::duration<double, std::milli>(Clock::now() - begin).count() / ends;
                if (!armed && line == "P " + target) {
                    armed = true;
                    deadline = Clock::now() + strikeDelay;
                }
            }
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        // Whatever the child wrote before it died is in the pipe still.
        char chunk[4096];
        for (ssize_t got; (got = ::read(fds[0], chunk, sizeof chunk)) > 0;)
            buffer.append(chunk, static_cast<std::size_t>(got));
        ::close(fds[0]);
        for (auto nl = buffer.find('\n'); nl != std::string::npos; nl = buffer.find('\n')) {
            ex.read(buffer.substr(0, nl));
            buffer.erase(0, nl + 1);
        }
        ASSERT_TRUE(ex.problem.empty()) << ex.problem << ex.lastLines();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;
        ++phases[ex.ready ? ex.lastPhase : "opening"];

        // The next start: the journal opens, whole, with the last command or the one in flight.
        Journal::Opened o = openJournal();
        if (fresh && o.how == Journal::Opening::Created)
            ++created;
        ASSERT_TRUE(o.how == Journal::Opening::Opened || (fresh && o.how == Journal::Opening::Created))
            << "after a kill in " << ex.lastPhase << ": " << static_cast<int>(o.how) << " " << o.reason;
        const std::string found =
            o.running && o.running->current() ? std::to_string(fnv(o.running->current()->state)) : "-";
        ASSERT_TRUE(ex.allows(found)) << "after a kill in " << ex.lastPhase << " the journal holds " << found
                                      << "; committed " << ex.committed << ", in flight "
                                      << ex.inFlight.value_or("none") << ex.lastLines();
        last = found;
        if (!o.running)
            continue;

        // It resumes into a tournament that decodes and whose files are written back.
        ++resumed;
        WriteRecord({-1, -1, -1, -1});
        SaveRoster({});
        const std::string state = o.running->current()->state;
        auto t = layerOver(std::move(o));
        ASSERT_TRUE(t->resume().ok());
        const Session& s = t->session();
        std::optional<Session> stored = decodeState(state);
        ASSERT_TRUE(stored.has_value());
        if (stored->activeSize == 0)
            stored->lobby.registered.clear(); // the main window fills it from the roster
        EXPECT_EQ(fnv(encodeState(s)), fnv(encodeState(*stored)));
        EXPECT_EQ(ReadRecord(), s.record);
        EXPECT_EQ(ReadRoster(), s.roster);
        ASSERT_TRUE(decodeState(encodeState(s)).has_value());
        if (const Bracket* b = s.active()) {
            // Every registered player stands somewhere in the bracket.
            for (const std::string& name : s.roster) {
                bool present = false;
                for (SlotId i = 0; !present && i < static_cast<SlotId>(b->table().slotSpecs.size()); ++i)
                    present = b->name(i) == name;
                EXPECT_TRUE(present) << name << " is nowhere in the resumed bracket";
            }
        }
        if (HasFailure())
            return;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::string where;
    for (const auto& [phase, count] : phases)
        where += " " + phase + "=" + std::to_string(count);
    std::printf("%d kills of a %d-player bracket on %s in %.1f s (%d resumed, %d journals made by the child); "
                "killed during:%s\n",
                kills, size, fileSystemOf(dir()).c_str(), seconds, resumed, created, where.c_str());
    EXPECT_GT(resumed, kills / 2);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Kill, ::testing::Combine(::testing::Values(8, 16, 32, 64), ::testing::Bool()),
                         [](const auto& param) {
                             return std::to_string(std::get<0>(param.param)) + "players" +
                                    (std::get<1>(param.param) ? "OnDisk" : "InMemory");
                         });
