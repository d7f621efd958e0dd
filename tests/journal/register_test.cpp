// The register of players in the journal: what registration and import leave in it, merging and
// forgetting, the tables the archive gives, and the upgrade of a version-1 journal.

#include "journal_play.h"
#include "journal_v1.h"
#include "unprivileged.h"

#include <sqlite3.h>

#include <map>
#include <set>

namespace zorbon::jtest {
namespace {

class Register : public WorkingFolder {
protected:
    Register()
        : WorkingFolder(true)
    {
    }
};

std::string query(const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open_v2(kJournalPath, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK) {
            while (sqlite3_step(s) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(s); ++c) {
                    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                    out += (c ? "|" : "") + std::string(p ? p : "NULL");
                }
                out += "\n";
            }
        } else {
            out = std::string("<error> ") + sqlite3_errmsg(db);
        }
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return out;
}

void exec(const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

std::vector<std::string> registerNames(Tournament& t)
{
    std::vector<std::string> out;
    for (const RegisteredPlayer& p : t.journal()->players())
        out.push_back(p.name);
    return out;
}

// Plays one tournament of these players to its end and closes it into the archive.
void playAndClose(Tournament& t, const std::vector<std::string>& names, std::uint32_t seed)
{
    Player p(t, seed);
    p.registerPlayers(names, names.size());
    p.draw();
    ASSERT_TRUE(p.playToEnd());
    ASSERT_TRUE(t.closeTournament().ok());
}

// Tournaments of every bracket size played into the archive, and one left running before its draw.
struct Played {
    std::vector<std::vector<std::string>> players; // per archived tournament
    std::vector<std::string> running;
};

Played playSeveral(Tournament& t)
{
    Played out;
    int n = 0;
    for (const int size : kBracketSizes) {
        std::vector<std::string> names = playerNames(playerCountsOf(size)[1], ++n);
        names[0] = "Petr Novák"; // plays every one of them
        playAndClose(t, names, static_cast<std::uint32_t>(size));
        out.players.push_back(names);
    }
    out.running = {"Jana Malá", "Petr Novák", "Eva Černá"};
    Player(t, 7).registerPlayers(out.running, out.running.size());
    return out;
}

} // namespace

TEST_F(Register, EveryRegistrationIsRememberedOnceWithItsFirstAndLastTime)
{
    auto t = openLayer();
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->addPlayer("Petr Novák").ok());
    ASSERT_TRUE(t->addPlayer("Jana Malá").ok());
    // Refused names are not remembered.
    EXPECT_FALSE(t->addPlayer("Petr Novák").ok());
    EXPECT_FALSE(t->addPlayer("Volný los").ok());
    ASSERT_TRUE(t->closeTournament().ok());
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->addPlayer("Petr Novák").ok());
    const std::string times = query("SELECT name, first_registered < last_registered FROM player ORDER BY name");
    EXPECT_EQ(times, "Jana Malá|0\nPetr Novák|1\n");
    // The register entry is committed with the registration: the time is that of the command.
    const std::string lastCommand = query("SELECT max(at) FROM command WHERE kind = 'registrace'");
    EXPECT_EQ(query("SELECT last_registered FROM player WHERE name = 'Petr Novák'"), lastCommand);
}

