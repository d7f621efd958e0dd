// The engine on its own: whole tournaments played inside zorbon_core, timed one by one: the rules
// alone, the command layer with its working files, and the same with its journal on a memory file
// system and on a disk. Also the journal's size after a season of tournaments.
// Prints table rows for bench/run.sh; run with --benchmark_* options to see Google Benchmark's own report.

#include "benchplay.h"
#include "benchrows.h"

#include "boards/calling.h"
#include "bracket/bracket.h"
#include "bracket/result.h"
#include "draw/draw.h"
#include "journal/journal.h"
#include "records/record.h"
#include "records/roster.h"
#include "results/standings.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zorbon;

namespace {

// Plays the drawn bracket to its end with the rules alone: "Hraj" on every free board, then a result
// on every occupied one, until the final is decided. Returns false if the tournament does not end.
bool playOut(Bracket& b, int boardCount, std::uint32_t& dice)
{
    static const std::string three = "3";
    static const std::string one = "1";
    int announcements = 0;
    const Say say = [&announcements](const std::string&) { ++announcements; };
    const int finalNo = b.table().finalNumber();
    for (int guard = 0; b.state(finalNo) != BoxState::Finished; ++guard) {
        if (guard > 200)
            return false;
        CallReadyMatches(b, boardCount, say);
        for (int k = 1; k <= b.boardCount(); ++k) {
            if (b.board(k).state != BoardState::Occupied)
                continue;
            dice = dice * 1664525u + 1013904223u;
            const bool upperWins = (dice >> 31) != 0;
            const std::string& s1 = upperWins ? three : one;
            const std::string& s2 = upperWins ? one : three;
            if (!enterResult(b, k, s1, s2).ok())
                return false;
        }
    }
    benchmark::DoNotOptimize(announcements);
    return true;
}

// Each tournament's own duration, so that the report is the median tournament rather than a mean
// that one preempted run (the machine is shared) can drag up.
class PerTournament {
public:
    void start() { m_t0 = std::chrono::steady_clock::now(); }
    void stop()
    {
        m_times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - m_t0).count());
    }
    void report(benchmark::State& state)
    {
        state.counters["median_us"] = bench::median(m_times);
        state.counters["tournaments"] = static_cast<double>(m_times.size());
    }

private:
    std::chrono::steady_clock::time_point m_t0;
    std::vector<double> m_times;
};

// The command layer with its working files; with range(1) = 1 also with a journal in the folder.
void BM_Tournament(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const bool journal = state.range(1) != 0;
    const auto names = bench::playerNames(n);
    std::filesystem::remove("data/setup/turnaj.db");
    Journal::Opened opened;
    if (journal)
        opened = Journal::open(kJournalPath, "bench", &isReadableState);
    Tournament t(std::move(opened.journal), std::nullopt, {});
    WriteRecord({0, 0, 0, 0});
    SaveRoster({});
    std::uint32_t seed = 1;
    std::uint32_t dice = 7;
    PerTournament timer;
    std::vector<double> commands;
    for (auto _ : state) {
        timer.start();
        const int committed = bench::playTournament(t, names, seed++, dice, true);
        timer.stop();
        if (committed < 0) {
            state.SkipWithError("the tournament did not end with everyone placed");
            break;
        }
        commands.push_back(committed);
    }
    timer.report(state);
    state.counters["commands"] = bench::median(commands);
}

// The same rules without the working file: the record is held in memory by the caller.
void BM_TournamentRules(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int boardCount = boardLimitFor(n);
    const auto names = bench::playerNames(n);
    Brackets brackets;
    std::uint32_t seed = 1;
    std::uint32_t dice = 7;
    PerTournament timer;
    for (auto _ : state) {
        timer.start();
        auto list = names;
        Lcg rng(seed++);
        TournamentRecord record{n, 0, 0, 0};
        setDrawStartValues(record);
        int size = 0;
        const bool chosen = chooseBracket(brackets, list, n, size).ok();
        record.FirstOpenMatch = firstOpenMatchFor(n);
        Bracket& b = brackets.bySize(size);
        fillFirstRound(b, list, rng, n);
        applyBoardCount(brackets, boardCount, record);
        const bool ended = playOut(b, boardCount, dice);
        const auto placings = standings(b);
        benchmark::DoNotOptimize(placings.data());
        timer.stop();
        if (!chosen || !ended || static_cast<int>(placings.size()) != n) {
            state.SkipWithError("the tournament did not end with everyone placed");
            break;
        }
    }
    timer.report(state);
}

