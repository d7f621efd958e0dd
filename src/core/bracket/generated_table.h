#pragma once
// The 64-player bracket is too long to write by hand: its rows come from the rules below, and
// describeTable() prints any table row for row so the generated one can be read and reviewed.

#include "bracket/tables.h"

#include <string>
#include <vector>

namespace zorbon {

// One row as the generator makes it, with texts it owns.
struct GeneratedRow {
    int number = 0;
    std::string round; // "W1", "L10", "F"
    std::string upper;
    std::string lower;
    std::string frame;
    std::string winnerTo; // empty for the final
    std::string loserTo;  // empty: out
    WalkoverRule rule = WalkoverRule::None;
    std::string other;  // OtherSlotBye: the slot that must read "Volný los"
    std::string target; // where a walking-over loser is written as well
    int enteredBox = 0;
};

// Where the losers of a winners' round enter their losers' round.
enum class Crossover : std::uint8_t {
    Natural,          // box i to box i
    Reversed,         // box i to box count + 1 - i
    ReversedInHalves, // reversed within each half of the round
    HalvesSwapped,    // the first half to the second half and back, order kept
};

// Standard seed positions of a first round with `boxes` boxes: the upper seed of each box from the
// top, so that seeds 1 and 2 can meet only in the winners' final, 1 to 4 only from the semi-finals...
std::vector<int> seedOrder(int boxes);

// The rows of the 64: W1 32 boxes down to W6 1, L1 16 .. L10 1, the final; MatchNumbers as the
// calling order takes them; walkovers where a bye can stand beside the loser's new slot.
std::vector<GeneratedRow> generate64();

// A table row for row: MatchNumber, round, slots, frame, targets and walkover, one line each.
std::string describeTable(const AdvancementTable& table);

} // namespace zorbon