TEST_F(Register, ImportIsOneCommandWithTheChecksOfPridejAndOneCommit)
{
    auto t = openLayer();
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->showRegistration().ok());
    ASSERT_TRUE(t->addPlayer("Petr Novák").ok());
    const std::string commandsBefore = query("SELECT count(*) FROM command");
    const std::vector<std::string> names = {"Jana Malá", "Petr Novák", "Volný los", "Eva 🎯",
                                            "Jana Malá", "petr novák", "Tab\there"};
    Result<ImportSummary> summary = t->importPlayers(names, Tournament::ImportInto::RegistrationList);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->registered, 2);
    EXPECT_EQ(importSummaryText(*summary),
              "Registrováno 2 hráčů. Přeskočeno 5: Petr Novák (již registrován), Volný los (jméno vyhrazené pro "
              "pavouka), Eva 🎯 (znak, který soupiska neuloží), Jana Malá (již registrován), Tab\there (řídicí znak "
              "ve jméně).");
    // Record, roster, both lists and the count as three "Přidej" would leave them.
    EXPECT_EQ(ReadRecord().PlayerCount, 3);
    EXPECT_EQ(ReadRoster(), (std::vector<std::string>{"Petr Novák", "Jana Malá", "petr novák"}));
    const Lobby& l = t->session().lobby;
    EXPECT_EQ(l.registrationList, ReadRoster());
    EXPECT_EQ(l.registered, ReadRoster());
    EXPECT_EQ(l.count, 3);
    EXPECT_EQ(l.shownCount, std::optional<int>(3));
    // One more command in the journal, and the register holds the new names.
    EXPECT_EQ(std::stoi(query("SELECT count(*) FROM command")), std::stoi(commandsBefore) + 1);
    EXPECT_EQ(query("SELECT kind FROM command ORDER BY id DESC LIMIT 1"), "import\n");
    EXPECT_EQ(registerNames(*t), (std::vector<std::string>{"Jana Malá", "Petr Novák", "petr novák"}));
    // A list of names all refused changes nothing and commits nothing.
    summary = t->importPlayers({"Jana Malá"}, Tournament::ImportInto::RegistrationList);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->registered, 0);
    EXPECT_EQ(query("SELECT count(*) FROM command"), std::to_string(std::stoi(commandsBefore) + 1) + "\n");
}

TEST_F(Register, ImportFailingOnTheRosterKeepsCountAndListsAsPridejDoes)
{
    auto t = openLayer();
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->showRegistration().ok());
    fs::remove(kRosterPath);
    // The roster is read before anything is written: nothing changes.
    const Outcome o = t->importPlayers({"Jana Malá"}, Tournament::ImportInto::RegistrationList);
    EXPECT_TRUE(o.isFailed());
    EXPECT_EQ(ReadRecord().PlayerCount, 0);
    EXPECT_TRUE(t->session().lobby.registered.empty());
}

TEST_F(Register, ArchivedPlayersComeBackInRegistrationOrderAndOnlyBeforeADraw)
{
    auto t = openLayer();
    const std::vector<std::string> names = playerNames(6);
    playAndClose(*t, names, 3);
    const std::int64_t id = t->archive().value().front().id;
    // No tournament yet: refused as "Registruj" is.
    EXPECT_EQ(t->registerArchivedPlayers(id), Outcome::refused("Není založen žádný turnaj !!!"));
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->showMainWindow().ok());
    ASSERT_TRUE(t->addPlayer(names[2]).ok()); // registered this week already (dialog closed afterwards)
    t->registrationClosed();
    const Result<ImportSummary> summary = t->registerArchivedPlayers(id);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->registered, 5);
    ASSERT_EQ(summary->skipped.size(), 1u);
    EXPECT_EQ(summary->skipped[0].name, names[2]);
    std::vector<std::string> expected = {names[2]};
    for (const std::string& n : names)
        if (n != names[2])
            expected.push_back(n);
    EXPECT_EQ(ReadRoster(), expected);
    EXPECT_EQ(t->session().lobby.registered, expected);
    EXPECT_TRUE(t->session().lobby.registrationList.empty()) << "the closed dialog's list stays empty";
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
    // Drawn: refused, nothing changes.
    ASSERT_TRUE(t->check(Command::Rozlosuj).ok());
    ASSERT_TRUE(t->draw(1).ok());
    EXPECT_EQ(t->registerArchivedPlayers(id),
              Outcome::refused("Hráče nelze registrovat, dokud je rozlosovaný turnaj !!!"));
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
}

