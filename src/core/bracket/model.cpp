#include "bracket/model.h"

namespace zorbon {

std::string scoreText(int score)
{
    return " " + std::to_string(score);
}

} // namespace zorbon