// Every count up to 32, then a few of the 64's: its fewest, two between and a full bracket.
std::vector<std::int64_t> playerCounts()
{
    std::vector<std::int64_t> counts = benchmark::CreateDenseRange(4, 32, 1);
    counts.insert(counts.end(), {33, 40, 47, 56, 64});
    return counts;
}

BENCHMARK(BM_Tournament)->ArgsProduct({playerCounts(), {0}})->MinTime(0.1);
BENCHMARK(BM_Tournament)->ArgsProduct({{8, 16, 32, 64}, {1}})->MinTime(0.3);
BENCHMARK(BM_TournamentRules)->ArgsProduct({playerCounts()})->MinTime(0.1);

// Keeps the per-tournament medians of every run, by benchmark family and player count.
class Collect : public benchmark::ConsoleReporter {
public:
    std::map<std::pair<std::string, std::string>, double> median;
    std::map<std::pair<std::string, std::string>, double> commands;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", r.benchmark_name().c_str(), r.error_message.c_str());
                std::exit(1);
            }
            const std::string name = r.run_name.function_name;
            median[{name, r.run_name.args}] = r.counters.at("median_us").value;
            if (r.counters.count("commands"))
                commands[{name, r.run_name.args}] = r.counters.at("commands").value;
        }
        if (m_verbose)
            ConsoleReporter::ReportRuns(runs);
    }
    bool ReportContext(const Context& c) override { return m_verbose ? ConsoleReporter::ReportContext(c) : true; }
    void setVerbose(bool v) { m_verbose = v; }

private:
    bool m_verbose = false;
};

// The record lives in a scratch folder, on the memory file system where there is one, so that
// each flush does not wait for a disk that other work on the machine keeps busy.
std::filesystem::path enterScratchDir(bool& onTmpfs)
{
    std::error_code ec;
    onTmpfs = std::filesystem::is_directory("/dev/shm", ec);
    const auto base = onTmpfs ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "zorbon-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    std::filesystem::current_path(tmpl);
    if (!ensureWorkingLayout()) {
        std::fprintf(stderr, "cannot create the working layout in %s\n", tmpl.c_str());
        std::exit(1);
    }
    return tmpl;
}

