#pragma once
// The season ranking: points for the placings in the archived tournaments of a period, added up per
// player (merged spellings as one), ranked with shared ranks for equal points. Pure rules.

#include "ranking/aliases.h"
#include "tournament/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorbon {

// Points for the placings place_from … place_to ("5-6." is 5 … 6).
struct PointsBand {
    int from = 0;
    int to = 0;
    int points = 0;
    bool operator==(const PointsBand&) const = default;
};

// 1. 100, 2. 70, 3. 50, 4. 40, 5-6. 30, 7-8. 25, 9-12. 20, 13-16. 15, 17-24. 10, 25-32. 5, 33-48. 3,
// 49-64. 2.
const std::vector<PointsBand>& defaultPoints();

// The most points one placing may be given in the window.
inline constexpr int kMaxBandPoints = 100000;

// Points stored by an operator (or read from a file): refused unless they are the default bands in
// their order with points 0 … kMaxBandPoints.
bool validPoints(const std::vector<PointsBand>& bands);

// "1." or "5-6."
std::string bandText(int from, int to);

// One player's result in one archived tournament.
struct Placing {
    std::string player;
    int from = 0; // 5 for "5-6. místo "
    int to = 0;
    int wins = 0; // matches won against a player (byes and walkovers are no wins)
    bool operator==(const Placing&) const = default;
};

// The placings and wins of a tournament whose state this is; empty before its final is decided.
std::vector<Placing> placingsOf(const Session& session);

// An archived tournament that counts.
struct ArchivedPlacings {
    std::int64_t tournament = 0;
    std::vector<Placing> placings;
};

struct RankingRow {
    int rank = 0; // shared by equal points: 1, 2, 3, 3, 5
    std::string player;
    int points = 0;
    int tournaments = 0;
    int wins = 0;
    int bestFrom = 0;
    int bestTo = 0;
    bool operator==(const RankingRow&) const = default;
};

// The ranking over these tournaments: by points, then more wins, better best placing and the name
// in Czech order. A player's spellings count as the name they were merged into; should two of them
// have played one tournament, it counts once, with the better placing and the wins of both.
std::vector<RankingRow> seasonRanking(const std::vector<ArchivedPlacings>& tournaments,
                                      const std::vector<PointsBand>& bands, const Aliases& aliases);

// "2026-12-09" as "9. 12. 2026"; any other text as it is.
std::string czechDate(const std::string& isoDate);

// What the ranking window shows, prints and exports.
struct RankingSheet {
    std::string from; // "2026-01-01"
    std::string to;
    std::vector<PointsBand> bands;
    std::vector<RankingRow> rows;
};

// "Žebříček 1. 1. 2026 – 9. 12. 2026"
std::string rankingTitle(const RankingSheet& sheet);
// "1. 100, 2. 70, 3. 50, …"
std::string pointsLine(const std::vector<PointsBand>& bands);

} // namespace zorbon
