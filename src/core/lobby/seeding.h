#pragma once
// Seeding before the draw: who may be seeded and how many, and the editing of the seed list that the
// seeding window offers. Pure rules on the lobby's lists.

#include "lobby/lobby.h"
#include "outcome.h"
#include "ranking/aliases.h"

#include <string>
#include <vector>

namespace zorbon {

// The most seeds a draw of `count` players takes: a quarter of the bracket it draws into (0 when
// that count makes no bracket).
int seedLimit(int count);

// What the seeding window says of the limit for this count: "Nasadit lze nejvýše 4 hráče (čtvrtinu
// pavouka 16 hráčů)." or that this count allows no seeds.
std::string seedLimitText(int count);

// The registered players that are not seeded, in registration order.
std::vector<std::string> unseeded(const std::vector<std::string>& registered, const std::vector<std::string>& seeds);

// "OK" of the seeding window: every seed registered, none twice, at most seedLimit(count).
Outcome checkSeeds(const std::vector<std::string>& seeds, const std::vector<std::string>& registered, int count);

// The seeding window being opened: refused while nobody is registered.
Outcome checkSeeding(const Lobby& lobby);

// The seeds that are still registered, in their order (a removed player loses his seed).
std::vector<std::string> registeredSeeds(const std::vector<std::string>& registered, std::vector<std::string> seeds);
void keepRegisteredSeeds(Lobby& lobby);

// --- The seed list being edited --------------------------------------------------------------------

// The player becomes the last seed (nothing happens for an empty name or one already seeded).
void seedPlayer(std::vector<std::string>& seeds, const std::string& name);
// Seed `index` (0 = seed 1) is no longer seeded.
void unseedAt(std::vector<std::string>& seeds, int index);
// Seed `index` moves one place up (delta -1) or down (+1); returns its new index.
int moveSeed(std::vector<std::string>& seeds, int index, int delta);

// The registered players best placed in a ranking (its names best first; a registered spelling
// counts as the name it was merged into): `wanted` of them, or a quarter of the bracket when 0, and
// never more than the ranking holds.
std::vector<std::string> seedsByRanking(const std::vector<std::string>& registered,
                                        const std::vector<std::string>& rankedBestFirst, const Aliases& aliases,
                                        int wanted, int count);

} // namespace zorbon
