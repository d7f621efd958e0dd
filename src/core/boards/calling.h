#pragma once
// Board count, board clicks and calling ready matches to free boards. Pure rules: the record's
// values come in as arguments.

#include "bracket/bracket.h"
#include "outcome.h"
#include "records/record.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// Shows one modal message to the operator and returns when it is closed. The windows repaint the
// bracket before showing it, so a called box and its board already show their new colour.
using Say = std::function<void(const std::string&)>;

inline constexpr std::string_view kBoardsBusy = "Nelze měnit počet terčů, je-li některý z nich obsazen";
inline constexpr std::string_view kNoBoardSet = "Není nastaven žádný terč !!!";
inline constexpr std::string_view kNoFreeBoard = "Není volný žádný terč";
inline constexpr std::string_view kBoardIsFree = "Terč je momentálně volný";

// Most boards the board-count dialog offers for this many registered players (2, 4, 10, 16; 0 otherwise).
int boardLimitFor(int players);
// "Zadejte počet terčů (max N) :" for that limit.
std::string boardPrompt(int limit);

// "Terče": refused while any board of the bracket is not idle.
Outcome checkBoardCountChange(const Bracket& bracket);

// OK of the board-count dialog with the record as just read: BoardCount := k in `record`, then
// boards 1..k of the bracket that serves the record's player count become Free and the others Off.
// Returns that bracket's size, or 0 when no bracket serves the count.
int applyBoardCount(Brackets& brackets, int k, TournamentRecord& record);

// Every board of the bracket Off.
void setBoardsOff(Bracket& bracket);

// The lowest-numbered Free board, or 0.
int ChooseFreeBoard(const Bracket& bracket);

enum class CallRoute { Auto, Click };

// Puts a ready box on a free board and announces it (with the final's notice where it applies).
void CallMatch(Bracket& bracket, int box, int board, CallRoute route, const Say& say);

// The ready boxes in the order "Hraj" puts them on boards: ascending MatchNumber. Calling a box
// makes no other box ready, so one "Hraj" with enough free boards calls exactly these, in this order.
std::vector<int> callingOrder(const Bracket& bracket);

// "Hraj" with the record's BoardCount as just read (only the sizes that need a board count look at
// it). `say` must not change the bracket: the scan goes on where the previous call stopped.
void CallReadyMatches(Bracket& bracket, int boardCount, const Say& say);

// A click on board n: done while it is occupied (the result dialog opens with its two players),
// else refused with "Terč je momentálně volný".
Outcome boardClick(const Bracket& bracket, int board);

// The call part of a click on a box: calls it if it is ready (or says no board is free).
// Returns true when the box was ready, so the click goes no further.
bool clickToCall(Bracket& bracket, int box, const Say& say);

} // namespace zorbon
