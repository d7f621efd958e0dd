#pragma once
// The rules before the draw: which main-window command may run, the new tournament, registering,
// deleting and removing players, the clean-up at exit and when a tournament is closed.
//
// Every operation reads and writes the working files itself. A failing file operation throws
// IoError at that step; whatever the operation changed before it stays changed.

#include "tournament/session.h"

#include <string>
#include <vector>

namespace zorbon {

inline constexpr const char* kCountPrefix = "Počet přihlášených hráčů : ";
inline constexpr const char* kExitQuestion =
    "Opravdu chcete ukončit Zorbon ???  Budou vymazána všechna neuložená data !!!";

// "Počet přihlášených hráčů : " + count.
std::string CountLabel(int count);

// --- Main window commands --------------------------------------------------------------------

enum class Command { NovyTurnaj, Registruj, Vymaz, Rozlosuj, OdeberHrace, Help, Oprogramu, Konec };

// What a command opens when it is not refused.
enum class Opens { NewTournament, TournamentExists, Registration, DeleteAll, Draw, Remove, Help, About, Exit };

struct CommandCheck {
    std::string refusal; // shown in a plain message box; empty when the command goes ahead
    Opens opens = Opens::Help;
    bool refused() const { return !refusal.empty(); }
};

// Applies the command's precondition. Reads the record for the commands that need it (Rozlosuj also
// copies PlayerCount into the in-memory count); IoError when that read fails.
CommandCheck CheckCommand(Command command, Lobby& lobby);

// The main window being shown: reads the record into the in-memory count and the count label and
// appends the roster's lines to the registered list.
void LoadMainWindow(Lobby& lobby);

// --- New tournament ----------------------------------------------------------------------------

// "OK" of the new-tournament dialog with the three typed texts: the refusal, or empty once the
// header has taken them.
std::string AcceptNewTournament(Lobby& lobby, const TournamentHeader& typed);

// The new-tournament dialog closing by any means: the name field empties, place and date stay.
void NewTournamentClosed(Lobby& lobby, const TournamentHeader& typed);

// The tournament-exists dialog's question for the current header.
std::string TournamentExistsText(const Lobby& lobby);

// "Ano" of the tournament-exists dialog: all three fields of the new-tournament dialog empty.
void StartOver(Lobby& lobby);

// --- Registration --------------------------------------------------------------------------------

// The registration dialog being shown: in-memory count := PlayerCount, the roster loaded into the
// dialog's own list.
void LoadRegistration(Lobby& lobby);

// The registration dialog closing: its list empties (the next showing reloads it from the roster).
void RegistrationClosed(Lobby& lobby);

// Why a name can never be stored as a player, or empty when it can. Only the checks that need no
// file: emptiness, characters the roster cannot hold, line breaks and the bracket's own cell texts.
std::string NameRefusal(const std::string& name);

struct AddOutcome {
    bool accepted = false;
    std::string refusal; // the message when not accepted
};

// "Přidej": appends the name to both lists, the roster and PlayerCount, or refuses it and changes
// nothing. The name is compared with every roster line byte for byte.
AddOutcome AddPlayer(Lobby& lobby, const std::string& name);

// --- Removal ----------------------------------------------------------------------------------------

// "Ano" of the delete-all confirmation: PlayerCount 0, both lists and the roster empty.
void DeleteAllPlayers(Lobby& lobby);

// The names offered by the remove dialog: the roster's lines in file order.
std::vector<std::string> RemovalChoices();

// "OK" of the remove dialog: the refusal for an empty choice, or empty.
std::string RemovalRefusal(const std::string& chosen);

// The remove confirmation's question for the chosen text.
std::string RemovalQuestion(const std::string& chosen);

// "Ano" of the remove confirmation: every roster line equal to `name` is dropped, the rest become
// the roster, the registered list and PlayerCount. `kept` is the remove dialog's own list, rebuilt.
// Returns the number of lines kept.
int RemovePlayer(Lobby& lobby, const std::string& name, std::vector<std::string>& kept);

// --- Ends -------------------------------------------------------------------------------------------

// Exit confirmed: PlayerCount 0 and an empty roster for the next start.
void ClearOnExit(Lobby& lobby);

// A bracket window closing: PlayerCount and BoardCount 0, registrations, header, new-tournament
// fields, results lists and the board-count choice cleared. The windows then repaint from the session.
void CloseTournament(Session& session);

} // namespace zorbon
