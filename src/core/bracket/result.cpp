#include "bracket/result.h"

#include "records/errors.h"
#include "records/record.h"

#include <algorithm>

namespace zorbon {
namespace {

EntryResult refused()
{
    return {false, std::string(kBadResult)};
}

// The final: totals over its matches; a tie goes to LabF1 where the size allows ties.
EntryResult enterFinal(Bracket& bracket, Board& board, const BoxSpec& box, int s1, int s2)
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
    return {true, {}};
}

} // namespace

EntryResult EnterResult(Bracket& bracket, int board, const std::string& score1, const std::string& score2)
{
    // Only a size whose walkovers go by the registered count needs the record; the 32 decides them
    // from its cells, so its results are entered without touching the disk.
    const auto& boxes = bracket.table().boxes;
    const bool needsRecord = std::any_of(
        boxes.begin(), boxes.end(), [](const BoxSpec& b) { return b.walkover.rule == WalkoverRule::FewerPlayers; });
    const int playerCount = needsRecord ? ReadRecord().PlayerCount : 0;
    return EnterResult(bracket, board, score1, score2, playerCount);
}

EntryResult EnterResult(Bracket& bracket, int boardNumber, const std::string& score1, const std::string& score2,
                        int playerCount)
{
    const auto& t = bracket.table();
    // A board that holds no match names no box: nothing happens and the dialog stays open.
    if (boardNumber < 1 || boardNumber > t.rules.boards)
        return {};
    Board& board = bracket.board(boardNumber);
    if (board.state != BoardState::Occupied || !t.hasBox(board.match) ||
        bracket.state(board.match) != BoxState::OnBoard)
        return {};
    const BoxSpec& box = t.box(board.match);

    const int s1 = parseInt(score1);
    const int s2 = parseInt(score2);
    if (box.isFinal())
        return enterFinal(bracket, board, box, s1, s2);
    if (s1 == s2 || (s1 < 1 && s2 < 1))
        return refused();

    const bool secondWins = s2 > s1;
    std::string winner = secondWins ? board.player2 : board.player1;
    std::string loser = secondWins ? board.player1 : board.player2;
    const Walkover& w = box.walkover;

    bracket.setName(box.winnerTo, std::move(winner));
    if (box.loserTo != kNoSlot)
        bracket.setName(box.loserTo, loser);
    bracket.setScore(box.upper, scoreText(s1));
    bracket.setScore(box.lower, scoreText(s2));
    const bool byCount = w.rule == WalkoverRule::FewerPlayers && playerCount < w.threshold;
    if (byCount)
        bracket.setName(w.target, loser);

    bracket.setState(box.number, BoxState::Finished);
    if (byCount)
        bracket.setState(w.enteredBox, BoxState::Finished);
    setFree(board);

    if (w.rule == WalkoverRule::OtherSlotBye && bracket.name(w.other) == kBye) {
        bracket.setName(w.target, bracket.name(box.loserTo));
        bracket.setState(w.enteredBox, BoxState::Finished);
    }
    return {true, {}};
}

} // namespace zorbon
