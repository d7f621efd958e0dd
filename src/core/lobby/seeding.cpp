#include "lobby/seeding.h"

#include "bracket/tables.h"

#include <algorithm>
#include <set>

namespace zorbon {

int seedLimit(int count)
{
    return bracketSizeFor(count) / 4;
}

namespace {

// "nejvýše 4 hráče", "nejvýše 8 hráčů": the form the number asks for.
std::string atMost(int limit)
{
    return "nejvýše " + std::to_string(limit) + (limit >= 2 && limit <= 4 ? " hráče" : " hráčů");
}

std::string limitSentence(int count)
{
    return "Nasadit lze " + atMost(seedLimit(count)) + " (čtvrtinu pavouka " + std::to_string(bracketSizeFor(count)) +
           " hráčů)";
}

} // namespace

std::string seedLimitText(int count)
{
    if (seedLimit(count) == 0)
        return "Při " + std::to_string(count) + " registrovaných hráčích nelze nasazovat.";
    return limitSentence(count) + ". Nasazení č. 1 a č. 2 se mohou potkat až ve finále.";
}

std::vector<std::string> unseeded(const std::vector<std::string>& registered, const std::vector<std::string>& seeds)
{
    std::vector<std::string> out;
    for (const std::string& name : registered)
        if (std::find(seeds.begin(), seeds.end(), name) == seeds.end())
            out.push_back(name);
    return out;
}

Outcome checkSeeds(const std::vector<std::string>& seeds, const std::vector<std::string>& registered, int count)
{
    std::set<std::string> seen;
    for (const std::string& name : seeds) {
        if (std::find(registered.begin(), registered.end(), name) == registered.end())
            return Outcome::refused("Hráč " + name + " není registrován !!!");
        if (!seen.insert(name).second)
            return Outcome::refused("Hráč " + name + " je nasazen dvakrát !!!");
    }
    const int limit = seedLimit(count);
    if (static_cast<int>(seeds.size()) <= limit)
        return Outcome::done();
    if (limit == 0)
        return Outcome::refused("Při " + std::to_string(count) + " registrovaných hráčích nelze nasazovat !!!");
    return Outcome::refused(limitSentence(count) + " !!!");
}

Outcome checkSeeding(const Lobby& lobby)
{
    return lobby.registered.empty() ? Outcome::refused("Nejsou registrováni žádní hráči") : Outcome::done();
}

std::vector<std::string> registeredSeeds(const std::vector<std::string>& registered, std::vector<std::string> seeds)
{
    std::erase_if(seeds, [&registered](const std::string& name) {
        return std::find(registered.begin(), registered.end(), name) == registered.end();
    });
    return seeds;
}

void keepRegisteredSeeds(Lobby& lobby)
{
    lobby.seeds = registeredSeeds(lobby.registered, std::move(lobby.seeds));
}

void seedPlayer(std::vector<std::string>& seeds, const std::string& name)
{
    if (!name.empty() && std::find(seeds.begin(), seeds.end(), name) == seeds.end())
        seeds.push_back(name);
}

void unseedAt(std::vector<std::string>& seeds, int index)
{
    if (index >= 0 && index < static_cast<int>(seeds.size()))
        seeds.erase(seeds.begin() + index);
}

int moveSeed(std::vector<std::string>& seeds, int index, int delta)
{
    const int to = index + delta;
    if (index < 0 || index >= static_cast<int>(seeds.size()) || to < 0 || to >= static_cast<int>(seeds.size()))
        return index;
    std::swap(seeds[static_cast<std::size_t>(index)], seeds[static_cast<std::size_t>(to)]);
    return to;
}

std::vector<std::string> seedsByRanking(const std::vector<std::string>& registered,
                                        const std::vector<std::string>& rankedBestFirst, const Aliases& aliases,
                                        int wanted, int count)
{
    const int limit = seedLimit(count);
    const int n = std::min(wanted > 0 ? wanted : limit, limit);
    std::vector<std::string> out;
    for (const std::string& ranked : rankedBestFirst) {
        if (static_cast<int>(out.size()) >= n)
            break;
        // The registered spelling is what the draw knows; the ranking knows the merged name.
        for (const std::string& name : registered) {
            if (keptName(aliases, name) == ranked && std::find(out.begin(), out.end(), name) == out.end()) {
                out.push_back(name);
                break;
            }
        }
    }
    return out;
}

} // namespace zorbon
