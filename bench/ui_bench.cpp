// Operator actions, timed in process: each handler from the click to the end of the paint it causes.
// Plays whole 32-player tournaments through the real windows, every modal answered through Dialogs,
// and then 64-player ones on 16 boards, whose timings are kept under keys ending in "64".

#include "benchgui.h"
#include "benchplay.h"
#include "benchrows.h"

#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/Dialogs.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRozlosovani.h"
#include "resultswindow/TVysledkovaListina.h"

#include "bracket/tables.h"
#include "lobby/lobby.h"
#include "tournament/tournament.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zorbon;
using namespace zorbon::ui;
using bench::settle;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Counts paint events, so the benchmark can tell that a timing did include the paint.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(o, e);
    }
};

// Lets the program run idle for this long, as it does while the operator reads the screen.
void waitIdle(int ms)
{
    const auto t0 = Clock::now();
    while (msSince(t0) < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

template <class T> T* child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w) {
        std::fprintf(stderr, "no %s in %s\n", name, qPrintable(parent->objectName()));
        std::exit(1);
    }
    return w;
}

void fail(const char* what)
{
    std::fprintf(stderr, "ui_bench: %s\n", what);
    for (const QString& m : Dialogs::messages())
        std::fprintf(stderr, "  shown: %s\n", qPrintable(m));
    std::exit(1);
}

class Bench {
public:
    explicit Bench(Zorbon& app, int players = 32, int boards = 10)
        : m_app(app)
        , m_players(players)
        , m_boards(boards)
        , m_suffix(players == 32 ? "" : std::to_string(players))
    {
        QCoreApplication::instance()->installEventFilter(&m_paints);
    }

    // Only the draw, in a program just started: the window makes its widgets then.
    void firstDraw(int round)
    {
        registerPlayers();
        draw(round, "firstDraw");
    }

    void cycle(int round)
    {
        registerPlayers();
        TBracketWindow* w = draw(round);
        hraj(w, "hraj");
        finishBoards(w);
        correction(w);
        undoRedo(w);
        const int fin = w->bracket().table().finalNumber();
        for (int guard = 0; w->bracket().state(fin) != BoxState::Finished; ++guard) {
            if (guard > 100)
                fail("the tournament does not end");
            hraj(w, nullptr);
            finishBoards(w);
        }
        results(w);
        closeBracket(w);
    }

    std::map<std::string, std::vector<double>> samples;
    std::map<std::string, int> unpainted;

private:
    // Starts a timing; `stop` ends it after the paint and notes when nothing was painted. A stop inside
    // a dialog's script paints what the operator sees while that dialog is open.
    void start()
    {
        m_paintsAtStart = m_paints.paints;
        m_t0 = Clock::now();
    }
    void stop(const char* what)
    {
        settle();
        const std::string key = what + m_suffix;
        samples[key].push_back(msSince(m_t0));
        if (m_paints.paints == m_paintsAtStart)
            ++unpainted[key];
    }

    void registerPlayers()
    {
        if (!bench::registerTournament(m_app.core(), bench::kHeader, bench::playerNames(m_players)))
            fail("registration refused");
        m_app.HlavniOkno->refresh();
        settle();
    }

    // "Rozlosuj", then timed from "Ano" to the painted 32 window, with 10 boards chosen on the way.
    TBracketWindow* draw(int round, const char* timing = "draw")
    {
        m_app.Rozlosovani->seedSource = [round] { return static_cast<std::uint32_t>(1000 + round); };
        Dialogs::script([this](QDialog* d) {
            start();
            child<QAbstractButton>(d, "Button1")->click();
        });
        // The draw ends where the operator sees the bracket with the board-count dialog over it; the
        // dialog's OK is a click of its own.
        Dialogs::script([this, timing](QDialog* d) {
            stop(timing);
            child<QSpinBox>(d, "SpinEdit1")->setValue(m_boards);
            start();
            child<QAbstractButton>(d, "Button1")->click();
        });
        m_app.HlavniOkno->SpeedButton4Click();
        stop("boardCount");
        TBracketWindow* w = m_app.bracketWindow(bracketSizeFor(m_players));
        if (!w->isVisible() || w->bracket().board(m_boards).state != BoardState::Free)
            fail("the draw did not open its bracket window with all its boards");
        return w;
    }

