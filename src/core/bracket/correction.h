#pragma once
// Correcting an entered result while neither player has moved on.

#include "bracket/bracket.h"
#include "outcome.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorbon {

// The opening conditions: the box Finished, its targets Pending, no " ?" or "Volný los" in it.
bool canCorrect(const Bracket& bracket, int number);

// A click on a box: the context to confirm when the box can be corrected, else nullopt.
// Changes nothing, not even an open correction: that waits for "Ano".
std::optional<CorrectionContext> prepareCorrection(const Bracket& bracket, int number);

// "Ano" of the confirmation: CorrectionMode with this context, replacing any open correction.
// Only "Ano" calls it, so "Ne" leaves an open correction exactly as it was.
void openCorrection(Bracket& bracket, const CorrectionContext& context);

inline constexpr std::string_view kCorrectionTooLate =
    "Výsledek již nelze opravit, protože hráči tohoto zápasu mezitím pokračovali v turnaji.";

// OK of the correction controls: done when the scores are written and CorrectionMode has ended;
// refused with kBadResult for equal scores (the mode stays). First tests the opening conditions
// again: should a box that received one of the players have been called meanwhile, nothing is
// written, CorrectionMode ends and the refusal says why. Throws ConvertError for a score that is not
// a number (the mode stays).
Outcome applyCorrection(Bracket& bracket, const std::string& score1, const std::string& score2);

// Storno of the correction controls.
void cancelCorrection(Bracket& bracket);

} // namespace zorbon
