#pragma once
// Everything the running program knows about its tournament, held in one place so that windows
// only show it and the journal can save it whole.

#include "bracket/bracket.h"
#include "lobby/lobby.h"
#include "records/record.h"

#include <string>
#include <vector>

namespace zorbon {

struct Session {
    Lobby lobby;
    Brackets brackets;
    int activeSize = 0;                 // the bracket in play: 0 before the draw and after its close
    std::vector<std::string> placings;  // worst first, as the standings produce them
    std::vector<std::string> displayed; // the results list on screen, best first
    int boardCountChoice = 0;           // the board-count dialog's number, kept between openings
    // The working files as this program last read or wrote them: what a resume writes back.
    TournamentRecord record;
    std::vector<std::string> roster;

    // The bracket in play, or nullptr before the draw.
    Bracket* active() { return activeSize ? &brackets.bySize(activeSize) : nullptr; }
    const Bracket* active() const { return activeSize ? &brackets.bySize(activeSize) : nullptr; }
};

} // namespace zorbon
