#pragma once
// Correcting an entered result while neither player has moved on.

#include "bracket/bracket.h"

#include <optional>
#include <string>

namespace zorbon {

// The opening conditions: the box Finished, its targets Pending, no " ?" or "Volný los" in it.
bool CanCorrect(const Bracket& bracket, int box);

// A click on a box: the context to confirm when the box can be corrected, else nullopt.
std::optional<CorrectionContext> PrepareCorrection(const Bracket& bracket, int box);

// "Ano" of the confirmation: CorrectionMode with this context, replacing any open correction.
void OpenCorrection(Bracket& bracket, const CorrectionContext& context);

struct CorrectionResult {
    bool left = false;   // CorrectionMode has ended (the controls hide)
    std::string message; // a message to show; empty for none
};

// OK of the correction controls. Throws ConvertError for a score that is not a number.
CorrectionResult ApplyCorrection(Bracket& bracket, const std::string& score1, const std::string& score2);

// Storno of the correction controls.
void CancelCorrection(Bracket& bracket);

} // namespace zorbon
