#include "bracket/sizes.h"

#include <stdexcept>
#include <string>

namespace zorbon {

std::size_t sizeIndex(int size)
{
    for (std::size_t i = 0; i < kBracketSizes.size(); ++i)
        if (kBracketSizes[i] == size)
            return i;
    throw std::logic_error("no bracket of size " + std::to_string(size));
}

} // namespace zorbon