    void hraj(TBracketWindow* w, const char* timing)
    {
        if (timing)
            start();
        w->SpeedButton2Click();
        if (timing) {
            stop(timing);
            for (int n = 1; n <= m_boards; ++n)
                if (w->bracket().board(n).state != BoardState::Occupied)
                    fail("Hraj left a board free");
        } else {
            settle();
        }
    }

    // A result on every occupied board, each timed from the board click to the painted bracket.
    void finishBoards(TBracketWindow* w)
    {
        const Bracket& b = w->bracket();
        for (int n = 1; n <= b.boardCount(); ++n) {
            if (b.board(n).state != BoardState::Occupied)
                continue;
            const bool upper = b.board(n).match % 3 != 0;
            Dialogs::script([upper](QDialog* d) {
                child<QLineEdit>(d, "Edit1")->setText(upper ? QStringLiteral("3") : QStringLiteral("1"));
                child<QLineEdit>(d, "Edit2")->setText(upper ? QStringLiteral("1") : QStringLiteral("3"));
                child<QAbstractButton>(d, "Button1")->click();
            });
            start();
            w->TercClick(n);
            stop("result");
            if (b.board(n).state == BoardState::Occupied)
                fail("a result was not accepted");
        }
    }

    // Box 1 has been played and its players wait for their next matches: open it and turn the result.
    void correction(TBracketWindow* w)
    {
        Dialogs::script([](QDialog* d) { child<QAbstractButton>(d, "Button1")->click(); });
        start();
        w->BoxClick(1);
        stop("correctionOpen");
        if (!w->bracket().correctionMode)
            fail("the correction did not open");
        const Bracket& b = w->bracket();
        const auto& box = b.table().box(1);
        const bool upperWon = b.score(box.upper) == " 3";
        child<QLineEdit>(w, "Edit1")->setText(upperWon ? QStringLiteral("0") : QStringLiteral("3"));
        child<QLineEdit>(w, "Edit2")->setText(upperWon ? QStringLiteral("3") : QStringLiteral("0"));
        start();
        w->Button1Click();
        stop("correctionApply");
        if (w->bracket().correctionMode)
            fail("the correction was not applied");
    }

    // "Zpět" takes the correction back (timed from "Ano" to the paint), "Znovu" puts it back.
    void undoRedo(TBracketWindow* w)
    {
        const std::string before = w->bracket().score(w->bracket().table().box(1).upper);
        Dialogs::script([this](QDialog* d) {
            start();
            child<QAbstractButton>(d, "Button1")->click();
        });
        w->Zpet1Click();
        stop("undo");
        if (w->bracket().score(w->bracket().table().box(1).upper) == before)
            fail("undo did not take the correction back");
        start();
        w->Znovu1Click();
        stop("redo");
        if (w->bracket().score(w->bracket().table().box(1).upper) != before)
            fail("redo did not put the correction back");
    }

    void results(TBracketWindow* w)
    {
        start();
        w->SpeedButton3Click();
        stop("results");
        TVysledkovaListina* list = m_app.VysledkovaListina;
        if (!list->isVisible() || m_app.session.placings.size() != static_cast<std::size_t>(m_players))
            fail("the results list is not shown with every player placed");
        start();
        list->SpeedButton2Click();
        stop("save");
        start();
        list->SpeedButton3Click();
        stop("export");
        list->hide();
        settle();
    }

    void closeBracket(TBracketWindow* w)
    {
        Dialogs::answer(true);
        start();
        w->close();
        stop("close");
        if (w->isVisible() || !m_app.HlavniOkno->isVisible())
            fail("closing the bracket window did not bring back the main window");
        Dialogs::clearShown();
    }

    Zorbon& m_app;
    int m_players;
    int m_boards;
    std::string m_suffix;
    PaintCounter m_paints;
    int m_paintsAtStart = 0;
    Clock::time_point m_t0;
};

// A real message box, as every announcement and confirmation shows one: from the call until it has
// been painted, then closed as the operator's OK would.
class CloseOnPaint : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            if (auto* d = qobject_cast<QDialog*>(o))
                QMetaObject::invokeMethod(d, &QDialog::accept, Qt::QueuedConnection);
        return QObject::eventFilter(o, e);
    }
};

