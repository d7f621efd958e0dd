// Kills a process at random moments while it rewrites the record and the roster, and checks that
// what is left on disk is always one whole version, never a torn or half-written file.

#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "workdir.h"

#include <algorithm>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace zorbon;

namespace {

// Version v of the roster: v names, each naming the version, so a mix of two versions shows.
std::vector<std::string> rosterVersion(int v)
{
    std::vector<std::string> names;
    for (int i = 0; i < v % 40 + 1; ++i)
        names.push_back("Hráč č." + std::to_string(i) + " verze " + std::to_string(v) + std::string(200, 'x'));
    return names;
}

// Rewrites both files forever; after the first whole version it tells the parent through the pipe,
// so every kill lands on a writer that has really been writing, however loaded the machine is.
[[noreturn]] void rewriteForever(int start, int readyFd)
{
    for (int v = start;; ++v) {
        WriteRecord({v, v, v, v});
        SaveRoster(rosterVersion(v));
        if (v == start) {
            const char c = 1;
            (void)!::write(readyFd, &c, 1);
            ::close(readyFd);
        }
    }
}

} // namespace

class AtomicReplace : public WorkDir {};

TEST_F(AtomicReplace, KilledWritersNeverLeaveATornFile)
{
    ASSERT_TRUE(ensureWorkingLayout());
    WriteRecord({0, 0, 0, 0});
    SaveRoster(rosterVersion(0));
    std::mt19937 rng(12345);
    constexpr int kKills = 200;
    int start = 1;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            rewriteForever(start, ready[1]);
        }
        ::close(ready[1]);
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(500, 6000)(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const TournamentRecord r = ReadRecord();
        ASSERT_EQ(std::filesystem::file_size(kRecordPath), 16u);
        ASSERT_TRUE(r.PlayerCount == r.FirstOpenMatch && r.FirstOpenMatch == r.BoardCount && r.BoardCount == r.Reserved)
            << "kill " << kill;
        const auto names = ReadRoster();
        ASSERT_FALSE(names.empty());
        const std::string version = names.front().substr(names.front().find(" verze ") + 7);
        const int v = std::stoi(version);
        ASSERT_EQ(names, rosterVersion(v)) << "kill " << kill;
        start = std::max(r.PlayerCount, v) + 1;
    }
    // Every kill came after at least one whole version more.
    EXPECT_GT(start, kKills);
    // Killed writers leave temporary files behind; the next start clears them and keeps the real files.
    EXPECT_TRUE(ensureWorkingLayout());
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(kSetupDir))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Hráči.szn", "ulozeni.dta"}));
}
