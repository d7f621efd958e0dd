#pragma once
// The four bracket sizes. Whatever differs between them lives in arrays indexed by sizeIndex(),
// never in a branch on the size.

#include <array>
#include <cstddef>

namespace zorbon {

inline constexpr std::array<int, 4> kBracketSizes{8, 16, 32, 64};

template <class T> using PerSize = std::array<T, kBracketSizes.size()>;

// 0 .. 3 for a bracket size. Any other number is a programming error: std::logic_error.
std::size_t sizeIndex(int size);

// Whether the number is one of the sizes (for values read from outside).
constexpr bool isBracketSize(int size)
{
    for (const int s : kBracketSizes)
        if (s == size)
            return true;
    return false;
}

} // namespace zorbon
