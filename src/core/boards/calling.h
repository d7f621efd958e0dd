#pragma once
// Board count, board clicks and calling ready matches to free boards.

#include "bracket/bracket.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorbon {

// Shows one modal message to the operator and returns when it is closed. The windows repaint the
// bracket before showing it, so a called box and its board already show their new colour.
using Say = std::function<void(const std::string&)>;

inline constexpr std::string_view kBoardsBusy = "Nelze měnit počet terčů, je-li některý z nich obsazen";
inline constexpr std::string_view kNoBoardSet = "Není nastaven žádný terč !!!";
inline constexpr std::string_view kNoFreeBoard = "Není volný žádný terč";
inline constexpr std::string_view kBoardIsFree = "Terč je momentálně volný";

// Most boards the board-count dialog offers for this many registered players (2, 4, 10; 0 otherwise).
int boardLimitFor(int players);
// "Zadejte počet terčů (max N) :" for that limit.
std::string boardPrompt(int limit);

// "Terče": the refusal text while any board of the bracket is not idle, else nullopt.
std::optional<std::string> refuseBoardCountChange(const Bracket& bracket);

// OK of the board-count dialog: BoardCount := k in the record, then boards 1..k of the bracket that
// serves the registered-player count become Free and the others Off. IoError from the record.
void ApplyBoardCount(Brackets& brackets, int k);

// Every board of the bracket Off.
void SetBoardsOff(Bracket& bracket);

// The lowest-numbered Free board, or 0.
int ChooseFreeBoard(const Bracket& bracket);

enum class CallRoute { Auto, Click };

// Puts a ready box on a free board and announces it (with the final's notice where it applies).
void CallMatch(Bracket& bracket, int box, int board, CallRoute route, const Say& say);

// "Hraj". Reads the record in the brackets that need a board count; IoError from it.
// `say` must not change the bracket: the scan goes on where the previous call stopped.
void CallReadyMatches(Bracket& bracket, const Say& say);
// The same with the record's BoardCount already read (only the 16 and 32 look at it).
void CallReadyMatches(Bracket& bracket, int boardCount, const Say& say);

// A click on board n: the two players for the result dialog while it is occupied, else the refusal.
struct BoardClickOutcome {
    bool opensResult = false;
    std::string player1; // Label1 of the result dialog
    std::string player2; // Label2
    std::string message; // "Terč je momentálně volný" when it opens nothing
};
BoardClickOutcome BoardClick(const Bracket& bracket, int board);

// The call part of a click on a box: calls it if it is ready (or says no board is free).
// Returns true when the box was ready, so the click goes no further.
bool ClickToCall(Bracket& bracket, int box, const Say& say);

} // namespace zorbon
