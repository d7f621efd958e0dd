// Zooming the 32-player bracket: "Zvětšit", "Zmenšit", "Skutečná velikost" and "Přizpůsobit oknu"
// in a maximised window at 1920x1080, each timed from the command to the end of the paint it causes.
// Budget: 16 ms, one frame.
//
//   zoom_bench [rounds]

#include "benchplay.h"
#include "benchrows.h"

#include "app/Model.h"
#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/Dialogs.h"

#include "tournament/tournament.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

void fail(const char* what)
{
    std::fprintf(stderr, "zoom_bench: %s\n", what);
    std::exit(1);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        fail("no working folder");
    Dialogs::beginScripted();
    std::vector<double> zoomTimes;
    std::vector<double> fitTimes;
    {
        Zorbon app;
        app.start();
        Tournament& core = app.core();
        // Long names: the widest cells a bracket has to paint.
        std::vector<std::string> names;
        for (int i = 1; i <= 32; ++i)
            names.push_back("Přemysl Řezníček-Žďárský " + std::to_string(i));
        if (!bench::drawTournament(core, {"Zimní liga 2025/2026", "Hospoda U Šípku", "9. 12. 2026"}, names, 20261209,
                                   10))
            fail("the tournament was not drawn");
        app.model().announce(nullptr);
        TBracketWindow* w = app.bracketWindow(32);
        w->showTournament();
        w->resize(1920, 1040);
        QCoreApplication::processEvents();
        w->repaint();
        auto timed = [w](auto&& command) {
            QElapsedTimer t;
            t.start();
            command();
            w->repaint(); // the paint it causes, done now
            return static_cast<double>(t.nsecsElapsed()) / 1e6;
        };
        for (int r = 0; r < rounds; ++r) {
            zoomTimes.push_back(timed([w] { w->Zvetsit1Click(); }));
            zoomTimes.push_back(timed([w] { w->Zmensit1Click(); }));
            fitTimes.push_back(timed([w] { w->Prizpusobit1Click(); }));
            zoomTimes.push_back(timed([w] { w->SkutecnaVelikost1Click(); }));
        }
        Dialogs::answer(true);
    }
    const double zoom = median(zoomTimes);
    const double fit = median(fitTimes);
    bench::row("Zoom of the 32 bracket (Zvětšit, Zmenšit, Skutečná velikost), to the end of its paint, median",
               bench::millis(zoom), "< 16 ms", bench::verdict(zoom < 16.0));
    bench::row("Přizpůsobit oknu of the 32 bracket in a 1920x1040 window, to the end of its paint, median",
               bench::millis(fit), "< 16 ms", bench::verdict(fit < 16.0));
    return 0;
}
