#pragma once
// The club around the tournaments: who played which archived tournament and how they placed, the
// register's table of players, and the summary of a registration of many names at once.

#include "club/register.h"
#include "tournament/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorbon {

struct PlacedPlayer {
    std::string name;
    int placing = 0;         // the better end of the placing band (7 for "7-8."); 0 while not placed
    std::string placingText; // "7-8.", "1."; empty while not placed
    bool operator==(const PlacedPlayer&) const = default;
};

// The players of one tournament as its state holds them.
struct TournamentPlayers {
    int size = 0; // the bracket it was drawn into; 0 when it never was
    std::vector<PlacedPlayer> players;
};

// Drawn: everybody in the first round with the placing the results list gives; not drawn: the
// registered names (the roster), unplaced.
TournamentPlayers playersOf(const Session& session);

// An archived tournament for the club's tables.
struct ArchivedPlayers {
    std::int64_t id = 0;
    std::string ended; // "2026-12-09 21:40:12"
    TournamentPlayers players;
};

// A line of the register's table.
struct ClubPlayer {
    std::string name;
    int tournaments = 0;    // archived tournaments drawn with him (his merged spellings counted)
    int bestPlacing = 0;    // 0: never placed
    std::string bestText;   // "5-6."
    std::string lastPlayed; // when the last of them ended; empty when none
    std::string lastRegistered;
    bool operator==(const ClubPlayer&) const = default;
};

// One line per registered player, in the register's order.
std::vector<ClubPlayer> clubTable(const std::vector<RegisteredPlayer>& registered,
                                  const std::vector<ArchivedPlayers>& archive, const Aliases& aliases);

// --- Registering many names at once ------------------------------------------------------------

struct SkippedName {
    std::string name;
    std::string reason; // "již registrován"
};

struct ImportSummary {
    int registered = 0;
    std::vector<SkippedName> skipped;
};

// "Registrováno 24 hráčů." or "Registrováno 21 hráčů. Přeskočeno 3: Petr Novák (již registrován), …";
// a long list of skipped names ends after the first ten with how many more there were.
std::string importSummaryText(const ImportSummary& summary);

// Why a name that registration refuses is skipped, in the words of the summary.
std::string skipReason(const std::string& refusal);

} // namespace zorbon
