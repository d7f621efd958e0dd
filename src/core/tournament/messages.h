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
// A command that needs the journal when there is none, and no reason was kept.
inline constexpr const char* kNoJournal = "Zálohu turnajů nelze otevřít";
// Before the reason the journal could not be opened with, for the register's commands.
inline constexpr const char* kNoJournalForRegister = "Registr hráčů je v záloze turnajů, kterou nelze otevřít: ";
// Before the reason, where the archive window and the club's window would list what they cannot read.
inline constexpr const char* kUnreadableArchive = "Zálohu turnajů nelze přečíst: ";
inline constexpr const char* kUnreadableRegister = "Registr hráčů nelze přečíst: ";

// Why a command that needs the journal cannot run without it: the reason it failed to open, or
// kNoJournal.
inline std::string noJournal(const std::string& problem)
{
    return problem.empty() ? std::string(kNoJournal) : problem;
}

// Said at start-up when the journal was damaged and set aside as `movedTo`.
inline std::string damagedJournalNote(const std::string& movedTo)
{
    return "Uložený turnaj nelze přečíst: soubor zálohy turnajů je poškozený. Byl přejmenován na " + movedTo +
           " a program začíná bez něj.";
}

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
