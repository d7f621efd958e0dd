#include "engine.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "tournament/tournament.h"
#include "workdir.h"

#include <fstream>

using namespace zorbon;
using zorbon::test::failure;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

class LobbyTest : public WorkDir {
protected:
    void SetUp() override
    {
        WorkDir::SetUp();
        ASSERT_TRUE(ensureWorkingLayout());
    }
    static std::string bytes(const char* path) { return readWholeFile(path); }
    static void putRoster(const std::string& raw) { std::ofstream(kRosterPath, std::ios::binary) << raw; }
    // Registers through the command, as the dialog does.
    void add(const std::string& name)
    {
        const Outcome o = t.addPlayer(name);
        ASSERT_TRUE(o.ok()) << name << ": " << o.message();
    }
    zorbon::Tournament t;
    Lobby& lobby = t.editableSession().lobby;
};

} // namespace

// --- The main window's command table -------------------------------------------------------------

struct CommandCase {
    const char* state;
    TournamentHeader header;
    int playerCount;
    Command command;
    const char* refusal; // "" when the command goes ahead
    Opens opens;
};

class CommandTable : public LobbyTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTable, RefusesWithItsTextOrOpensItsDialog)
{
    const CommandCase& c = GetParam();
    WriteRecord({c.playerCount, 4, 3, 9});
    lobby.header = c.header;
    lobby.count = 12345;
    const Outcome check = t.check(c.command);
    EXPECT_EQ(check.message(), c.refusal);
    EXPECT_EQ(check.isRefused(), *c.refusal != '\0');
    if (!check.isRefused()) {
        EXPECT_TRUE(check.ok());
        EXPECT_EQ(opensFor(c.command, lobby), c.opens);
    }
    // The rule alone, with the count the command read, answers the same.
    EXPECT_EQ(checkCommand(c.command, lobby, c.playerCount), check);
    // Only the draw refreshes the in-memory count; no command writes anything.
    EXPECT_EQ(lobby.count, c.command == Command::Rozlosuj ? c.playerCount : 12345);
    EXPECT_EQ(ReadRecord(), (TournamentRecord{c.playerCount, 4, 3, 9}));
}

namespace {
const TournamentHeader kNone{};
const TournamentHeader kDateOnly{"", "", "1.5.2024"};
const TournamentHeader kFull{"Jarní cena", "Brno", "1.5.2024"};
const char* const kNoPlayers = "Nejsou registrováni žádní hráči";
const char* const kNoPlayersDraw = "Nejsou registrováni žádní hráči !!!";
const char* const kDeleteFirst = "Nejprve musíte smazat registrované hráče !!!";
const char* const kNoTournament = "Není založen žádný turnaj !!!";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    States, CommandTable,
    ::testing::Values(CommandCase{"empty", kNone, 0, Command::NovyTurnaj, "", Opens::NewTournament},
                      CommandCase{"empty", kNone, 0, Command::Registruj, kNoTournament, {}},
                      CommandCase{"empty", kNone, 0, Command::Vymaz, kNoPlayers, {}},
                      CommandCase{"empty", kNone, 0, Command::Rozlosuj, kNoPlayersDraw, {}},
                      CommandCase{"empty", kNone, 0, Command::OdeberHrace, kNoPlayers, {}},
                      CommandCase{"empty", kNone, 0, Command::Help, "", Opens::Help},
                      CommandCase{"empty", kNone, 0, Command::Oprogramu, "", Opens::About},
                      CommandCase{"empty", kNone, 0, Command::Konec, "", Opens::Exit},
                      CommandCase{"created", kDateOnly, 0, Command::NovyTurnaj, "", Opens::TournamentExists},
                      CommandCase{"created", kDateOnly, 0, Command::Registruj, "", Opens::Registration},
                      CommandCase{"created", kDateOnly, 0, Command::Vymaz, kNoPlayers, {}},
                      CommandCase{"created", kDateOnly, 0, Command::Rozlosuj, kNoPlayersDraw, {}},
                      CommandCase{"created", kDateOnly, 0, Command::OdeberHrace, kNoPlayers, {}},
                      CommandCase{"registered", kFull, 1, Command::NovyTurnaj, kDeleteFirst, {}},
                      CommandCase{"registered", kFull, 1, Command::Registruj, "", Opens::Registration},
                      CommandCase{"registered", kFull, 1, Command::Vymaz, "", Opens::DeleteAll},
                      CommandCase{"registered", kFull, 1, Command::Rozlosuj, "", Opens::Draw},
                      CommandCase{"registered", kFull, 1, Command::OdeberHrace, "", Opens::Remove},
                      // Killed while players were registered: their names survive under an empty header.
                      CommandCase{"restarted", kNone, 2, Command::NovyTurnaj, kDeleteFirst, {}},
                      CommandCase{"restarted", kNone, 2, Command::Registruj, kNoTournament, {}},
                      CommandCase{"restarted", kNone, 2, Command::Vymaz, "", Opens::DeleteAll},
                      CommandCase{"restarted", kNone, 2, Command::Rozlosuj, "", Opens::Draw},
                      CommandCase{"restarted", kNone, 2, Command::OdeberHrace, "", Opens::Remove},
                      // A damaged record is used as stored; each command applies its own test.
                      CommandCase{"negative", kFull, -1, Command::Vymaz, "", Opens::DeleteAll},
                      CommandCase{"negative", kFull, -1, Command::OdeberHrace, kNoPlayers, {}},
                      CommandCase{"negative", kFull, -1, Command::Rozlosuj, "", Opens::Draw}),
    [](const auto& param) { return std::string(param.param.state) + "_" + std::to_string(param.index); });

