#include "club/search.h"

#include <cstdint>

namespace zorbon {
namespace {

// U+00C0 .. U+017F (Latin-1 letters and Latin Extended-A, which hold every letter Windows-1250
// has) without their accents, in lower case.
constexpr std::string_view kFolded = "aaaaaaaceeeeiiiidnooooo*ouuuuytsaaaaaaaceeeeiiiidnooooo/ouuuuyty"
                                     "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllll"
                                     "nnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kFolded.size() == 0x180 - 0xC0);

bool separates(char c)
{
    // Words of a name: "Jan Novák-Dvořák", "O'Neill", "Novák (DC Praha)".
    return c == ' ' || c == '-' || c == '\'' || c == '(' || c == ')' || c == '.' || c == ',' || c == '"' || c == '/';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string foldForSearch(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out.push_back(b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : static_cast<char>(b));
            continue;
        }
        // Two-byte sequences cover U+0080 .. U+07FF; only U+00C0 .. U+017F fold.
        if (b >= 0xC3 && b <= 0xC5 && i + 1 < s.size()) {
            const auto c = static_cast<unsigned char>(s[i + 1]);
            const std::uint32_t cp = ((b & 0x1Fu) << 6) | (c & 0x3Fu);
            if ((c & 0xC0) == 0x80 && cp >= 0xC0 && cp < 0x180) {
                out.push_back(kFolded[cp - 0xC0]);
                ++i;
                continue;
            }
        }
        out.push_back(static_cast<char>(b));
    }
    return out;
}

PlayerIndex::PlayerIndex(std::vector<std::string> names)
    : m_names(std::move(names))
{
    m_folded.reserve(m_names.size());
    m_first.reserve(m_names.size() + 1);
    for (const std::string& n : m_names) {
        m_first.push_back(m_starts.size());
        std::string f = foldForSearch(n);
        for (std::size_t i = 0; i < f.size(); ++i)
            if (!separates(f[i]) && (i == 0 || separates(f[i - 1])))
                m_starts.push_back(i);
        m_folded.push_back(std::move(f));
    }
    m_first.push_back(m_starts.size());
}

std::vector<std::string> PlayerIndex::find(std::string_view typed, std::size_t limit) const
{
    std::vector<std::string> out;
    const std::string query = foldForSearch(trimmed(typed));
    if (query.empty() || limit == 0)
        return out;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        const std::string& f = m_folded[i];
        for (std::size_t k = m_first[i]; k < m_first[i + 1]; ++k) {
            if (f.compare(m_starts[k], query.size(), query) == 0) {
                out.push_back(m_names[i]);
                break;
            }
        }
        if (out.size() >= limit)
            break;
    }
    return out;
}

} // namespace zorbon
