#pragma once
// What the players' display says, read from the bracket as it stands: the boards, the matches that
// come next, the latest results and the winner.

#include "bracket/bracket.h"
#include "lobby/header.h"

#include <QString>

#include <vector>

namespace zorbon::ui {

// Name, place and date, those that are given, between dashes.
QString headerLine(const TournamentHeader& header);
// "Terč 1: zápas 5 – A : B", "Terč 1: finále – A : B" or "Terč 2: volný"; empty for a board out of play.
QString boardLine(const Bracket& bracket, int board);
// "zápas 7 – A : B" (or "finále – A : B").
QString matchLine(const Bracket& bracket, int box);
// "zápas 3 – A 3 : 1 B".
QString resultLine(const Bracket& bracket, int box);
// "Vítěz turnaje: X" once the final is decided, "Finále: X musí vyhrát dvakrát" while it is on a
// board (X the losers' champion), else empty.
QString winnerText(const Bracket& bracket);

// The ready boxes in the order "Hraj" calls them (ascending MatchNumber), at most `most`.
std::vector<int> readyMatches(const Bracket& bracket, int most);
// A box decided over the board: Finished, two players and a score. A bye or a walkover is none.
bool isResult(const Bracket& bracket, int box);
// A match has been called or played: the tournament is under way.
bool isUnderWay(const Bracket& bracket);
bool isDecided(const Bracket& bracket);

// The session keeps no timeline, so the display keeps one: the boxes in the order they were seen
// turning Finished. A box that is no longer Finished (an undo) leaves; boxes found Finished
// together (a resume, an undo or redo of several) come last in MatchNumber order.
class FinishOrder {
public:
    void follow(const Bracket& bracket);
    void clear();
    const std::vector<int>& order() const { return m_order; }
    // The latest results, newest first, at most `most`.
    std::vector<int> latestResults(const Bracket& bracket, int most) const;

private:
    std::vector<int> m_order;
    std::vector<bool> m_listed; // by MatchNumber - 1
};

} // namespace zorbon::ui
