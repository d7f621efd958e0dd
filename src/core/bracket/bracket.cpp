#include "bracket/bracket.h"

namespace zorbon {

Bracket::Bracket(int size)
    : m_table(&tableFor(size))
    , m_names(m_table->slotSpecs.size())
    , m_scores(m_table->slotSpecs.size())
    , m_states(m_table->boxes.size())
    , m_boards(static_cast<std::size_t>(m_table->rules.panelPlaces))
{
    reset();
}

bool Bracket::ready(int number) const
{
    const auto& b = m_table->box(number);
    return state(number) == BoxState::Pending && name(b.upper) != kUnknown && name(b.lower) != kUnknown;
}

void Bracket::reset()
{
    for (auto& n : m_names)
        n = kUnknown;
    for (auto& s : m_scores)
        s = kNoScore;
    for (auto& s : m_states)
        s = BoxState::Pending;
    winnerLine = "Vítězem je : ";
    porazeny.clear();
    correction.reset();
    correctionMode = false;
}

} // namespace zorbon
