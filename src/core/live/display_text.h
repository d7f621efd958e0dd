#pragma once
// What the players' display says, read from the bracket as it stands: the boards, the matches that
// come next, the latest results and the winner. The phones page reads the same bracket with the
// same rules (live_state.h).

#include "bracket/bracket.h"
#include "lobby/header.h"

#include <string>
#include <vector>

namespace zorbon {

// Name, place and date, those that are given, between dashes.
std::string headerLine(const TournamentHeader& header);
// "Terč 1: zápas 5 – A : B", "Terč 1: finále – A : B" or "Terč 2: volný"; empty for a board out of play.
std::string boardLine(const Bracket& bracket, int n);
// "zápas 7 – A : B" (or "finále – A : B").
std::string matchLine(const Bracket& bracket, int box);
// "zápas 3 – A 3 : 1 B".
std::string resultLine(const Bracket& bracket, int box);
// "Vítěz turnaje: X" once the final is decided, "Finále: X musí vyhrát dvakrát" while it is on a
// board (X the losers' champion), else empty.
std::string winnerText(const Bracket& bracket);

// The ready boxes in the order "Hraj" calls them (ascending MatchNumber), at most `most`.
std::vector<int> readyMatches(const Bracket& bracket, int most);
// A match has been called or played: the tournament is under way.
bool isUnderWay(const Bracket& bracket);
bool isDecided(const Bracket& bracket);

} // namespace zorbon
