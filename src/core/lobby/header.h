#pragma once
// The tournament header: name, playing place and date. Never in the working files (only the journal
// keeps it, with the rest of the tournament).

#include <string>

namespace zorbon {

struct TournamentHeader {
    std::string name;
    std::string place;
    std::string date;
    // A tournament exists when any of the three texts is non-empty.
    bool exists() const { return !name.empty() || !place.empty() || !date.empty(); }
    bool operator==(const TournamentHeader&) const = default;
};

} // namespace zorbon
