#pragma once
// The draw with seeds: seed 1 into slot 1, seed 2 into slot 2, seeds 3-4 at random into slots 3-4,
// 5-8 into 5-8, 9-16 into 9-16; everybody else by the ordinary draw into the slots left. Since the
// byes face slots 1, 2, 3 …, the top seeds get them first.

#include "draw/draw.h"

#include <string>
#include <vector>

namespace zorbon {

// The first slot and the last slot (1-based) of the group that seed `seed` (1-based) is drawn into.
std::pair<int, int> seedGroup(int seed);

// The first round for n players: entry k - 1 is the name for slot k. `players` is consumed in
// place like the ordinary draw's list. Only the first seedLimit(n) seeds that are in `players`
// count; the others are drawn like everybody else.
std::vector<std::string> seededOrder(std::vector<std::string>& players, const std::vector<std::string>& seeds, Lcg& rng,
                                     int n);

} // namespace zorbon
