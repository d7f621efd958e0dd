// The season ranking over 500 archived 32-player tournaments: the ranking's query and sums alone, and
// the ranking window opened from the menu until its first paint.
//
//   ranking_bench [<folder>]   (the working folder goes there; a temporary one otherwise)

#include "benchplay.h"
#include "benchrows.h"

#include "app/Zorbon.h"
#include "common/Dialogs.h"
#include "mainwindow/THlavniOkno.h"
#include "ranking/TZebricek.h"

#include "journal/journal.h"
#include "records/files.h"
#include "tournament/state_codec.h"

#include <QApplication>
#include <QTableWidget>

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

using namespace zorbon;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

// A club's season: 5 tournaments of 32 played through the command layer, then 495 more archived
// like them (their placings stored as a tournament's end stores them), 60 names among them.
void season()
{
    std::vector<std::string> pool = bench::playerNames(60);
    {
        Journal::Opened opened = Journal::open(kJournalPath, "bench", &isReadableState);
        Tournament t(std::move(opened.journal), std::nullopt, {});
        std::uint32_t dice = 5;
        for (std::uint32_t i = 0; i < 5; ++i) {
            std::vector<std::string> names(pool.begin() + i * 5, pool.begin() + i * 5 + 32);
            if (bench::playTournament(t, names, 900 + i, dice, true) < 0)
                fail("a tournament did not end");
        }
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(kJournalPath, &db) != SQLITE_OK)
        fail("no journal");
    auto exec = [db](const std::string& sql) {
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sqlite3_errmsg(db));
    };
    exec("BEGIN");
    for (int i = 5; i < 500; ++i) {
        const int source = 1 + i % 5;
        char ended[32];
        std::snprintf(ended, sizeof ended, "2026-%02d-%02d 21:%02d:00", 1 + i % 11, 1 + i % 28, i % 60);
        exec("INSERT INTO tournament(started, ended, end_kind, head, name, place, date, players, size, decided, "
             "winner) SELECT started, '" +
             std::string(ended) +
             "', end_kind, head, name, place, date, players, size, decided, winner FROM "
             "tournament WHERE id = " +
             std::to_string(source));
        // The same placings, with the players turned round the club's 60 names.
        exec("INSERT OR IGNORE INTO tournament_placing SELECT last_insert_rowid(), 'Hráč ' || "
             "((CAST(substr(player, 6) AS INTEGER) + " +
             std::to_string(i * 7) +
             ") % 60 + 1) || ' Novák', "
             "place_from, place_to, wins FROM tournament_placing WHERE tournament = " +
             std::to_string(source));
    }
    exec("COMMIT");
    sqlite3_close(db);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::filesystem::path base =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    std::string tmpl = (std::filesystem::absolute(base) / "zorbon-ranking-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        fail("no working folder");
    std::filesystem::current_path(tmpl);
    ensureWorkingLayout();
    season();

    std::vector<double> core;
    std::size_t players = 0;
    {
        Journal::Opened opened = Journal::open(kJournalPath, "bench", &isReadableState);
        Tournament t(std::move(opened.journal), std::nullopt, {});
        for (int i = 0; i < 21; ++i) {
            const auto t0 = Clock::now();
            const Result<RankingSheet> sheet = t.ranking("2026-01-01", "2026-12-31");
            if (!sheet.ok())
                fail("no ranking");
            core.push_back(msSince(t0));
            players = sheet->rows.size();
        }
    }
    double firstOpen = 0;
    std::vector<double> opens;
    {
        ui::Dialogs::beginScripted();
        ui::Zorbon zorbon;
        zorbon.start();
        for (int i = 0; i < 11; ++i) {
            const auto t0 = Clock::now();
            zorbon.Zebricek->show();
            zorbon.Zebricek->grab(); // the first paint, table included
            const double ms = msSince(t0);
            if (zorbon.Zebricek->findChild<QTableWidget*>("Tabulka")->rowCount() == 0)
                fail("the window shows no ranking");
            if (i == 0)
                firstOpen = ms;
            else
                opens.push_back(ms);
            zorbon.Zebricek->hide();
            QApplication::processEvents();
        }
        zorbon.HlavniOkno->hide();
        ui::Dialogs::endScripted();
    }
    std::error_code ec;
    std::filesystem::current_path("/");
    std::filesystem::remove_all(tmpl, ec);

    bench::note("Ranking: 500 archived 32-player tournaments, " + std::to_string(players) + " players in the ranking");
    bench::row("Ranking: query and sums over 500 archived 32-player tournaments", bench::millis(bench::median(core)),
               "", "");
    bench::row("Ranking: window opened until painted, first time (its controls made)", bench::millis(firstOpen),
               "< 100 ms", bench::verdict(firstOpen < 100));
    bench::row("Ranking: window opened until painted, again", bench::millis(bench::median(opens)), "< 100 ms",
               bench::verdict(bench::median(opens) < 100));
    return 0;
}
