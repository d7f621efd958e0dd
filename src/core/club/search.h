#pragma once
// Finding remembered players by what the operator has typed so far: case and diacritics do not
// matter, and the typed text may start any word of the name ("nov" and "NOVA" find "Petr Novák").

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// The text as the search compares it: Latin letters without their accents and in lower case
// ("Novák" -> "novak"); other characters stay as they are.
std::string foldForSearch(std::string_view s);

class PlayerIndex {
public:
    PlayerIndex() = default;
    explicit PlayerIndex(std::vector<std::string> names);

    // The names in which a word starts with the typed text (folded, spaces at its ends ignored), in
    // the index's order, at most `limit`. Nothing for an empty text.
    std::vector<std::string> find(std::string_view typed, std::size_t limit) const;

    std::size_t size() const { return m_names.size(); }
    const std::vector<std::string>& names() const { return m_names; }

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_folded;
    // For every name, where its words begin in its folded form: [m_starts[m_first[i]], m_starts[m_first[i+1]]).
    std::vector<std::size_t> m_first;
    std::vector<std::size_t> m_starts;
};

} // namespace zorbon
