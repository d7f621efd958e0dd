#pragma once
// Czech alphabetical order for names: "ch" after "h", č ř š ž after c r s z, accents and case
// only deciding between otherwise equal names.

#include <string_view>

namespace zorbon {

// Negative, zero or positive as `a` sorts before, with or after `b` (zero only for equal bytes).
int czechCompare(std::string_view a, std::string_view b);

inline bool czechLess(std::string_view a, std::string_view b)
{
    return czechCompare(a, b) < 0;
}

} // namespace zorbon