TEST_F(Register, TheClubTableCountsTournamentsBestPlacingAndMergedSpellings)
{
    auto t = openLayer();
    std::vector<std::string> first = playerNames(8, 1);
    first[0] = "Petr Novák";
    playAndClose(*t, first, 11);
    std::vector<std::string> second = playerNames(5, 2);
    second[0] = "Petr Novak"; // the same man, mistyped
    playAndClose(*t, second, 12);

    const std::vector<ArchivedPlayers> archive = t->archivedPlayers().value();
    ASSERT_EQ(archive.size(), 2u);
    std::map<std::string, PlacedPlayer> placed;
    for (const ArchivedPlayers& a : archive)
        for (const PlacedPlayer& p : a.players.players)
            placed[p.name] = p;
    // Everybody of a finished tournament is placed, in the band the results list names.
    for (const auto& [name, p] : placed) {
        EXPECT_GT(p.placing, 0) << name;
        EXPECT_FALSE(p.placingText.empty()) << name;
    }

    Result<std::vector<ClubPlayer>> club = t->clubPlayers();
    ASSERT_TRUE(club.ok());
    std::vector<ClubPlayer> table = club.value();
    EXPECT_EQ(table.size(), 8u + 5u);
    auto row = [&](const std::string& name) {
        for (const ClubPlayer& c : table)
            if (c.name == name)
                return c;
        return ClubPlayer{};
    };
    EXPECT_EQ(row("Petr Novák").tournaments, 1);
    EXPECT_EQ(row("Petr Novák").bestPlacing, placed["Petr Novák"].placing);
    EXPECT_EQ(row("Petr Novák").lastPlayed, archive.back().ended);

    ASSERT_TRUE(t->mergePlayers("Petr Novak", "Petr Novák").ok());
    club = t->clubPlayers();
    ASSERT_TRUE(club.ok());
    table = club.value();
    EXPECT_EQ(table.size(), 8u + 4u);
    EXPECT_EQ(row("Petr Novak").name, "") << "the merged spelling left the register";
    EXPECT_EQ(row("Petr Novák").tournaments, 2);
    EXPECT_EQ(row("Petr Novák").bestPlacing, std::min(placed["Petr Novák"].placing, placed["Petr Novak"].placing));
    EXPECT_EQ(row("Petr Novák").lastPlayed, archive.front().ended);
    EXPECT_EQ(t->aliasMap().value(), (Aliases{{"Petr Novak", "Petr Novák"}}));
    // The typo typed again counts for the kept name and does not come back into the register.
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    ASSERT_TRUE(t->addPlayer("Petr Novak").ok());
    EXPECT_EQ(query("SELECT count(*) FROM player WHERE name = 'Petr Novak'"), "0\n");
    EXPECT_EQ(query("SELECT last_registered = (SELECT max(at) FROM command) FROM player WHERE name = 'Petr Novák'"),
              "1\n");
    EXPECT_EQ(t->suggestPlayers("PETR nova", 10), (std::vector<std::string>{"Petr Novák"}));
}

TEST_F(Register, MergingFollowsEarlierMergesAndDeletingTakesTheSpellingsAlong)
{
    auto t = openLayer();
    ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    for (const char* n : {"Petr Novák", "Petr Novak", "P. Novák", "Jana Malá"})
        ASSERT_TRUE(t->addPlayer(n).ok());
    ASSERT_TRUE(t->mergePlayers("P. Novák", "Petr Novak").ok());
    ASSERT_TRUE(t->mergePlayers("Petr Novak", "Petr Novák").ok());
    EXPECT_EQ(t->aliasMap().value(), (Aliases{{"P. Novák", "Petr Novák"}, {"Petr Novak", "Petr Novák"}}));
    EXPECT_EQ(registerNames(*t), (std::vector<std::string>{"Jana Malá", "Petr Novák"}));
    // Merging back the other way never leaves a name that counts as itself or a loop.
    ASSERT_TRUE(t->addPlayer("Petr Novák 2").ok());
    ASSERT_TRUE(t->mergePlayers("Petr Novák", "Petr Novák 2").ok());
    const Aliases aliases = t->aliasMap().value();
    for (const auto& [alias, kept] : aliases) {
        EXPECT_NE(alias, kept);
        EXPECT_EQ(aliases.count(kept), 0u) << kept << " is itself merged";
    }
    EXPECT_EQ(t->mergePlayers("Jana Malá", "Jana Malá"), Outcome::refused("Hráče nelze sloučit se sebou samým !!!"));
    ASSERT_TRUE(t->forgetPlayer("Petr Novák 2").ok());
    EXPECT_TRUE(t->aliasMap().value().empty());
    EXPECT_EQ(registerNames(*t), (std::vector<std::string>{"Jana Malá"}));
    // The archive and the running tournament keep every name.
    EXPECT_EQ(ReadRoster().size(), 5u);
}

