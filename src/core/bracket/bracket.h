#pragma once
// The state of one bracket window's tournament: the texts of every cell, every box's state,
// the boards, the winner line and an open correction.

#include "boards/board.h"
#include "bracket/tables.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// The six cells remembered when a box is opened for correction.
struct CorrectionContext {
    int box = 0;               // MatchNumber of the corrected box
    SlotId name1 = kNoSlot;    // upper slot (name and score cell)
    SlotId name2 = kNoSlot;    // lower slot
    SlotId winnerTo = kNoSlot; // the box's winner target
    SlotId loserTo = kNoSlot;  // the box's loser target; kNoSlot stands for the scratch cell "porazeny"
};

class Bracket {
public:
    explicit Bracket(int size);

    const AdvancementTable& table() const { return *m_table; }
    int size() const { return m_table->size; }

    const std::string& name(SlotId id) const { return m_names[idx(id)]; }
    const std::string& score(SlotId id) const { return m_scores[idx(id)]; }
    // Copied into the cell's own string, whose room a bracket reused tournament after tournament
    // already has: a name is written a dozen times a tournament and need not allocate each time.
    void setName(SlotId id, std::string_view text)
    {
        m_names[idx(id)].assign(text);
        m_clean = false;
    }
    void setScore(SlotId id, std::string_view text)
    {
        m_scores[idx(id)].assign(text);
        m_clean = false;
    }

    BoxState state(int number) const { return m_states[static_cast<std::size_t>(number - 1)]; }
    void setState(int number, BoxState s)
    {
        m_states[static_cast<std::size_t>(number - 1)] = s;
        m_clean = false;
    }
    // A cell shows the state of the box it belongs to.
    BoxState slotState(SlotId id) const { return state(m_table->slot(id).box); }
    // Pending and neither name is " ?".
    bool ready(int number) const
    {
        if (state(number) != BoxState::Pending)
            return false;
        const BoxSpec& b = m_table->box(number);
        return name(b.upper) != kUnknown && name(b.lower) != kUnknown;
    }

    // Boards 1 .. rules.panelPlaces.
    const Board& board(int n) const { return m_boards[static_cast<std::size_t>(n - 1)]; }
    Board& board(int n) { return m_boards[static_cast<std::size_t>(n - 1)]; }
    int boardCount() const { return static_cast<int>(m_boards.size()); }

    std::string winnerLine;                      // LabVitez
    std::string porazeny;                        // scratch cell of a losers'-side correction
    std::optional<CorrectionContext> correction; // the context of the last correction opened
    bool correctionMode = false;                 // the correction controls are open

    // Every box Pending with " ?" and " 0", the winner line "Vítězem je : "; boards untouched.
    void reset();

private:
    std::size_t idx(SlotId id) const { return static_cast<std::size_t>(id); }
    const AdvancementTable* m_table;
    std::vector<std::string> m_names;
    std::vector<std::string> m_scores;
    std::vector<BoxState> m_states;
    std::vector<Board> m_boards;
    // No cell has been written since the last reset: the draw resets all four brackets, and the
    // three it does not fill are usually untouched.
    bool m_clean = false;
};

// The bracket windows' tournaments, in the order of kBracketSizes; the draw resets all of them
// and fills one.
struct Brackets {
    PerSize<Bracket> all{Bracket(8), Bracket(16), Bracket(32), Bracket(64)};
    // Any other size than 8, 16, 32 or 64 is a programming error (std::logic_error).
    Bracket& bySize(int size) { return all[sizeIndex(size)]; }
    const Bracket& bySize(int size) const { return all[sizeIndex(size)]; }
};

} // namespace zorbon