TEST_F(LobbyTest, CommandsThatReadTheRecordStopWhenItIsMissing)
{
    fs::remove(kRecordPath);
    lobby.header = kFull;
    for (Command c : {Command::NovyTurnaj, Command::Vymaz, Command::Rozlosuj, Command::OdeberHrace}) {
        EXPECT_TRUE(readsRecord(c));
        EXPECT_EQ(failure(t.check(c)), "File not found");
    }
    EXPECT_FALSE(t.check(Command::Registruj).isRefused());
    // The commands that need no counter never look at the record.
    for (Command c : {Command::Registruj, Command::Help, Command::Oprogramu, Command::Konec}) {
        EXPECT_FALSE(readsRecord(c));
        EXPECT_TRUE(t.check(c).ok());
    }
}

// --- Showing the main window and the registration dialog ----------------------------------------------

TEST_F(LobbyTest, ShowingLoadsTheCountAndAppendsTheRosterLines)
{
    WriteRecord({2, 0, 0, 0});
    SaveRoster({"Eva", "Jan"});
    ASSERT_TRUE(t.showMainWindow().ok());
    EXPECT_EQ(lobby.shownCount, 2);
    EXPECT_EQ(lobby.registered, (Names{"Eva", "Jan"}));
    ASSERT_TRUE(t.showRegistration().ok());
    EXPECT_EQ(lobby.registrationList, (Names{"Eva", "Jan"}));
    t.registrationClosed();
    EXPECT_TRUE(lobby.registrationList.empty());
}

TEST_F(LobbyTest, AFailedFirstReadLeavesTheCountLabelWithoutANumber)
{
    fs::remove(kRecordPath);
    EXPECT_EQ(failure(t.showMainWindow()), "File not found");
    EXPECT_FALSE(lobby.shownCount.has_value());
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_EQ(countLabel(7), "Počet přihlášených hráčů : 7");
}

// --- New tournament ---------------------------------------------------------------------------------

TEST_F(LobbyTest, NewTournamentNeedsOneTextAndKeepsPlaceAndDateBetweenOpenings)
{
    const Outcome empty = t.acceptNewTournament({});
    EXPECT_TRUE(empty.isRefused());
    EXPECT_EQ(empty.message(), "Nejsou zadána žádná data k turnaji !!!");
    EXPECT_FALSE(lobby.header.exists());
    const Outcome dateOnly = t.acceptNewTournament(kDateOnly);
    EXPECT_TRUE(dateOnly.ok());
    EXPECT_EQ(dateOnly.message(), "");
    EXPECT_EQ(tournamentExistsText(lobby), "Je založen turnaj . Chcete jej smazat a začít nový ???");
    t.newTournamentClosed(kFull);
    EXPECT_EQ(lobby.newTournamentFields.name, "");
    EXPECT_EQ(lobby.newTournamentFields.place, "Brno");
    EXPECT_EQ(lobby.newTournamentFields.date, "1.5.2024");
    ASSERT_TRUE(t.startOver().ok());
    EXPECT_FALSE(lobby.newTournamentFields.exists());
    EXPECT_EQ(lobby.header.date, "1.5.2024"); // the old header stays until a new OK
}

// --- Registration ---------------------------------------------------------------------------------

TEST_F(LobbyTest, ThreeRegistrationsKeepListsRosterAndCountInStep)
{
    WriteRecord({0, 5, 3, 77});
    ASSERT_TRUE(t.showRegistration().ok());
    for (const char* name : {"Jiří Čermák", "Šárka", "Eva "})
        add(name);
    EXPECT_EQ(bytes(kRosterPath), "Ji\xF8\xED \xC8"
                                  "erm\xE1k\r\n\x8A\xE1rka\r\nEva \r\n");
    EXPECT_EQ(ReadRecord(), (TournamentRecord{3, 5, 3, 77}));
    EXPECT_EQ(lobby.registered, (Names{"Jiří Čermák", "Šárka", "Eva "}));
    EXPECT_EQ(lobby.registrationList, lobby.registered);
    EXPECT_EQ(lobby.count, 3);
    EXPECT_EQ(lobby.shownCount, 3);
}

