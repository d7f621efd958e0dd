#include "tournament/history.h"

#include <algorithm>

namespace zorbon {

void History::push(HistoryEntry entry)
{
    m_entries.resize(m_head);
    m_entries.push_back(std::move(entry));
    m_head = m_entries.size();
    m_firstUnsaved = std::min(m_firstUnsaved, m_head - 1);
    m_headUnsaved = true;
}

void History::replaceCurrent(HistoryEntry entry)
{
    if (m_head == 0) {
        push(std::move(entry));
        return;
    }
    m_entries.resize(m_head);
    m_entries.back() = std::move(entry);
    m_firstUnsaved = std::min(m_firstUnsaved, m_head - 1);
    m_headUnsaved = true;
}

const HistoryEntry* History::toUndo() const
{
    for (std::size_t i = m_head; i-- > 0;) {
        if (m_entries[i].floor)
            return nullptr;
        if (m_entries[i].undoable)
            return &m_entries[i];
    }
    return nullptr;
}

bool History::undo()
{
    const HistoryEntry* e = toUndo();
    if (!e)
        return false;
    m_head = static_cast<std::size_t>(e - m_entries.data());
    m_headUnsaved = true;
    return true;
}

const HistoryEntry* History::toRedo() const
{
    for (std::size_t i = m_head; i < m_entries.size(); ++i) {
        if (m_entries[i].floor)
            return nullptr;
        if (m_entries[i].undoable)
            return &m_entries[i];
    }
    return nullptr;
}

bool History::redo()
{
    const HistoryEntry* e = toRedo();
    if (!e)
        return false;
    m_head = static_cast<std::size_t>(e - m_entries.data()) + 1;
    m_headUnsaved = true;
    return true;
}

void History::assign(std::vector<HistoryEntry> entries, std::size_t head)
{
    m_entries = std::move(entries);
    m_head = std::min(head, m_entries.size());
    markSaved();
}

void History::markSaved()
{
    m_firstUnsaved = m_entries.size();
    m_headUnsaved = false;
}

} // namespace zorbon
