// Start-up against the floor: runs the bare Qt window and Zorbon's start-up probe in turn, each in
// the same scratch working folder (where Zorbon keeps its journal), and reports the median wall time
// to first paint and the median peak resident memory of each, with their ratios. Then Zorbon
// resuming a finished 32-player tournament that was never closed, to its shown bracket window,
// against its plain start.
//   startup_bench FLOOR PROBE [RUNS]

#include "benchplay.h"
#include "benchrows.h"

#include "journal/journal.h"
#include "records/record.h"
#include "tournament/state_codec.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double wallMs = 0;
    double rssMiB = 0;
};

// One run to its end; exits the benchmark if the program fails or does not end within 30 s.
Sample runOnce(const std::string& program)
{
    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    // Qt's start-up chatter goes to a log, shown only when the run fails.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "startup.log", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // The child gets the usual signal mask, not this process's blocked SIGCHLD.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const auto t0 = std::chrono::steady_clock::now();
    const int err = ::posix_spawn(&pid, program.c_str(), &files, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    if (err != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(err));
        std::exit(1);
    }
    const timespec limit{30, 0};
    if (::sigtimedwait(&chld, nullptr, &limit) < 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        std::fprintf(stderr, "%s did not end within 30 s:\n", program.c_str());
        std::system("cat startup.log >&2");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto t1 = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d):\n", program.c_str(), status);
        std::system("cat startup.log >&2");
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(t1 - t0).count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FLOOR PROBE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string floorProgram = std::filesystem::absolute(argv[1]);
    const std::string probeProgram = std::filesystem::absolute(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;

    // SIGCHLD is taken with sigtimedwait, so it must not be delivered.
    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &chld, nullptr);

    // Zorbon creates its working files where it starts; a scratch folder keeps them out of the tree.
    std::error_code ec;
    const bool onTmpfs = std::filesystem::is_directory("/dev/shm", ec);
    std::string tmpl = ((onTmpfs ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
                        "zorbon-startup-XXXXXX")
                           .string();
    if (!::mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::current_path(tmpl);

    // One unmeasured run each fills the page cache and lets Zorbon create its files once.
    runOnce(floorProgram);
    runOnce(probeProgram);

    std::vector<double> floorWall, probeWall, floorRss, probeRss;
    for (int i = 0; i < runs; ++i) {
        // Interleaved, and the order swapped every round, so a busy moment hits both alike.
        const bool floorFirst = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isFloor = (k == 0) == floorFirst;
            const Sample s = runOnce(isFloor ? floorProgram : probeProgram);
            (isFloor ? floorWall : probeWall).push_back(s.wallMs);
            (isFloor ? floorRss : probeRss).push_back(s.rssMiB);
        }
    }
    // A finished 32-player tournament left running in the journal of a folder of its own.
    const std::filesystem::path resumeDir = std::filesystem::path(tmpl) / "resume";
    std::filesystem::create_directories(resumeDir);
    std::filesystem::current_path(resumeDir);
    zorbon::ensureWorkingLayout();
    {
        zorbon::Journal::Opened opened = zorbon::Journal::open(zorbon::kJournalPath, "bench", &zorbon::isReadableState);
        zorbon::Tournament t(std::move(opened.journal), std::nullopt, {});
        std::uint32_t dice = 5;
        if (bench::playTournament(t, bench::playerNames(32), 77, dice, false) < 0) {
            std::fprintf(stderr, "the tournament to resume did not end\n");
            return 1;
        }
    }
    runOnce(probeProgram);
    std::vector<double> plainWall, resumeWall;
    for (int i = 0; i < runs; ++i) {
        const bool plainFirst = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool plain = (k == 0) == plainFirst;
            std::filesystem::current_path(plain ? std::filesystem::path(tmpl) : resumeDir);
            (plain ? plainWall : resumeWall).push_back(runOnce(probeProgram).wallMs);
        }
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(tmpl, ec);

    const double fw = bench::median(floorWall), pw = bench::median(probeWall);
    const double fr = bench::median(floorRss), pr = bench::median(probeRss);
    const std::string n = std::to_string(runs) + " runs each, interleaved";
    bench::note("Start-up: QT_QPA_PLATFORM=offscreen, from spawn to exit right after the main window's first paint; "
                "peak RSS from wait4(); " +
                n + ".");
    bench::row("Start-up: bare Qt window (menu bar, 4-button toolbar, 10 labels, read-only list)", bench::millis(fw),
               "", "");
    bench::row("Start-up: zorbon", bench::millis(pw), "", "");
    bench::row("Start-up: wall time ratio zorbon / bare", bench::fixed(pw / fw, 3), "≤ 1.10",
               bench::verdict(pw / fw <= 1.10));
    bench::row("Start-up: peak RSS, bare Qt window", bench::fixed(fr, 1) + " MiB", "", "");
    bench::row("Start-up: peak RSS, zorbon", bench::fixed(pr, 1) + " MiB", "", "");
    bench::row("Start-up: peak RSS ratio zorbon / bare", bench::fixed(pr / fr, 3), "≤ 1.25",
               bench::verdict(pr / fr <= 1.25));
    const double plain = bench::median(plainWall), resumed = bench::median(resumeWall);
    bench::row("Start-up: resuming a finished 32-player tournament to its shown bracket window", bench::millis(resumed),
               "", "");
    bench::row("Start-up: resume / plain start (" + bench::millis(plain) + ")", bench::fixed(resumed / plain, 3),
               "≤ 1.5", bench::verdict(resumed / plain <= 1.5));
    return 0;
}