TEST_F(LobbyTest, DuplicatesAreFoundByteForByteInTheFile)
{
    putRoster("Nov\xE1k\r\n"); // only in the file, not in the dialog's list: the file decides
    WriteRecord({1, 0, 0, 0});
    const std::string before = bytes(kRosterPath);
    const Outcome dup = t.addPlayer("Novák");
    EXPECT_FALSE(dup.ok());
    EXPECT_TRUE(dup.isRefused());
    EXPECT_EQ(dup.message(), "Zadané jméno je již registrováno !!!");
    EXPECT_TRUE(isRegistered(ReadRoster(), "Novák"));
    EXPECT_FALSE(isRegistered(ReadRoster(), "novák"));
    EXPECT_EQ(bytes(kRosterPath), before);
    EXPECT_EQ(ReadRecord().PlayerCount, 1);
    EXPECT_TRUE(lobby.registered.empty());
    // Case, a trailing space and a name of spaces only are all different, valid names.
    ASSERT_TRUE(t.showRegistration().ok());
    for (const char* name : {"novák", "Novák ", "   ", "?", "Volný los "})
        add(name);
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
}

TEST_F(LobbyTest, UnstorableNamesAreRefusedAndNothingChanges)
{
    WriteRecord({1, 0, 0, 0});
    SaveRoster({"A"});
    const Names refused{"",     "Jan\nNovák",  "Jan\r", "Jan\tNovák",           std::string("A\0B", 3),
                        "\x7f", "Eva\xC2\x85", "王力",  "Eva \xF0\x9F\x8E\xAF", "\xC3",
                        " ?",   "Volný los"};
    for (const auto& name : refused) {
        const Outcome o = t.addPlayer(name);
        EXPECT_FALSE(o.ok());
        EXPECT_TRUE(o.isRefused()) << name;
        EXPECT_FALSE(o.message().empty()) << name;
        // The command refuses exactly what the rule refuses.
        EXPECT_EQ(checkName(name), o) << name;
    }
    EXPECT_EQ(t.addPlayer("").message(), "Není zadáno žádné jméno !!!");
    EXPECT_NE(t.addPlayer("Volný los").message().find("„Volný los“"), std::string::npos);
    EXPECT_EQ(bytes(kRosterPath), "A\r\n");
    EXPECT_EQ(ReadRecord().PlayerCount, 1);
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_TRUE(lobby.registrationList.empty());
}

TEST_F(LobbyTest, AddingStopsAtAMissingFileWithoutChangingAnything)
{
    fs::remove(kRecordPath);
    EXPECT_EQ(failure(t.addPlayer("Eva")), "File not found");
    EXPECT_EQ(failure(t.addPlayer("")), "File not found"); // the record is read before the name is looked at
    WriteRecord({0, 0, 0, 0});
    fs::remove(kRosterPath);
    EXPECT_EQ(failure(t.addPlayer("Eva")), "File not found");
    EXPECT_EQ(ReadRecord().PlayerCount, 0);
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_FALSE(fs::exists(kRosterPath));
}

TEST_F(LobbyTest, ACountThatDriftedIsIncrementedAsStored)
{
    WriteRecord({5, 0, 0, 0});
    add("Eva");
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
    EXPECT_EQ(lobby.shownCount, 6);
}

// --- Delete all and remove one --------------------------------------------------------------------------

TEST_F(LobbyTest, DeleteAllEmptiesEverythingButTheHeader)
{
    WriteRecord({0, 2, 4, 8});
    lobby.header = kFull;
    ASSERT_TRUE(t.showRegistration().ok());
    add("Eva");
    add("Jan");
    ASSERT_TRUE(t.deleteAllPlayers().ok());
    EXPECT_EQ(ReadRecord(), (TournamentRecord{0, 2, 4, 8}));
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_TRUE(lobby.registrationList.empty());
    EXPECT_EQ(lobby.shownCount, 0);
    EXPECT_EQ(lobby.header.name, "Jarní cena");
}

