#pragma once
// Everything the running program knows, held in one place so that windows only show it.

#include "bracket/bracket.h"
#include "lobby/header.h"

#include <optional>
#include <string>
#include <vector>

namespace zorbon {

// What lives before the draw: the header, the main window's list of registered names (what the
// draw consumes), the registration dialog's own list (what the roster is saved from) and the
// registered count kept in memory.
struct Lobby {
    TournamentHeader header;
    std::vector<std::string> registered;
    std::vector<std::string> registrationList;
    int count = 0;
    // The number in the main window's count label; none until the record was first read.
    std::optional<int> shownCount;
    // The new-tournament dialog's three fields: place and date stay filled between openings.
    TournamentHeader newTournamentFields;
};

struct Session {
    Lobby lobby;
    Brackets brackets;
    std::vector<std::string> placings;  // worst first, as the standings produce them
    std::vector<std::string> displayed; // the results list on screen, best first
    int boardCountChoice = 0;           // the board-count dialog's number, kept between openings
};

} // namespace zorbon
