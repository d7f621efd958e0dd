#include "bracket/model.h"

#include <charconv>

namespace zorbon {

std::string scoreText(int score)
{
    // Written in place: a result writes two of these, and a score is short enough to need no heap.
    char buf[16];
    buf[0] = ' ';
    const char* const end = std::to_chars(buf + 1, buf + sizeof buf, score).ptr;
    return std::string(buf, static_cast<std::size_t>(end - buf));
}

} // namespace zorbon
