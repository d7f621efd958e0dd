#include "bracket/model.h"

namespace zorbon {

std::string scoreText(int score)
{
    // Appending rather than " " + to_string(): GCC 12 at -O3 warns falsely (-Wrestrict) on the latter.
    std::string text(1, ' ');
    text += std::to_string(score);
    return text;
}

} // namespace zorbon
