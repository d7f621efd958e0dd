#include "ranking/czech.h"

#include <cstdint>
#include <vector>

namespace zorbon {
namespace {

// One letter's weights: primary (the letter of the alphabet), secondary (its accent), tertiary (case).
struct Weight {
    int primary;
    int secondary;
    int tertiary;
};

std::uint32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    const auto b = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(s[k])); };
    const std::uint32_t c = b(i);
    std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + len > s.size())
        len = 1;
    std::uint32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    for (std::size_t k = 1; k < len; ++k)
        cp = (cp << 6) | (b(i + k) & 0x3F);
    i += len;
    return cp;
}

// The base letter (lower case ASCII) and accent of the Latin letters a name can hold.
struct Letter {
    std::uint32_t cp;
    char base;
    int accent;
};

// Letters with a mark that is a letter of its own in Czech get their own place instead (below).
constexpr Letter kAccented[] = {
    {0xE1, 'a', 1},  {0xE4, 'a', 2},  {0x103, 'a', 3}, {0x105, 'a', 4}, {0xE2, 'a', 5},  {0x107, 'c', 1},
    {0xE7, 'c', 2},  {0x10F, 'd', 1}, {0x111, 'd', 2}, {0xE9, 'e', 1},  {0x11B, 'e', 2}, {0xEB, 'e', 3},
    {0x119, 'e', 4}, {0xED, 'i', 1},  {0xEE, 'i', 2},  {0x13A, 'l', 1}, {0x13E, 'l', 2}, {0x142, 'l', 3},
    {0x144, 'n', 1}, {0x148, 'n', 2}, {0xF3, 'o', 1},  {0xF6, 'o', 2},  {0x151, 'o', 3}, {0xF4, 'o', 4},
    {0x155, 'r', 1}, {0x15B, 's', 1}, {0x15F, 's', 2}, {0x165, 't', 1}, {0x163, 't', 2}, {0xFA, 'u', 1},
    {0x16F, 'u', 2}, {0xFC, 'u', 3},  {0x171, 'u', 4}, {0xFD, 'y', 1},  {0x17A, 'z', 1}, {0x17C, 'z', 2},
    {0xDF, 's', 9},
};

// č ř š ž: letters of their own, right after c r s z.
constexpr Letter kOwnLetters[] = {{0x10D, 'c', 0}, {0x159, 'r', 0}, {0x161, 's', 0}, {0x17E, 'z', 0}};

// Primary weights: space and punctuation first, then digits, then the alphabet with "ch" after h.
constexpr int kSpace = 1;
constexpr int kDigit0 = 10;
int letterWeight(char base, bool own)
{
    return 100 + (base - 'a') * 4 + (own ? 2 : 0);
}
constexpr int kCh = 100 + ('h' - 'a') * 4 + 1;

std::uint32_t lower(std::uint32_t cp, bool& upper)
{
    upper = false;
    if (cp >= 'A' && cp <= 'Z') {
        upper = true;
        return cp + 32;
    }
    if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) {
        upper = true;
        return cp + 32;
    }
    // Latin Extended-A pairs: upper case even, lower case odd (with a few exceptions that do not matter here).
    if (cp >= 0x100 && cp <= 0x17F) {
        const bool upperOdd = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        if (upperOdd ? (cp % 2 == 1) : (cp % 2 == 0)) {
            upper = true;
            return cp + 1;
        }
    }
    return cp;
}

std::vector<Weight> weights(std::string_view s)
{
    std::vector<Weight> out;
    std::size_t i = 0;
    while (i < s.size()) {
        bool upper = false;
        const std::uint32_t cp = lower(nextCodePoint(s, i), upper);
        const int caseWeight = upper ? 1 : 0;
        if (cp == 'c' && i < s.size() && (s[i] == 'h' || s[i] == 'H')) {
            ++i;
            out.push_back({kCh, 0, caseWeight});
            continue;
        }
        if (cp >= 'a' && cp <= 'z') {
            out.push_back({letterWeight(static_cast<char>(cp), false), 0, caseWeight});
            continue;
        }
        if (cp >= '0' && cp <= '9') {
            out.push_back({kDigit0 + static_cast<int>(cp - '0'), 0, 0});
            continue;
        }
        bool known = false;
        for (const Letter& l : kOwnLetters)
            if (l.cp == cp) {
                out.push_back({letterWeight(l.base, true), 0, caseWeight});
                known = true;
            }
        for (const Letter& l : kAccented)
            if (!known && l.cp == cp) {
                out.push_back({letterWeight(l.base, false), l.accent, caseWeight});
                known = true;
            }
        if (known)
            continue;
        if (cp == ' ' || cp == '-' || cp == '.' || cp == ',' || cp == '\'' || cp == 0xA0) {
            out.push_back({kSpace, 0, 0});
            continue;
        }
        // Anything else after the alphabet, in code point order.
        out.push_back({100000 + static_cast<int>(cp), 0, 0});
    }
    return out;
}

} // namespace

int czechCompare(std::string_view a, std::string_view b)
{
    const std::vector<Weight> x = weights(a);
    const std::vector<Weight> y = weights(b);
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i)
        if (x[i].primary != y[i].primary)
            return x[i].primary < y[i].primary ? -1 : 1;
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i)
        if (x[i].secondary != y[i].secondary)
            return x[i].secondary < y[i].secondary ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i)
        if (x[i].tertiary != y[i].tertiary)
            return x[i].tertiary < y[i].tertiary ? -1 : 1;
    return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

} // namespace zorbon
