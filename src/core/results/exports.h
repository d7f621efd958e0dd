#pragma once
// Files written into "vysledky/" and "export/": the one rule that turns a tournament name into a file
// name there, the one way they are written, and the exports that are not part of the printed list (CSV
// of the standings, the bracket as PDF).

#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// The file name a tournament name gives: every character no file system takes (/ \ : * ? " < > |,
// control characters, bytes that are not UTF-8) becomes "-", dots and spaces go from both ends, a name
// too long for a file system is cut at a character, and "bez názvu" stands for a name with nothing left.
// The result never leads out of its folder and never makes a hidden file.
std::string safeFileName(std::string_view name);

inline constexpr std::string_view kUnnamedFile = "bez názvu";

// folder + "/" + safeFileName(name) + ext.
std::string exportPath(std::string_view folder, std::string_view name, std::string_view ext);

// Replaces the file at a path made by exportPath, atomically; any failure (missing or unwritable
// folder, a name too long for the file system) throws IoError "Cannot create file <path>" and leaves
// nothing behind.
void writeExportFile(const std::string& path, std::string_view bytes);

// The displayed results list (best first) as CSV for a spreadsheet: UTF-8 with a byte-order mark,
// ';' between the fields, CR LF after every line, the line "Umístění;Hráč" first, then the placing
// ("5-6. místo") and the name of each line. A field with ';', '"', CR or LF is quoted.
std::string resultsCsv(const std::vector<std::string>& displayed);

// One CSV field as resultsCsv writes it: quoted when it holds ';', '"', CR or LF.
void appendCsvField(std::string& out, std::string_view field);

// "Export do CSV": writes "export/<file name>.csv" and returns the confirmation to show, which names
// the file as written.
std::string exportResultsCsv(const std::string& tournamentName, const std::vector<std::string>& displayed);

// "Export pavouka do PDF": writes the finished document to "export/<file name> - pavouk.pdf" and
// returns the confirmation to show.
std::string exportBracketPdf(const std::string& tournamentName, std::string_view pdf);

// The file name part of the bracket's PDF: "<name> - pavouk.pdf".
inline constexpr std::string_view kBracketPdfSuffix = " - pavouk.pdf";

} // namespace zorbon