TEST_F(LobbyTest, RemovalKeepsEveryOtherLineAndCountsWhatIsKept)
{
    putRoster("Eva\r\nJan\r\nEva\r\nOta\r\n");
    WriteRecord({9, 1, 2, 3}); // drifted: removal mends it
    lobby.registered = {"stale"};
    const Result<Names> kept = t.removePlayer("Eva");
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(lobby.count, 2);
    EXPECT_EQ(kept.value(), (Names{"Jan", "Ota"}));
    EXPECT_EQ(lobby.registered, kept.value());
    EXPECT_EQ(bytes(kRosterPath), "Jan\r\nOta\r\n");
    EXPECT_EQ(ReadRecord(), (TournamentRecord{2, 1, 2, 3}));
    EXPECT_EQ(lobby.shownCount, 2);

    // A name nobody has rewrites the roster unchanged and sets the count to its lines.
    WriteRecord({7, 1, 2, 3});
    const Result<Names> same = t.removePlayer("jan");
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(same->size(), 2u);
    EXPECT_EQ(lobby.count, 2);
    EXPECT_EQ(ReadRecord().PlayerCount, 2);

    EXPECT_TRUE(t.removePlayer("Jan").ok());
    EXPECT_TRUE(t.removePlayer("Ota").ok());
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);
    EXPECT_EQ(ReadRecord().PlayerCount, 0);
    EXPECT_EQ(lobby.shownCount, 0);
    EXPECT_EQ(t.check(Command::Vymaz).message(), kNoPlayers);
    EXPECT_EQ(t.check(Command::OdeberHrace).message(), kNoPlayers);
}

TEST_F(LobbyTest, RemovalTextsAndAMissingRoster)
{
    EXPECT_TRUE(checkRemoval("").isRefused());
    EXPECT_EQ(checkRemoval("").message(), "Není vybrán žádný hráč");
    EXPECT_TRUE(checkRemoval(" ").ok());
    EXPECT_EQ(checkRemoval(" ").message(), "");
    EXPECT_EQ(removalQuestion("Jan Novák"), "Opravdu odebrat hráče Jan Novák ?");
    WriteRecord({1, 0, 0, 0});
    SaveRoster({"Jan", "Eva"});
    const Result<Names> choices = t.removalChoices();
    ASSERT_TRUE(choices.ok());
    EXPECT_EQ(choices.value(), (Names{"Jan", "Eva"}));
    fs::remove(kRosterPath);
    EXPECT_EQ(failure(t.removalChoices()), "File not found");
    lobby.registered = {"Jan"};
    EXPECT_EQ(failure(t.removePlayer("Jan")), "File not found");
    EXPECT_TRUE(lobby.registered.empty()); // emptied before the roster was read
    EXPECT_EQ(ReadRecord().PlayerCount, 1);
}

// --- Exit and the end of a tournament -------------------------------------------------------------------

TEST_F(LobbyTest, ExitClearsPlayersButKeepsTheOtherCounters)
{
    WriteRecord({0, 7, 4, 1});
    ASSERT_TRUE(t.showRegistration().ok());
    add("Eva");
    add("Jan");
    add("Ota");
    t.registrationClosed();
    ASSERT_TRUE(t.exitProgram().ok());
    EXPECT_EQ(ReadRecord(), (TournamentRecord{0, 7, 4, 1}));
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);
}

TEST_F(LobbyTest, ClosingATournamentClearsEverythingItHeld)
{
    WriteRecord({3, 2, 4, 5});
    SaveRoster({"Eva", "Jan", "Ota"});
    Session& s = t.editableSession();
    s.lobby.header = kFull;
    s.lobby.newTournamentFields = kFull;
    s.lobby.registered = {"Ota"};
    s.lobby.registrationList = {"Eva"};
    s.lobby.shownCount = 3;
    s.placings = {"Ota", "Eva"};
    s.displayed = {"1. Eva"};
    s.boardCountChoice = 4;
    s.activeSize = 8;
    ASSERT_TRUE(t.closeTournament().ok());
    EXPECT_EQ(s.activeSize, 0); // no bracket is in play any more
    EXPECT_EQ(ReadRecord(), (TournamentRecord{0, 2, 0, 5}));
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);
    EXPECT_FALSE(s.lobby.header.exists());
    EXPECT_FALSE(s.lobby.newTournamentFields.exists());
    EXPECT_TRUE(s.lobby.registered.empty() && s.lobby.registrationList.empty());
    EXPECT_EQ(s.lobby.shownCount, 0);
    EXPECT_TRUE(s.placings.empty() && s.displayed.empty());
    EXPECT_EQ(s.boardCountChoice, 0);
}

TEST_F(LobbyTest, ClosingStopsAtAMissingRecordBeforeChangingAnything)
{
    fs::remove(kRecordPath);
    Session& s = t.editableSession();
    s.lobby.header = kFull;
    s.lobby.registered = {"Eva"};
    s.boardCountChoice = 2;
    s.activeSize = 16;
    EXPECT_EQ(failure(t.closeTournament()), "File not found");
    EXPECT_EQ(s.activeSize, 16); // the tournament goes on
    EXPECT_TRUE(s.lobby.header.exists());
    EXPECT_EQ(s.lobby.registered, Names{"Eva"});
    EXPECT_EQ(s.boardCountChoice, 2);
}
