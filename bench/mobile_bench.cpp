// The phones page under a venue's load: simulated phones, each polling /stav.json once a second with
// If-None-Match over loopback, for a bounded time, while results are entered through the command
// layer. Every request must be answered (200 or 304); the latencies' 99th percentile and each
// result's time (announcement to the end of its paints, snapshot included) are reported.
//
//   mobile_bench [phones] [seconds]

#include "benchgui.h"
#include "benchplay.h"
#include "benchrows.h"

#include "../tests/server/client.h"

#include "app/Model.h"
#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/Dialogs.h"
#include "mobile/MobileService.h"

#include "tournament/tournament.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace zorbon;
using namespace zorbon::ui;
using bench::settle;
using Clock = std::chrono::steady_clock;

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "mobile_bench: %s\n", what);
    std::exit(1);
}

struct Phones {
    std::mutex mutex;
    std::vector<double> latencies; // ms
    std::atomic<int> failed{0};
    std::atomic<int> notModified{0};
};

void phone(int port, int index, Clock::time_point end, Phones& out)
{
    std::string tag;
    std::vector<double> mine;
    // Spread over the first second, as phones are.
    auto next = Clock::now() + std::chrono::milliseconds(index * 1000 / 300 % 1000);
    while (next < end) {
        std::this_thread::sleep_until(next);
        next += std::chrono::seconds(1);
        const auto t0 = Clock::now();
        const test::Reply r =
            test::request(port, "GET", "/stav.json", tag.empty() ? std::string() : "If-None-Match: " + tag + "\r\n");
        mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (r.status == 200)
            tag = r.header("ETag");
        else if (r.status == 304)
            ++out.notModified;
        else
            ++out.failed;
    }
    std::lock_guard lock(out.mutex);
    out.latencies.insert(out.latencies.end(), mine.begin(), mine.end());
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    bench::paintAtOnce();
    QApplication application(argc, argv);
    const int phones = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 300;
    const int seconds = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 600) : 60;
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = std::min<rlim_t>(files.rlim_max, 8192);
    setrlimit(RLIMIT_NOFILE, &files);
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        fail("cannot make a working folder");

    Dialogs::beginScripted();
    Phones load;
    std::vector<double> results;
    {
        Zorbon app;
        app.start();
        Tournament& core = app.core();
        if (!bench::drawTournament(core, bench::kHeader, bench::playerNames(32), 7, 10))
            fail("the tournament was not drawn");
        app.model().announce(nullptr);
        TBracketWindow* w = app.bracketWindow(32);
        w->showTournament();
        app.mobile().listenOnLoopbackOnly();
        app.mobile().usePorts(48321, 48330);
        if (!app.mobile().turnOn())
            fail("no port for the page");
        settle();
        const int port = app.mobile().port();
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        std::vector<std::thread> threads;
        for (int i = 0; i < phones; ++i)
            threads.emplace_back(phone, port, i, end, std::ref(load));

        // Meanwhile the operator plays: a "Hraj" and one result every 1.5 s, until the time is up.
        const Bracket& b = w->bracket();
        while (Clock::now() < end && b.state(b.table().finalNumber()) != BoxState::Finished) {
            if (!app.model().run(w, [](Tournament& t) { return t.callReadyMatches([](const std::string&) {}); }).ok())
                fail("Hraj was refused");
            settle();
            for (int n = 1; n <= b.boardCount() && Clock::now() < end; ++n) {
                if (b.board(n).state != BoardState::Occupied)
                    continue;
                QElapsedTimer pause;
                pause.start();
                while (pause.elapsed() < 1500)
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
                if (!core.enterResult(n, "3", "1").ok())
                    fail("a result was not accepted");
                QElapsedTimer t;
                t.start();
                app.model().announce(w);
                settle();
                results.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            }
        }
        while (Clock::now() < end)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        for (auto& t : threads)
            t.join();
        app.mobile().turnOff();
    }
    Dialogs::endScripted();

    const double p50 = percentile(load.latencies, 0.5), p99 = percentile(load.latencies, 0.99);
    const double worst = percentile(load.latencies, 1.0);
    bench::note("Phones page: " + std::to_string(phones) + " phones polling /stav.json once a second for " +
                std::to_string(seconds) + " s over loopback, each poll a new connection with If-None-Match; " +
                std::to_string(load.latencies.size()) + " requests, " + std::to_string(load.notModified.load()) +
                " answered 304; median " + bench::millis(p50) + ", slowest " + bench::millis(worst) + ".");
    bench::row("Phones page: failed requests of " + std::to_string(load.latencies.size()),
               std::to_string(load.failed.load()), "0", bench::verdict(load.failed.load() == 0));
    bench::row("Phones page: 99th percentile of a poll's latency", bench::millis(p99), "< 50 ms",
               bench::verdict(p99 < 50.0));
    const double r = bench::median(results);
    const double rMax = percentile(results, 1.0);
    bench::row("Phones page: a result announced while they poll (" + std::to_string(results.size()) +
                   " results; slowest " + bench::millis(rMax) + ")",
               bench::millis(r), "< 16 ms", bench::verdict(rMax < 16.0));
    return 0;
}
