// The register of players: the completion's answer to one typed key with 5,000 remembered players
// (the search and the offer shown under the field), and the import of 1,000 names from a file,
// checks, working files and the journal's commit included.

#include "benchgui.h"
#include "benchrows.h"

#include "app/Zorbon.h"
#include "common/Dialogs.h"
#include "mainwindow/TRegistrace.h"

#include "journal/journal.h"
#include "records/files.h"
#include "records/record.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zorbon;
using namespace zorbon::ui;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "club_bench: %s\n", what.c_str());
    std::exit(1);
}

const char* const kFirst[] = {"Petr",  "Jana",  "Tomáš", "Eva",   "Jiří",   "Lucie", "Martin",
                              "Hana",  "Pavel", "Věra",  "Jan",   "Zdeňka", "Karel", "Ivana",
                              "Josef", "Marie", "David", "Alena", "Lukáš",  "Petra"};
const char* const kLast[] = {"Novák",    "Dvořák",  "Černý", "Procházka", "Svoboda",  "Kučera", "Veselý",
                             "Horák",    "Němec",   "Marek", "Pokorný",   "Pospíšil", "Hájek",  "Král",
                             "Jelínek",  "Růžička", "Beneš", "Fiala",     "Sedláček", "Zeman",  "Kolář",
                             "Navrátil", "Čermák",  "Vaněk", "Urban"};

// Distinct names as a club collects them over years.
std::vector<std::string> clubNames(int n, int salt)
{
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(std::string(kFirst[i % 20]) + " " + kLast[(i / 20) % 25] + " " + std::to_string(salt) + "-" +
                      std::to_string(i / 500));
    return out;
}

// A fresh working folder (under `base`, or on tmpfs) for each measurement.
std::string scratch(const std::string& base)
{
    std::error_code ec;
    const fs::path root = !base.empty()                      ? fs::path(base)
                          : fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                             : fs::temp_directory_path();
    std::string tmpl = (root / "zorbon-club-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        fail("cannot create a scratch folder");
    fs::current_path(tmpl);
    if (!ensureWorkingLayout())
        fail("no working layout");
    return tmpl;
}

std::unique_ptr<Tournament> layer()
{
    Journal::Opened o = Journal::open(kJournalPath, "bench", &isReadableState);
    if (!o.journal)
        fail("no journal: " + o.reason);
    return std::make_unique<Tournament>(std::move(o.journal), std::move(o.running), std::string());
}

// The import of a 1,000-name file into a new tournament, on the file system at `base`.
std::vector<double> importTimes(const std::string& base, int cycles)
{
    std::vector<double> times;
    const fs::path home = fs::current_path();
    for (int c = 0; c < cycles; ++c) {
        const std::string dir = scratch(base);
        std::string file = "Jméno;Klub\r\n";
        for (const std::string& n : clubNames(1000, c))
            file += "\"" + n + "\";DC Šipka\r\n";
        replaceFile("seznam.csv", file);
        auto t = layer();
        if (!t->acceptNewTournament({"Turnaj", "", ""}).ok() || !t->showRegistration().ok())
            fail("no tournament");
        const auto t0 = Clock::now();
        const Result<ImportSummary> o = t->importPlayerFile("seznam.csv");
        times.push_back(msSince(t0));
        if (!o.ok() || o->registered != 1000 || ReadRecord().PlayerCount != 1000)
            fail("the import did not register 1000 names: " + o.message());
        if (!t->takeBackupWarning().empty())
            fail("the journal did not take the import");
        t.reset();
        fs::current_path(home);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    return times;
}

// One key typed into the registration's name field, to the offer painted under it.
std::vector<double> completionTimes(int rounds)
{
    std::vector<double> times;
    const std::string dir = scratch({});
    {
        auto t = layer();
        if (!t->acceptNewTournament({"Registr", "", ""}).ok())
            fail("no tournament");
        const Result<ImportSummary> summary = t->importPlayers(clubNames(5000, 0), Tournament::ImportInto::Registered);
        if (!summary.ok() || summary->registered != 5000)
            fail("5000 players were not remembered");
        if (t->journal()->players().size() != 5000)
            fail("the register does not hold 5000 players");
        // Ended, so that the program below starts without the resume question; the register stays.
        if (!t->exitProgram().ok())
            fail("the tournament did not end");
    }
    Dialogs::beginScripted();
    Zorbon app;
    app.start();
    if (!app.core().acceptNewTournament({"Turnaj", "", ""}).ok())
        fail("no tournament");
    const char* const typed[] = {"n", "no", "nov", "NOVA", "p", "pe", "petr n", "č", "če", "čer", "z", "ze"};
    Dialogs::script([&](QDialog* d) {
        auto* field = d->findChild<QLineEdit*>(QStringLiteral("JmenoHrace"));
        QAbstractItemView* offer = d->findChild<QCompleter*>()->popup();
        for (int r = 0; r < rounds; ++r) {
            for (const char* text : typed) {
                field->clear();
                const QString all = QString::fromUtf8(text);
                field->setText(all.left(all.size() - 1));
                QCoreApplication::processEvents();
                const auto t0 = Clock::now();
                // The key as a keyboard sends it: its text, since a "č" has no key code of its own.
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, all.right(1));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, all.right(1));
                QCoreApplication::sendEvent(field, &press);
                QCoreApplication::sendEvent(field, &release);
                QCoreApplication::processEvents();
                times.push_back(msSince(t0));
                if (!offer->isVisible() || offer->model()->rowCount() == 0)
                    fail("nothing offered for " + std::string(text));
            }
        }
        offer->hide();
    });
    Dialogs::exec(app.Registrace);
    Dialogs::endScripted();
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    bench::paintAtOnce();
    QApplication application(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string diskBase = argc > 2 ? fs::absolute(argv[2]).string() : std::string();
    const fs::path home = fs::current_path();

    const double completion = bench::median(completionTimes(cycles));
    fs::current_path(home);
    bench::row("Completion: a key typed with 5,000 remembered players, to the offer shown", bench::millis(completion),
               "16 ms", bench::verdict(completion <= 16));
    const double imported = bench::median(importTimes({}, cycles));
    bench::row("Import of 1,000 names from a file (checks, record, roster, journal), tmpfs", bench::millis(imported),
               "1 s", bench::verdict(imported <= 1000));
    if (!diskBase.empty()) {
        const double onDisk = bench::median(importTimes(diskBase, cycles));
        bench::row("Import of 1,000 names from a file, on the disk", bench::millis(onDisk), "1 s",
                   bench::verdict(onDisk <= 1000));
    }
    bench::note("Register: " + std::to_string(cycles) +
                " rounds each; completion typed into the registration dialog in process (QT_QPA_PLATFORM=" +
                qgetenv("QT_QPA_PLATFORM").constData() + "), timed from the key to the offer painted.");
    return 0;
}
