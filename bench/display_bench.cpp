// The players' display after a result: 32-player tournaments with 10 boards and 64-player ones with
// 16 boards played through the
// command layer, each result timed from its announcement to the end of the paints it causes, with
// the display closed and open at 1920x1080 on each of its pages. The display's share is the
// difference; its budget is 4 ms.
//
//   display_bench [tournaments]

#include "benchgui.h"
#include "benchplay.h"
#include "benchrows.h"

#include "app/Model.h"
#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/Dialogs.h"
#include "display/BracketCanvas.h"
#include "display/TTabule.h"

#include "bracket/tables.h"
#include "tournament/tournament.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

using namespace zorbon;
using namespace zorbon::ui;
using bench::settle;

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "display_bench: %s\n", what);
    std::exit(1);
}

// One tournament of `players` on `boards`; the display on `page`, or closed. Appends one time per
// result, in ms.
void play(Zorbon& app, int players, int boards, std::uint32_t seed, std::optional<TTabule::Page> page,
          std::vector<double>& times)
{
    Tournament& core = app.core();
    if (!bench::drawTournament(core, bench::kHeader, bench::playerNames(players), seed, boards))
        fail("the tournament was not drawn");
    app.model().announce(nullptr);
    TBracketWindow* w = app.bracketWindow(bracketSizeFor(players));
    w->showTournament();
    TTabule* display = app.Tabule;
    if (page) {
        display->open(w->frameGeometry());
        display->setWindowState(Qt::WindowNoState);
        display->resize(1920, 1080);
    }
    settle();
    const Bracket& b = w->bracket();
    const int fin = b.table().finalNumber();
    for (int guard = 0; b.state(fin) != BoxState::Finished; ++guard) {
        if (guard > 100)
            fail("the tournament does not end");
        if (!app.model().run(w, [](Tournament& t) { return t.callReadyMatches([](const std::string&) {}); }).ok())
            fail("Hraj was refused");
        settle();
        // A call shows the boards page; the bracket page comes at the next turn, its picture drawn.
        if (page == TTabule::Page::Bracket) {
            display->setPageInterval(1);
            QElapsedTimer waited;
            waited.start();
            while (display->page() != *page && waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            display->setPageInterval(3600 * 1000);
            auto* canvas = display->findChild<BracketCanvas*>(QStringLiteral("TabulePavouk"));
            while (!canvas->isCurrent() && waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        if (page && display->page() != *page)
            fail("the display is not on the page measured");
        for (int n = 1; n <= b.boardCount(); ++n) {
            if (b.board(n).state != BoardState::Occupied)
                continue;
            const bool upper = b.board(n).match % 3 != 0;
            if (!core.enterResult(n, upper ? "3" : "1", upper ? "1" : "3").ok())
                fail("a result was not accepted");
            QElapsedTimer t;
            t.start();
            app.model().announce(w);
            settle();
            times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
    }
    display->close();
    Dialogs::answer(true);
    w->close();
    settle();
}

} // namespace

int main(int argc, char** argv)
{
    bench::paintAtOnce();
    QApplication application(argc, argv);
    const int tournaments = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        fail("cannot make a working folder");

    Dialogs::beginScripted();
    struct Size {
        int players;
        int boards;
        std::map<int, std::vector<double>> times; // -1 closed, else the page
    };
    std::vector<Size> sizes{{32, 10, {}}, {64, 16, {}}};
    {
        Zorbon app;
        app.start();
        settle();
        for (Size& size : sizes)
            for (int i = 0; i < tournaments; ++i) {
                const auto seed = static_cast<std::uint32_t>(1000 + i);
                auto& times = size.times;
                play(app, size.players, size.boards, seed, std::nullopt, times[-1]);
                play(app, size.players, size.boards, seed, TTabule::Page::Boards, times[int(TTabule::Page::Boards)]);
                play(app, size.players, size.boards, seed, TTabule::Page::Bracket, times[int(TTabule::Page::Bracket)]);
            }
    }
    Dialogs::endScripted();

    bench::note("Players' display: " + std::to_string(tournaments) +
                " tournaments each of 32 players on 10 boards and of 64 players on 16 boards, results entered "
                "through the command layer, each timed from its announcement to the end of the paints it causes "
                "(QT_QPA_PLATFORM=" +
                qgetenv("QT_QPA_PLATFORM").toStdString() + ", QT_QPA_UPDATE_IDLE_TIME=0).");
    for (Size& size : sizes) {
        const std::string of = std::to_string(size.players) + " players";
        const double closed = bench::median(size.times[-1]);
        bench::row("Display: a result announced, " + of + ", players' display closed (" +
                       std::to_string(size.times[-1].size()) + " results)",
                   bench::millis(closed), "< 16 ms", bench::verdict(closed < 16.0));
        for (const auto& [page, what] : {std::pair{TTabule::Page::Boards, "its boards page"},
                                         std::pair{TTabule::Page::Bracket, "its bracket page"}}) {
            const std::vector<double>& v = size.times[int(page)];
            const double m = bench::median(v);
            bench::row("Display: a result announced, " + of + ", players' display open at 1920x1080 on " + what + " (" +
                           std::to_string(v.size()) + " results; the display's share " + bench::millis(m - closed) +
                           ")",
                       bench::millis(m), "closed + 4 ms", bench::verdict(m - closed < 4.0));
        }
    }
    return 0;
}
