#pragma once
// The roster: the registered names, one per line, in Windows-1250 with CR LF line ends.

#include "records/files.h"

#include <string>
#include <vector>

namespace zorbon {

// The roster's lines in file order, as UTF-8. A line ends at CR LF or LF alone; a last line
// without a line end still counts. IoError when the file cannot be read.
std::vector<std::string> ReadRoster();

// Replaces the roster with these names, each followed by CR LF. IoError when the file cannot be
// written or a name holds a character Windows-1250 cannot (registration refuses those beforehand).
void SaveRoster(const std::vector<std::string>& names, Flush flush = Flush::Now);

// Splits Windows-1250 text into UTF-8 lines by the roster's line rules (also used for tests).
std::vector<std::string> splitLines(const std::string& bytes);

// Joins UTF-8 lines into Windows-1250 text, every line ended by CR LF; IoError if a line cannot be encoded.
std::string joinLinesCp1250(const std::vector<std::string>& lines);

} // namespace zorbon
