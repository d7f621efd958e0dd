#include "bracket/bracket.h"

namespace zorbon {
namespace {

constexpr std::string_view kWinnerLineStart = "Vítězem je : ";

} // namespace

Bracket::Bracket(int size)
    : m_table(&tableFor(size))
    , m_names(m_table->slotSpecs.size())
    , m_scores(m_table->slotSpecs.size())
    , m_states(m_table->boxes.size())
    , m_boards(static_cast<std::size_t>(m_table->rules.panelPlaces))
{
    reset();
}

void Bracket::reset()
{
    if (m_clean && winnerLine == kWinnerLineStart && porazeny.empty() && !correction && !correctionMode)
        return;
    for (auto& n : m_names)
        n = kUnknown;
    for (auto& s : m_scores)
        s = kNoScore;
    for (auto& s : m_states)
        s = BoxState::Pending;
    winnerLine = kWinnerLineStart;
    porazeny.clear();
    correction.reset();
    correctionMode = false;
    m_clean = true;
}

} // namespace zorbon
