#pragma once
// The texts the command layer and the journal say about saved tournaments, kept in one place.

#include <string>

namespace zorbon {

inline constexpr const char* kNothingToUndo = "Není co vrátit zpět";
inline constexpr const char* kNothingToRedo = "Není co zopakovat";
inline constexpr const char* kResumeQuestion = "Rozehraný turnaj nebyl ukončen. Chcete v něm pokračovat ???";
// A saved state that does not decode: a damaged journal entry.
inline constexpr const char* kUnreadableState = "Uložený stav turnaje nelze přečíst";
// The archive is asked for a tournament it does not hold.
inline constexpr const char* kNotInJournal = "Turnaj v záloze není";
inline constexpr const char* kReopenRefused =
    "Předchozí turnaj lze znovu otevřít, jen když neběží žádný turnaj a nejsou registrováni žádní hráči !!!";
// Without a reason of its own the journal's failure reads like the run-time's.
inline constexpr const char* kUnknownIoError = "I/O error";

// "Zálohu turnaje nelze uložit: <reason>. Turnaj pokračuje bez zálohy."
inline std::string backupWarning(std::string reason)
{
    if (reason.empty())
        reason = kUnknownIoError;
    if (reason.back() != '.')
        reason += '.';
    return "Zálohu turnaje nelze uložit: " + reason + " Turnaj pokračuje bez zálohy.";
}

} // namespace zorbon
