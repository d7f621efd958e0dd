#pragma once
// Placings from the bracket's cells, and the lines of the printed, saved and exported results list.

#include "bracket/bracket.h"
#include "records/header.h"

#include <string>
#include <vector>

namespace zorbon {

// One line per placed player, worst first: placing label followed by the name.
std::vector<std::string> Standings(const Bracket& bracket);

// The list as displayed: best first.
std::vector<std::string> displayedOrder(const std::vector<std::string>& placings);

// The printout's lines (header columns aligned at column 25).
std::vector<std::string> printLines(const TournamentHeader& header, int playerCount,
                                    const std::vector<std::string>& displayed);

// The exported HTML fragment's lines.
std::vector<std::string> htmlLines(const TournamentHeader& header, int playerCount,
                                   const std::vector<std::string>& displayed);

// "Ulož": writes "vysledky/<name>.txt" and returns the confirmation to show. IoError when it cannot.
std::string SaveResultsText(const std::string& tournamentName, const std::vector<std::string>& displayed);

// "Export": reads the record, writes "export/<name>.htm" and returns the confirmation. IoError when it cannot.
std::string ExportResultsHtml(const TournamentHeader& header, const std::vector<std::string>& displayed);

} // namespace zorbon
