#include "boards/board.h"

#include <charconv>

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
    std::string name;
    appendBoardName(name, n);
    return name;
}

void appendBoardName(std::string& text, int n)
{
    char digits[12];
    char* const end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    text += "terč č.";
    text.append(digits, end);
}

} // namespace zorbon
