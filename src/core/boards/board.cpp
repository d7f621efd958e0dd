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

std::string boardName(int n)
{
    return "terč č." + std::to_string(n);
}

} // namespace zorbon
