#pragma once
// The commands of one tournament with the whole state after each: an undo stack built on saved
// states. Entries [0, head) are in effect and the state shown is the last of them; the entries
// after head are what redo can put back. A new command drops them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zorbon {

struct HistoryEntry {
    std::string kind;        // which command: "vysledek", "hraj", ...
    std::string params;      // its parameters, "board=2 s1=3 s2=1"
    std::string description; // for the operator: "výsledek zápasu 17 (Petr Novák 3 : 1 Jan Pokorný)"
    bool undoable = false;   // a command of play that undo can take back
    bool floor = false;      // the draw: undo never reaches past it
    std::string state;       // encodeState() after the command
    std::string at;          // local time of the commit, "2026-12-09 14:05:31"
    bool operator==(const HistoryEntry&) const = default;
};

class History {
public:
    std::int64_t id = 0; // the journal's number of the tournament; 0 until it is stored
    std::string started; // local time of its first command

    const std::vector<HistoryEntry>& entries() const { return m_entries; }
    std::size_t head() const { return m_head; }
    bool empty() const { return m_entries.empty(); }
    // The entry whose state is in effect, or nullptr before the first command.
    const HistoryEntry* current() const { return m_head ? &m_entries[m_head - 1] : nullptr; }

    // A new command; whatever could have been redone is dropped.
    void push(HistoryEntry entry);
    // The latest command once more (the next call of the same "Hraj"): its entry is replaced.
    void replaceCurrent(HistoryEntry entry);

    // The entry undo takes back: the latest undoable one in effect after the last floor; nullptr if none.
    const HistoryEntry* toUndo() const;
    // Takes it back: afterwards the state in effect is that of the entry before it.
    bool undo();
    // The entry redo puts back: the first undoable one after head; nullptr if none.
    const HistoryEntry* toRedo() const;
    bool redo();

    // Restores a stored history (the journal's load).
    void assign(std::vector<HistoryEntry> entries, std::size_t head);

    // What the journal has not yet stored: entries from this index on, and whether head moved.
    std::size_t firstUnsaved() const { return m_firstUnsaved; }
    bool headUnsaved() const { return m_headUnsaved; }
    void markSaved();

private:
    std::vector<HistoryEntry> m_entries;
    std::size_t m_head = 0;
    std::size_t m_firstUnsaved = 0;
    bool m_headUnsaved = false;
};

} // namespace zorbon
