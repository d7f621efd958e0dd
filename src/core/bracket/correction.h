#pragma once
// Correcting an entered result while neither player has moved on.

#include "bracket/bracket.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorbon {

// The opening conditions: the box Finished, its targets Pending, no " ?" or "Volný los" in it.
bool CanCorrect(const Bracket& bracket, int box);

// A click on a box: the context to confirm when the box can be corrected, else nullopt.
// Changes nothing, not even an open correction: that waits for "Ano".
std::optional<CorrectionContext> PrepareCorrection(const Bracket& bracket, int box);

// "Ano" of the confirmation: CorrectionMode with this context, replacing any open correction.
// Only "Ano" calls it, so "Ne" leaves an open correction exactly as it was.
void OpenCorrection(Bracket& bracket, const CorrectionContext& context);

struct CorrectionResult {
    bool left = false;   // CorrectionMode has ended (the controls hide)
    std::string message; // a message to show; empty for none
};

inline constexpr std::string_view kCorrectionTooLate =
    "Výsledek již nelze opravit, protože hráči tohoto zápasu mezitím pokračovali v turnaji.";

// OK of the correction controls. First tests the opening conditions again: should a box that
// received one of the players have been called meanwhile, nothing is written, CorrectionMode ends
// and the message says why. Throws ConvertError for a score that is not a number (mode stays).
CorrectionResult ApplyCorrection(Bracket& bracket, const std::string& score1, const std::string& score2);

// Storno of the correction controls.
void CancelCorrection(Bracket& bracket);

} // namespace zorbon
