#pragma once
// A dartboard of the venue: out of play, free, or holding one called match.

#include "bracket/model.h"

#include <string>
#include <vector>

namespace zorbon {

inline constexpr std::string_view kBoardFree = " VOLNÝ";
inline constexpr std::string_view kBoardOff = "N";
// The most boards any bracket offers (the 64's); what holds one thing per board is this long.
inline constexpr int kMostBoards = 16;

enum class BoardState : std::uint8_t { Off, Free, Occupied };

struct Board {
    BoardState state = BoardState::Off;
    int match = 0;       // MatchNumber while Occupied
    std::string player1; // line 1 while Occupied
    std::string player2; // line 2 while Occupied

    bool visible() const { return state != BoardState::Off; }
    TColor colour() const { return state == BoardState::Occupied ? TColor::clLime : TColor::clSilver; }
    // The text lines the board shows: "N"; " VOLNÝ"; or MatchNumber, player 1, player 2.
    std::vector<std::string> lines() const;
};

// Free: " VOLNÝ", no match. Off: "N", hidden.
void setFree(Board& board);
void setOff(Board& board);

// "terč č.<n>": the board's name in announcements.
std::string boardName(int n);
// The same name appended to a text being built.
void appendBoardName(std::string& text, int n);

} // namespace zorbon
