// The engine on its own: whole tournaments played inside zorbon_core, timed one by one.
// Prints table rows for bench/run.sh; run with --benchmark_* options to see Google Benchmark's own report.

#include "benchrows.h"

#include "boards/calling.h"
#include "bracket/bracket.h"
#include "bracket/result.h"
#include "draw/draw.h"
#include "records/record.h"
#include "results/standings.h"

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

std::vector<std::string> playerNames(int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Hráč " + std::to_string(i) + (i % 3 == 0 ? " Čermák" : " Novák"));
    return names;
}

// Plays the drawn bracket to its end: "Hraj" on every free board, then a result on every occupied one,
// until the final is decided. Returns false if the tournament does not end.
bool playOut(Bracket& b, int boardCount, bool withRecord, std::uint32_t& dice)
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
            if (withRecord)
                EnterResult(b, k, s1, s2);
            else
                EnterResultRecordRead(b, k, s1, s2);
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

// Draw (reads and writes the record), board count (reads and writes it), every call, every result
// (each reads it), standings.
void BM_Tournament(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int boardCount = boardLimitFor(n);
    const auto names = playerNames(n);
    WriteRecord({n, 0, 0, 0});
    Brackets brackets;
    std::uint32_t seed = 1;
    std::uint32_t dice = 7;
    PerTournament timer;
    for (auto _ : state) {
        timer.start();
        auto list = names;
        Lcg rng(seed++);
        const DrawOutcome drawn = Draw(brackets, list, rng);
        Bracket& b = brackets.bySize(drawn.size);
        ApplyBoardCount(brackets, boardCount);
        const bool ended = playOut(b, boardCount, true, dice);
        const auto placings = Standings(b);
        benchmark::DoNotOptimize(placings.data());
        timer.stop();
        if (!ended || static_cast<int>(placings.size()) != n) {
            state.SkipWithError("the tournament did not end with everyone placed");
            break;
        }
    }
    timer.report(state);
}

// The same rules without the working file: the record is held in memory by the caller.
void BM_TournamentRules(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int boardCount = boardLimitFor(n);
    const auto names = playerNames(n);
    Brackets brackets;
    std::uint32_t seed = 1;
    std::uint32_t dice = 7;
    PerTournament timer;
    for (auto _ : state) {
        timer.start();
        auto list = names;
        Lcg rng(seed++);
        TournamentRecord record{n, 0, 0, 0};
        const DrawOutcome drawn = Draw(brackets, list, rng, record);
        Bracket& b = brackets.bySize(drawn.size);
        ApplyBoardCount(brackets, boardCount, record);
        const bool ended = playOut(b, boardCount, false, dice);
        const auto placings = Standings(b);
        benchmark::DoNotOptimize(placings.data());
        timer.stop();
        if (!ended || static_cast<int>(placings.size()) != n) {
            state.SkipWithError("the tournament did not end with everyone placed");
            break;
        }
    }
    timer.report(state);
}

BENCHMARK(BM_Tournament)->DenseRange(4, 32)->MinTime(0.1);
BENCHMARK(BM_TournamentRules)->DenseRange(4, 32)->MinTime(0.1);

// Keeps the per-tournament medians of every run, by benchmark family and player count.
class Collect : public benchmark::ConsoleReporter {
public:
    std::map<std::pair<std::string, int>, double> median;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", r.benchmark_name().c_str(), r.error_message.c_str());
                std::exit(1);
            }
            const std::string name = r.run_name.function_name;
            const int n = std::stoi(r.run_name.args);
            median[{name, n}] = r.counters.at("median_us").value;
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
    if (!EnsureWorkingLayout()) {
        std::fprintf(stderr, "cannot create the working layout in %s\n", tmpl.c_str());
        std::exit(1);
    }
    return tmpl;
}

} // namespace

int main(int argc, char** argv)
{
    bool onTmpfs = false;
    const auto scratch = enterScratchDir(onTmpfs);
    const bool verbose = argc > 1;
    benchmark::Initialize(&argc, argv);
    Collect collect;
    collect.setVerbose(verbose);
    benchmark::RunSpecifiedBenchmarks(&collect);
    benchmark::Shutdown();
    std::filesystem::current_path("/");
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);

    if (verbose)
        return 0;
    bench::note(std::string("Engine: record file on ") +
                (onTmpfs ? "/dev/shm (tmpfs)" : scratch.parent_path().string() + " (no /dev/shm here)") +
                "; \"rules only\" holds the record in memory. Times are the median tournament.");
    auto at = [&](const char* family, int n) { return collect.median.at({family, n}); };
    const double withFile = at("BM_Tournament", 32);
    const double rulesOnly = at("BM_TournamentRules", 32);
    bench::note("Engine: the record file (read by the draw, the board count and every result entry, written by the "
                "draw and the board count) is " +
                bench::micros(withFile - rulesOnly) + " of the 32-player tournament's " + bench::micros(withFile) +
                "; the rules themselves take " + bench::micros(rulesOnly) + ".");
    for (const int n : {8, 16, 32}) {
        const std::string what = "Engine: tournament of " + std::to_string(n) + " players";
        bench::row(what + ", with record file", bench::micros(at("BM_Tournament", n)), n == 32 ? "< 50 µs" : "",
                   n == 32 ? bench::verdict(at("BM_Tournament", n) < 50.0) : "");
        bench::row(what + ", rules only", bench::micros(at("BM_TournamentRules", n)), n == 32 ? "< 50 µs" : "",
                   n == 32 ? bench::verdict(at("BM_TournamentRules", n) < 50.0) : "");
    }
    for (int n = 4; n <= 32; ++n)
        bench::row("Growth: " + std::to_string(n) + " players (bracket of " + std::to_string(bracketSizeFor(n)) +
                       "), with record file / rules only",
                   bench::micros(at("BM_Tournament", n)) + " / " + bench::micros(at("BM_TournamentRules", n)), "", "");
    return 0;
}
