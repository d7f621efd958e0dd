#pragma once
// Entering a match's result: validation, advancement, walkovers, the final and freeing the board.

#include "bracket/bracket.h"

#include <string>
#include <string_view>

namespace zorbon {

struct EntryResult {
    bool accepted = false; // the dialog closes
    std::string message;   // a refusal to show while the dialog stays open; empty for none
};

// OK of the result dialog opened from `board`, with the two score fields as typed. Reads the record
// first, so that a lost record stops it in every size. A loser who enters a box that holds a bye walks
// over to that box's winner slot. Throws IoError (record) or ConvertError (a score that is not a
// number) before changing anything.
EntryResult EnterResult(Bracket& bracket, int board, const std::string& score1, const std::string& score2);
// The same once the record has been read: the rules alone, for a caller that has just read it.
EntryResult EnterResultRecordRead(Bracket& bracket, int board, const std::string& score1, const std::string& score2);

inline constexpr std::string_view kBadResult = "Je zadán špatný výsledek";

} // namespace zorbon
