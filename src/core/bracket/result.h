#pragma once
// Entering a match's result: validation, advancement, walkovers, the final and freeing the board.

#include "bracket/bracket.h"
#include "outcome.h"

#include <string>
#include <string_view>

namespace zorbon {

// OK of the result dialog opened from `board`, with the two score fields as typed: done when the
// result is in (the dialog closes); refused with kBadResult for a result that cannot be; refused
// silently when the board holds no match. A loser who enters a box that holds a bye walks over to
// that box's winner slot. Throws ConvertError (a score that is not a number) before changing anything.
Outcome enterResult(Bracket& bracket, int board, const std::string& score1, const std::string& score2);

inline constexpr std::string_view kBadResult = "Je zadán špatný výsledek";

} // namespace zorbon
