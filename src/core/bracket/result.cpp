#include "bracket/result.h"

#include "records/errors.h"

#include <algorithm>

namespace zorbon {
namespace {

Outcome refused()
{
    return Outcome::refused(std::string(kBadResult));
}

// The final: totals over its matches; a tie goes to LabF1 where the size allows ties.
Outcome enterFinal(Bracket& bracket, Board& board, const BoxSpec& box, int s1, int s2)
{
    const auto& rules = bracket.table().rules;
    if (s1 < 1 && s2 < 1)
        return refused();
    if (s1 == s2 && !rules.finalTieToUpper)
        return refused();
    const std::string& winner = s2 > s1 ? board.player2 : board.player1;
    std::string line(rules.winnerPrefix);
    line += winner;
    line += rules.winnerSuffix;
    bracket.winnerLine = std::move(line);
    bracket.setScore(box.upper, scoreText(s1));
    bracket.setScore(box.lower, scoreText(s2));
    bracket.setState(box.number, BoxState::Finished);
    setFree(board);
    return Outcome::done();
}

} // namespace

Outcome enterResult(Bracket& bracket, int boardNumber, const std::string& score1, const std::string& score2)
{
    const auto& t = bracket.table();
    // A board that holds no match names no box: nothing happens and the dialog stays open.
    if (boardNumber < 1 || boardNumber > t.rules.boards)
        return Outcome::refused();
    Board& board = bracket.board(boardNumber);
    if (board.state != BoardState::Occupied || !t.hasBox(board.match) ||
        bracket.state(board.match) != BoxState::OnBoard)
        return Outcome::refused();
    const BoxSpec& box = t.box(board.match);

    const int s1 = parseInt(score1);
    const int s2 = parseInt(score2);
    if (box.isFinal())
        return enterFinal(bracket, board, box, s1, s2);
    if (s1 == s2 || (s1 < 1 && s2 < 1))
        return refused();

    const bool secondWins = s2 > s1;
    // The board keeps both names until it is freed at the end, so they are read from it, not copied.
    const std::string& winner = secondWins ? board.player2 : board.player1;
    const std::string& loser = secondWins ? board.player1 : board.player2;
    const Walkover& w = box.walkover;
    // The loser walks over when the box he enters holds a bye. The 8 and 16 could tell that from the
    // record's player count, since the draw put the byes where the count says; but a record damaged
    // after the draw would then walk a real player out of the bracket, or leave a player facing a bye
    // on a board. The bracket itself cannot disagree with where its byes are.
    const bool walkover = w.rule != WalkoverRule::None &&
                          bracket.name(w.rule == WalkoverRule::OtherSlotBye ? w.other : t.partner(box.loserTo)) == kBye;

    bracket.setName(box.winnerTo, winner);
    if (box.loserTo != kNoSlot)
        bracket.setName(box.loserTo, loser);
    bracket.setScore(box.upper, scoreText(s1));
    bracket.setScore(box.lower, scoreText(s2));
    if (walkover) {
        bracket.setName(w.target, loser);
        bracket.setState(w.enteredBox, BoxState::Finished);
    }
    bracket.setState(box.number, BoxState::Finished);
    setFree(board);
    return Outcome::done();
}

} // namespace zorbon
