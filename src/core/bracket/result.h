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

// OK of the result dialog opened from `board`, with the two score fields as typed. The 8 and 16 read
// the record for their walkover thresholds; the 32 needs nothing from it and does not read it.
// Throws IoError (record) or ConvertError (a score that is not a number) before changing anything.
EntryResult EnterResult(Bracket& bracket, int board, const std::string& score1, const std::string& score2);
// The same with the record's PlayerCount already read (the 8 and 16 compare walkovers against it).
EntryResult EnterResult(Bracket& bracket, int board, const std::string& score1, const std::string& score2,
                        int playerCount);

inline constexpr std::string_view kBadResult = "Je zadán špatný výsledek";

} // namespace zorbon
