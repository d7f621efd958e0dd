#pragma once
// The season ranking as files: CSV for a spreadsheet (as the results list's CSV) and an HTML page,
// each with the period and the points table above the ranking.

#include "ranking/ranking.h"

#include <string>
#include <string_view>

namespace zorbon {

// "Žebříček 2026-01-01 až 2026-12-09": the name of its files in "export/".
std::string rankingFileName(const RankingSheet& sheet);

// UTF-8 with a byte-order mark, ';' between fields, CR LF after every line: the title, the points,
// an empty line, then "Pořadí;Hráč;Body;Turnaje;Vítězství;Nejlepší umístění" and a line per player.
std::string rankingCsv(const RankingSheet& sheet);

// A whole UTF-8 HTML page; every name and text escaped.
std::string rankingHtml(const RankingSheet& sheet);

// The ranking's row texts as the table shows them: "3.", name, points, tournaments, wins, "5-6. místo".
std::vector<std::string> rankingCells(const RankingRow& row);

// Writes "export/<file name>" + ext and returns the confirmation to show.
std::string exportRankingFile(const RankingSheet& sheet, std::string_view ext, std::string_view bytes);

} // namespace zorbon
