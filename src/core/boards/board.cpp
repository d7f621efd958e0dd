#include "boards/board.h"

namespace zorbon {

std::vector<std::string> Board::lines() const
{
    switch (state) {
    case BoardState::Off:
        return {std::string(kBoardOff)};
    case BoardState::Free:
        return {std::string(kBoardFree)};
    case BoardState::Occupied:
        return {std::to_string(match), player1, player2};
    }
    return {};
}

void setFree(Board& board)
{
    board.state = BoardState::Free;
    board.match = 0;
    board.player1.clear();
    board.player2.clear();
}

void setOff(Board& board)
{
    setFree(board);
    board.state = BoardState::Off;
}

std::string boardName(int n)
{
    return "terč č." + std::to_string(n);
}

} // namespace zorbon