TEST_F(Register, AVersionOneJournalIsUpgradedInPlaceAndItsRegisterFilledFromItsTournaments)
{
    Played played;
    std::string before;
    {
        auto t = openLayer();
        played = playSeveral(*t);
    }
    // What the previous version wrote: the same two tables, version 1, no register.
    exec(zorbon::test::kBackToVersionOne);
    const std::string tournaments = query("SELECT * FROM tournament ORDER BY id");
    const std::string commands = query("SELECT id, tournament, seq, kind, params, at, hex(state) FROM command");

    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
    ASSERT_TRUE(o.running.has_value()) << "the running tournament survives the upgrade";
    auto t = layerOver(std::move(o));
    EXPECT_EQ(query("PRAGMA user_version"), "2\n");
    EXPECT_EQ(query("PRAGMA quick_check"), "ok\n");
    EXPECT_EQ(query("SELECT * FROM tournament ORDER BY id"), tournaments) << "nothing it held changed";
    EXPECT_EQ(query("SELECT id, tournament, seq, kind, params, at, hex(state) FROM command"), commands);

    std::set<std::string> expected(played.running.begin(), played.running.end());
    for (const auto& names : played.players)
        expected.insert(names.begin(), names.end());
    const std::vector<std::string> got = registerNames(*t);
    EXPECT_EQ(std::set<std::string>(got.begin(), got.end()), expected);
    EXPECT_EQ(got.size(), expected.size());
    // Petr Novák: first registered in the first tournament, last in the running one.
    EXPECT_EQ(query("SELECT first_registered FROM player WHERE name = 'Petr Novák'"),
              query("SELECT min(at) FROM command WHERE kind = 'registrace' AND params = 'Petr Novák'"));
    EXPECT_EQ(query("SELECT last_registered FROM player WHERE name = 'Petr Novák'"),
              query("SELECT max(at) FROM command WHERE kind = 'registrace' AND params = 'Petr Novák'"));

    // The upgraded file has the schema a new journal has.
    const std::string upgradedSchema = query("SELECT type, name, sql FROM sqlite_schema ORDER BY name");
    t.reset();
    fs::rename(kJournalPath, "upgraded.db");
    Journal::Opened fresh = openJournal();
    ASSERT_EQ(fresh.how, Journal::Opening::Created);
    EXPECT_EQ(query("SELECT type, name, sql FROM sqlite_schema ORDER BY name"), upgradedSchema);
}

TEST_F(Register, AnUpgradeThatCannotBeWrittenLeavesTheVersionOneFileWhole)
{
    {
        auto t = openLayer();
        playAndClose(*t, playerNames(4), 5);
    }
    exec(zorbon::test::kBackToVersionOne);
    const std::optional<std::string> bytes = bytesOf(kJournalPath);
    for (const fs::path& p : {dir(), fs::path(dir()) / "data", fs::path(dir()) / kSetupDir})
        fs::permissions(p, fs::perms::all);
    fs::permissions(kJournalPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    withoutRoot([&] {
        Journal::Opened o = openJournal();
        EXPECT_EQ(o.how, Journal::Opening::Unusable);
        EXPECT_TRUE(o.movedTo.empty()) << "an old journal is never taken for a damaged one";
    });
    fs::permissions(kJournalPath, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(bytesOf(kJournalPath), bytes);
    // The next start upgrades it.
    Journal::Opened again = openJournal();
    EXPECT_EQ(again.how, Journal::Opening::Opened) << again.reason;
}

} // namespace zorbon::jtest
