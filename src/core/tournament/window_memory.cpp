// Where each window was, remembered through the journal for the next start. A failure here costs
// only the remembered place, never the tournament.

#include "tournament/tournament.h"

namespace zorbon {

std::vector<WindowPlace> Tournament::windowPlaces() const
{
    return windowPlaces(m_journal.get());
}

std::vector<WindowPlace> Tournament::windowPlaces(Journal* journal)
{
    if (!journal)
        return {};
    try {
        return journal->windowPlaces();
    } catch (const JournalError&) {
        return {};
    }
}

void Tournament::rememberWindowPlace(const WindowPlace& place)
{
    if (!m_journal)
        return;
    try {
        m_journal->saveWindowPlace(place);
    } catch (const JournalError&) {
    }
}

} // namespace zorbon
