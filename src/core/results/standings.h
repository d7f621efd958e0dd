#pragma once
// Placings from the bracket's cells, and the lines of the printed, saved and exported results list.

#include "bracket/bracket.h"
#include "lobby/header.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// The losers'-side boxes in the order their placing lines are written: by round, and within a
// round by the position of the upper slot.
const std::vector<int>& standingsOrder(int size);

// One line per placed player, worst first: placing label followed by the name.
std::vector<std::string> standings(const Bracket& bracket);

// The list as displayed: best first.
std::vector<std::string> displayedOrder(const std::vector<std::string>& placings);

// The printout's lines (header columns aligned at column 25).
std::vector<std::string> printLines(const TournamentHeader& header, int playerCount,
                                    const std::vector<std::string>& displayed);

inline constexpr std::string_view kWebAddress = "https://zorbon.example/";

// Text for the HTML fragment: & < > " become entities, so a name never turns into markup, and a
// character Windows-1250 cannot hold becomes a numeric reference instead of failing the export.
std::string htmlEscape(std::string_view text);

// The exported HTML fragment's lines.
std::vector<std::string> htmlLines(const TournamentHeader& header, int playerCount,
                                   const std::vector<std::string>& displayed);

// "Ulož": writes "vysledky/<file name>.txt" (safeFileName) and returns the confirmation to show, which
// names the file as written. IoError "Cannot create file <path>" for a missing folder or a file that
// cannot be written.
std::string saveResultsText(const std::string& tournamentName, const std::vector<std::string>& displayed);

// "Export" with the record's PlayerCount as just read: writes "export/<file name>.htm" and returns the
// confirmation. IoError when it cannot.
std::string exportResultsHtml(const TournamentHeader& header, int playerCount,
                              const std::vector<std::string>& displayed);

} // namespace zorbon
