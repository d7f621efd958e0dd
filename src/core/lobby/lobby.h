#pragma once
// The rules before the draw: which main-window command may run, the new tournament, registering,
// deleting and removing players, and what exit and the end of a tournament clear. Pure rules: the
// record's values and the roster's lines come in as arguments; the command layer reads and writes
// the working files around them.

#include "lobby/header.h"
#include "outcome.h"

#include <optional>
#include <string>
#include <vector>

namespace zorbon {

// What lives before the draw: the header, the main window's list of registered names (what the
// draw consumes), the registration dialog's own list (what the roster is saved from) and the
// registered count kept in memory.
struct Lobby {
    TournamentHeader header;
    std::vector<std::string> registered;
    std::vector<std::string> registrationList;
    int count = 0;
    // The number in the main window's count label; none until the record was first read.
    std::optional<int> shownCount;
    // The new-tournament dialog's three fields: place and date stay filled between openings.
    TournamentHeader newTournamentFields;
    // The seeded players, seed 1 first (lobby/seeding.h); the draw places them.
    std::vector<std::string> seeds;
    bool operator==(const Lobby&) const = default;
};

inline constexpr const char* kCountPrefix = "Počet přihlášených hráčů : ";
inline constexpr const char* kExitQuestion =
    "Opravdu chcete ukončit Zorbon ???  Budou vymazána všechna neuložená data !!!";

// "Počet přihlášených hráčů : " + count.
std::string countLabel(int count);

// --- Main window commands --------------------------------------------------------------------

enum class Command { NovyTurnaj, Registruj, Vymaz, Rozlosuj, OdeberHrace, Help, Oprogramu, Konec };

// What a command opens when it is not refused.
enum class Opens { NewTournament, TournamentExists, Registration, DeleteAll, Draw, Remove, Help, About, Exit };

// Whether the command reads the record before its test.
bool readsRecord(Command command);

// The command's precondition, with PlayerCount as just read for the commands that read the record
// (ignored by the others).
Outcome checkCommand(Command command, const Lobby& lobby, int playerCount);

// What the command opens when it goes ahead.
Opens opensFor(Command command, const Lobby& lobby);

// The main window being shown: the record's count into the in-memory count and the count label,
// the roster's lines appended to the registered list.
void loadMainWindow(Lobby& lobby, int playerCount, std::vector<std::string> roster);

// --- New tournament ----------------------------------------------------------------------------

// "OK" of the new-tournament dialog with the three typed texts: refused while all three are empty,
// otherwise the header takes them.
Outcome acceptNewTournament(Lobby& lobby, const TournamentHeader& typed);

// The new-tournament dialog closing by any means: the name field empties, place and date stay.
void newTournamentClosed(Lobby& lobby, const TournamentHeader& typed);

// The tournament-exists dialog's question for the current header.
std::string tournamentExistsText(const Lobby& lobby);

// "Ano" of the tournament-exists dialog: all three fields of the new-tournament dialog empty.
void startOver(Lobby& lobby);

// --- Registration --------------------------------------------------------------------------------

// The registration dialog being shown: in-memory count := PlayerCount, the roster into the
// dialog's own list.
void loadRegistration(Lobby& lobby, int playerCount, std::vector<std::string> roster);

// The registration dialog closing: its list empties (the next showing reloads it from the roster).
void registrationClosed(Lobby& lobby);

// Why a name can never be stored as a player: emptiness, characters the roster cannot hold, line
// breaks and the bracket's own cell texts. Only the checks that need no file.
Outcome checkName(const std::string& name);

inline constexpr const char* kAlreadyRegistered = "Zadané jméno je již registrováno !!!";

// Whether a roster line equals the name, byte for byte; every line is compared.
bool isRegistered(const std::vector<std::string>& roster, const std::string& name);

// The accepted name joins both lists; count and count label become `count`.
void acceptName(Lobby& lobby, const std::string& name, int count);

// One more registered player: the 32-bit field wraps as the record's field would.
int plusOne(int count);

// --- Removal ----------------------------------------------------------------------------------------

// Delete-all and the close of a tournament: both lists and the seeds empty (the roster is saved from
// the lists next).
void clearRegistrations(Lobby& lobby);

// The count and the count label once the roster holds what the lists hold.
void setCount(Lobby& lobby, int count);

// "OK" of the remove dialog: refused for an empty choice.
Outcome checkRemoval(const std::string& chosen);

// The remove confirmation's question for the chosen text.
std::string removalQuestion(const std::string& chosen);

// "Ano" of the remove confirmation, once the roster was read: every line equal to `name` is
// dropped, the rest become the registered list. Returns the kept lines, from which the roster is
// saved; their number is the new count (not the old count minus one: this also mends a drifted record).
std::vector<std::string> keepOthers(Lobby& lobby, std::vector<std::string> roster, const std::string& name);

// A bracket window closing: registrations, header and new-tournament fields cleared.
void clearTournament(Lobby& lobby);

} // namespace zorbon