// The journal after a season: 100 tournaments of 32 players played and closed, every command
// committed; the bytes of the database once it is closed (its write-ahead log folded in).
double seasonMiB()
{
    std::filesystem::remove("data/setup/turnaj.db");
    {
        Journal::Opened opened = Journal::open(kJournalPath, "bench", &isReadableState);
        Tournament t(std::move(opened.journal), std::nullopt, {});
        const auto names = bench::playerNames(32);
        std::uint32_t dice = 11;
        for (std::uint32_t i = 0; i < 100; ++i)
            if (bench::playTournament(t, names, 500 + i, dice, true) < 0) {
                std::fprintf(stderr, "a season's tournament did not end\n");
                std::exit(1);
            }
        if (t.archive().value().size() != 100) {
            std::fprintf(stderr, "the archive does not hold the season\n");
            std::exit(1);
        }
    }
    std::error_code ec;
    double bytes = static_cast<double>(std::filesystem::file_size("data/setup/turnaj.db", ec));
    if (std::filesystem::exists("data/setup/turnaj.db-wal", ec))
        bytes += static_cast<double>(std::filesystem::file_size("data/setup/turnaj.db-wal", ec));
    return bytes / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    bool onTmpfs = false;
    // A disk folder for the journal's second run, taken before the scratch folder is entered.
    std::string diskBase;
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) != 0) {
        diskBase = std::filesystem::absolute(argv[1]).string();
        --argc;
        ++argv;
    }
    const auto scratch = enterScratchDir(onTmpfs);
    const bool verbose = argc > 1;
    benchmark::Initialize(&argc, argv);
    Collect collect;
    collect.setVerbose(verbose);
    benchmark::RunSpecifiedBenchmarks(&collect);
    const double season = seasonMiB();
    Collect onDisk;
    std::filesystem::path diskDir;
    if (!diskBase.empty()) {
        std::string tmpl = (std::filesystem::path(diskBase) / "zorbon-engine-disk-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) {
            diskDir = tmpl;
            std::filesystem::current_path(diskDir);
            ensureWorkingLayout();
            benchmark::RunSpecifiedBenchmarks(&onDisk, "BM_Tournament/(8|16|32|64)/1");
        }
    }
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    if (!diskDir.empty())
        std::filesystem::remove_all(diskDir, ec);

    if (verbose)
        return 0;
    bench::note(std::string("Engine: working files on ") +
                (onTmpfs ? "/dev/shm (tmpfs)" : scratch.parent_path().string() + " (no /dev/shm here)") +
                "; \"rules only\" holds the record in memory; \"commands\" plays through the command layer "
                "(registration, draw, board count, every Hraj and result, standings, close) with its working files, "
                "\"journal\" also commits each command to the SQLite journal. Times are the median tournament.");
    auto at = [&](Collect& c, const char* family, int n, int journal) {
        return c.median.at({family, std::to_string(n) + "/" + std::to_string(journal)});
    };
    auto rules = [&](int n) { return collect.median.at({"BM_TournamentRules", std::to_string(n)}); };
    const double withFile = at(collect, "BM_Tournament", 32, 0);
    bench::note("Engine: the working files (read by the draw, the board count and every result entry, written by "
                "registration, the draw, the board count and the close) are " +
                bench::micros(withFile - rules(32)) + " of the 32-player tournament's " + bench::micros(withFile) +
                "; the rules themselves take " + bench::micros(rules(32)) + ".");
    for (const int n : {8, 16, 32, 64}) {
        const std::string what = "Engine: tournament of " + std::to_string(n) + " players";
        bench::row(what + ", commands with working files", bench::micros(at(collect, "BM_Tournament", n, 0)), "", "");
        bench::row(what + ", rules only", bench::micros(rules(n)), n == 32 ? "< 10 µs" : "",
                   n == 32 ? bench::verdict(rules(n) < 10.0) : "");
    }
    for (const int n : {8, 16, 32, 64}) {
        const double commands = collect.commands.at({"BM_Tournament", std::to_string(n) + "/1"});
        const double perTmpfs = (at(collect, "BM_Tournament", n, 1) - at(collect, "BM_Tournament", n, 0)) / commands;
        bench::row("Journal: commit per command on tmpfs, " + std::to_string(n) + " players (" +
                       bench::fixed(commands, 0) + " commands a tournament)",
                   bench::micros(perTmpfs), "", "");
        if (!onDisk.median.empty()) {
            const double perDisk = (at(onDisk, "BM_Tournament", n, 1) - at(collect, "BM_Tournament", n, 0)) / commands;
            bench::row("Journal: commit per command on the disk, " + std::to_string(n) + " players",
                       bench::millis(perDisk / 1000.0), "< 16 ms", bench::verdict(perDisk < 16000.0));
        }
    }
    bench::row("Journal: database holding 100 ended 32-player tournaments", bench::fixed(season, 1) + " MiB", "", "");
    for (const std::int64_t count : playerCounts()) {
        const int n = static_cast<int>(count);
        bench::row("Growth: " + std::to_string(n) + " players (bracket of " + std::to_string(bracketSizeFor(n)) +
                       "), commands with working files / rules only",
                   bench::micros(at(collect, "BM_Tournament", n, 0)) + " / " + bench::micros(rules(n)), "", "");
    }
    return 0;
}
