#pragma once
// Lists of players from outside (a club's spreadsheet, a text file): the names they hold, or why
// the file is not such a list.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

inline constexpr std::size_t kMaxPlayerListBytes = std::size_t{1024} * 1024;
inline constexpr std::size_t kMaxPlayerListNames = 1000;

struct PlayerList {
    std::vector<std::string> names; // UTF-8, trimmed, in file order
    std::string refusal;            // why nothing can be imported; empty when the list was read
    bool ok() const { return refusal.empty(); }
};

// Reads a list: UTF-8 (with or without a byte-order mark), otherwise Windows-1250. One name a line,
// or the first field of a CSV with ';' or ',' (quoted fields as spreadsheets write them); a header
// "Jméno", "Hráč" or "Name" is skipped, as are empty lines; names are trimmed. `csv` says the file
// is a CSV (its name ends in .csv): a ',' then separates fields, which in a plain list it does only
// after a header. Refused: over 1 MB, binary content, UTF-16, more than 1,000 names.
PlayerList readPlayerList(std::string_view bytes, bool csv);

} // namespace zorbon