std::vector<double> messageBoxTimes(QWidget* parent, int runs)
{
    CloseOnPaint closer;
    QCoreApplication::instance()->installEventFilter(&closer);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        Dialogs::message(parent,
                         QStringLiteral("Na terč č.%1 nastoupí hráči Hráč 1 Novák a Hráč 2 Novák").arg(i % 10 + 1));
        times.push_back(msSince(t0));
    }
    QCoreApplication::instance()->removeEventFilter(&closer);
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    bench::paintAtOnce();
    QApplication application(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 50;
    // Taken before this program changes its working folder.
    const std::string diskBase = argc > 2 ? std::filesystem::absolute(argv[2]).string() : std::string();

    std::error_code ec;
    const bool onTmpfs = std::filesystem::is_directory("/dev/shm", ec);
    std::string tmpl =
        ((onTmpfs ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) / "zorbon-ui-XXXXXX")
            .string();
    if (!::mkdtemp(tmpl.data()))
        fail("cannot create a scratch folder");
    std::filesystem::current_path(tmpl);

    Dialogs::beginScripted();
    double worst = 0;
    // The first draw after start-up, each in a program of its own (the bracket windows make their
    // widgets on first need).
    std::vector<double> firstDraws;
    for (int i = 0; i < cycles; ++i) {
        {
            Zorbon app;
            app.start();
            // The operator's first click comes a while after the main window shows.
            waitIdle(500);
            Bench bench(app);
            bench.firstDraw(i);
            firstDraws.push_back(bench.samples["firstDraw"].front());
            Dialogs::clearShown();
        }
        // The next program starts without this one's registrations.
        std::filesystem::remove_all("data", ec);
    }
    // The same for the 64, whose window is made while the program is idle too.
    std::vector<double> firstDraws64;
    for (int i = 0; i < std::max(3, cycles / 5); ++i) {
        {
            Zorbon app;
            app.start();
            waitIdle(500);
            Bench bench(app, 64, 16);
            bench.firstDraw(i);
            firstDraws64.push_back(bench.samples["firstDraw64"].front());
            Dialogs::clearShown();
        }
        std::filesystem::remove_all("data", ec);
    }
    {
        Zorbon app;
        app.start();
        settle();
        Bench bench(app);
        for (int i = 0; i < cycles; ++i)
            bench.cycle(i);
        if (Dialogs::unanswered() != 0)
            fail("answers left over");
        bench.samples["firstDraw"] = firstDraws;
        {
            Bench big(app, 64, 16);
            for (int i = 0; i < std::max(3, cycles / 5); ++i)
                big.cycle(i);
            for (auto& [key, v] : big.samples)
                bench.samples[key] = v;
            for (auto& [key, count] : big.unpainted)
                bench.unpainted[key] = count;
            bench.samples["firstDraw64"] = firstDraws64;
        }
        if (Dialogs::unanswered() != 0)
            fail("answers left over");
        Dialogs::endScripted();
        bench.samples["message"] = messageBoxTimes(app.HlavniOkno, cycles);
        Dialogs::beginScripted();

        bench::note(
            std::string("Operator actions: in process, QT_QPA_PLATFORM=") + qgetenv("QT_QPA_PLATFORM").constData() +
            ", working folder on " + (onTmpfs ? "/dev/shm (tmpfs)" : tmpl) + ", " + std::to_string(cycles) +
            " tournaments of 32 players; each timing runs from the handler's start to the end of the paint it causes "
            "(QT_QPA_UPDATE_IDLE_TIME=0, so an update is painted at once). "
            "Messages inside the handlers are answered by the Dialogs scripting; what one real message box costs is "
            "its own row.");
        struct Row {
            const char* key;
            const char* what;
        };
        const Row rows[] = {
            {"firstDraw", "Action: first draw after start-up (the program idle for half a second after its main "
                          "window showed), 32 players, TTurnaj32 and the board-count dialog shown and painted"},
            {"draw", "Action: draw of 32 players, TTurnaj32 and the board-count dialog shown and painted"},
            {"boardCount", "Action: board-count OK after the draw (10 boards)"},
            {"hraj", "Action: \"Hraj\" with 10 free boards (10 announcements)"},
            {"result", "Action: entering a result (board click, dialog, OK)"},
            {"correctionOpen", "Action: opening a correction (box click, \"Ano\")"},
            {"correctionApply", "Action: applying a correction"},
            {"undo", "Action: \"Zpět\" (after its question) taking back a correction"},
            {"redo", "Action: \"Znovu\" putting it back"},
            {"results", "Action: \"Výsledková listina\" after a finished 32 tournament"},
            {"save", "Action: \"Ulož\""},
            {"export", "Action: \"Export\""},
            {"close", "Action: closing the bracket window with its clear-down"},
            {"message", "Action: one message box (announcement, confirmation) shown and painted"},
            {"firstDraw64", "Action: first draw of 64 players after start-up (idle for half a second), TTurnaj64 "
                            "and the board-count dialog shown and painted"},
            {"draw64", "Action: draw of 64 players, TTurnaj64 and the board-count dialog shown and painted"},
            {"boardCount64", "Action: board-count OK after the draw of 64 (16 boards)"},
            {"hraj64", "Action: \"Hraj\" with 16 free boards in TTurnaj64 (16 announcements)"},
            {"result64", "Action: entering a result in TTurnaj64 (board click, dialog, OK)"},
            {"correctionOpen64", "Action: opening a correction in TTurnaj64"},
            {"undo64", "Action: \"Zpět\" in TTurnaj64"},
            {"results64", "Action: \"Výsledková listina\" after a finished 64 tournament"},
            {"close64", "Action: closing TTurnaj64 with its clear-down"},
        };
        for (const Row& r : rows) {
            const auto& v = bench.samples[r.key];
            const double m = bench::median(v);
            worst = std::max(worst, m);
            std::string what = std::string(r.what) + " (" + std::to_string(v.size()) + " runs)";
            if (bench.unpainted.count(r.key))
                what += ", " + std::to_string(bench.unpainted[r.key]) + " without a paint";
            bench::row(what, bench::millis(m), "< 16 ms", bench::verdict(m < 16.0));
        }
    }
    std::filesystem::current_path("/");
    std::filesystem::remove_all(tmpl, ec);

    // The same on a disk, where every file the program writes is flushed before it is renamed into
    // place: what the operator waits for at the actions that write a file.
    if (!diskBase.empty()) {
        std::string diskTmpl = (std::filesystem::path(diskBase) / "zorbon-ui-disk-XXXXXX").string();
        if (!::mkdtemp(diskTmpl.data()))
            fail("cannot create a scratch folder on the disk");
        std::filesystem::current_path(diskTmpl);
        const int diskCycles = std::min(cycles, 20);
        {
            Zorbon app;
            app.start();
            settle();
            Bench bench(app);
            for (int i = 0; i < diskCycles; ++i)
                bench.cycle(i);
            bench::note("On disk: the same tournaments in a working folder under " + std::string(argv[2]) +
                        " (a disk here), where each command's journal transaction is synced before it returns; the "
                        "record and the roster, which resume writes back from the journal, are renamed into place "
                        "without a flush of their own, and every other file is flushed (fdatasync) before its "
                        "rename.");
            const std::pair<const char*, const char*> rows[] = {
                {"draw", "Action on disk: draw of 32 players (the record written twice, the journal committed)"},
                {"boardCount", "Action on disk: board-count OK (the record written once, the journal committed)"},
                {"hraj", "Action on disk: \"Hraj\" with 10 free boards (a commit before each announcement)"},
                {"result", "Action on disk: entering a result (the journal committed)"},
                {"correctionOpen", "Action on disk: opening a correction"},
                {"correctionApply", "Action on disk: applying a correction (the journal committed)"},
                {"undo", "Action on disk: \"Zpět\" with its commit"},
                {"redo", "Action on disk: \"Znovu\" with its commit"},
                {"results", "Action on disk: \"Výsledková listina\" (the journal committed)"},
                {"save", "Action on disk: \"Ulož\" (one file written)"},
                {"export", "Action on disk: \"Export\" (one file written)"},
                {"close", "Action on disk: closing the bracket window (record and roster written, the tournament "
                          "archived)"},
            };
            for (const auto& [key, what] : rows) {
                const double m = bench::median(bench.samples[key]);
                bench::row(std::string(what) + " (" + std::to_string(bench.samples[key].size()) + " runs)",
                           bench::millis(m), "< 16 ms", bench::verdict(m < 16.0));
            }
        }
        std::filesystem::current_path("/");
        std::filesystem::remove_all(diskTmpl, ec);
    }
    Dialogs::endScripted();
    return 0;
}
