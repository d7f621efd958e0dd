#include "draw/seeded.h"

#include "lobby/seeding.h"

#include <algorithm>
#include <bit>
#include <optional>

namespace zorbon {

std::pair<int, int> seedGroup(int seed)
{
    if (seed <= 2)
        return {seed, seed};
    const int last = static_cast<int>(std::bit_ceil(static_cast<unsigned>(seed)));
    return {last / 2 + 1, last};
}

std::vector<std::string> seededOrder(std::vector<std::string>& players, const std::vector<std::string>& seeds, Lcg& rng,
                                     int n)
{
    std::vector<std::optional<std::string>> slots(static_cast<std::size_t>(std::max(n, 0)));
    const int limit = seedLimit(n);
    int seed = 0;
    for (const std::string& name : seeds) {
        if (seed >= limit)
            break;
        const auto at = std::find(players.begin(), players.end(), name);
        if (at == players.end())
            continue; // no longer registered: nobody to place
        ++seed;
        const auto [first, last] = seedGroup(seed);
        std::vector<int> free;
        for (int k = first; k <= std::min(last, n); ++k)
            if (!slots[static_cast<std::size_t>(k - 1)])
                free.push_back(k);
        if (free.empty())
            break; // cannot happen within the limit; the rest are drawn like everybody else
        const std::size_t i = free.size() == 1 ? 0 : rng.pick(static_cast<std::uint32_t>(free.size()));
        slots[static_cast<std::size_t>(free[i] - 1)] = std::move(*at);
        players.erase(at);
    }
    // Everybody else as the ordinary draw does it, into the slots left in ascending order.
    auto remaining = static_cast<std::uint32_t>(players.size());
    std::vector<std::string> order;
    order.reserve(slots.size());
    for (auto& slot : slots) {
        if (!slot && remaining > 0) {
            const auto i = static_cast<std::ptrdiff_t>(rng.pick(remaining));
            slot = std::move(players[static_cast<std::size_t>(i)]);
            players.erase(players.begin() + i);
            --remaining;
        }
        order.push_back(slot ? std::move(*slot) : std::string());
    }
    return order;
}

} // namespace zorbon
