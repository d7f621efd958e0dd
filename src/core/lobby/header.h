#pragma once
// The tournament header: name, playing place and date. Held in memory only, never written to disk.

#include <string>

namespace zorbon {

struct TournamentHeader {
    std::string name;
    std::string place;
    std::string date;
    // A tournament exists when any of the three texts is non-empty.
    bool exists() const { return !name.empty() || !place.empty() || !date.empty(); }
};

} // namespace zorbon
