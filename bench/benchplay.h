#pragma once
// Whole tournaments played through the command layer, for the benchmarks that need one.

#include "boards/calling.h"
#include "tournament/tournament.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

using namespace zorbon;

inline std::vector<std::string> playerNames(int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Hráč " + std::to_string(i) + (i % 3 == 0 ? " Čermák" : " Novák"));
    return names;
}

// The header the benchmarks' tournaments are registered under, unless their own matters.
inline const TournamentHeader kHeader{"Velká cena Brna", "Hospoda U Šípku", "1. 5. 2024"};

// A new tournament under `header` with `names` registered, through the command layer; false when a
// step was refused.
inline bool registerTournament(Tournament& t, const TournamentHeader& header, const std::vector<std::string>& names)
{
    if (!t.acceptNewTournament(header).ok())
        return false;
    for (const auto& name : names)
        if (!t.addPlayer(name).ok())
            return false;
    return true;
}

// Registered as above, then drawn with `seed` on `boards` boards; false when a step was refused.
inline bool drawTournament(Tournament& t, const TournamentHeader& header, const std::vector<std::string>& names,
                           std::uint32_t seed, int boards)
{
    return registerTournament(t, header, names) && t.draw(seed).ok() &&
           t.setBoardCount(boards, Tournament::BoardCountFrom::Draw).ok();
}

// A whole tournament through the command layer: registration, the draw, the board count, every
// "Hraj", every result, the standings and (with `close`) the close. Returns the commands committed,
// or -1 when it did not end with everyone placed.
inline int playTournament(Tournament& t, const std::vector<std::string>& names, std::uint32_t seed, std::uint32_t& dice,
                          bool close)
{
    const int n = static_cast<int>(names.size());
    const std::size_t before = t.history().entries().size();
    if (!registerTournament(t, kHeader, names))
        return -1;
    if (!t.check(Command::Rozlosuj).ok() || !t.draw(seed).ok())
        return -1;
    if (!t.setBoardCount(boardLimitFor(n), Tournament::BoardCountFrom::Draw).ok())
        return -1;
    const Bracket& b = *t.session().active();
    int announcements = 0;
    const Say say = [&announcements](const std::string&) { ++announcements; };
    const int finalNo = b.table().finalNumber();
    for (int guard = 0; b.state(finalNo) != BoxState::Finished; ++guard) {
        if (guard > 200)
            return -1;
        if (!t.callReadyMatches(say).ok())
            return -1;
        for (int k = 1; k <= b.boardCount(); ++k) {
            if (b.board(k).state != BoardState::Occupied)
                continue;
            dice = dice * 1664525u + 1013904223u;
            const bool upperWins = (dice >> 31) != 0;
            if (!t.enterResult(k, upperWins ? "3" : "1", upperWins ? "1" : "3").ok())
                return -1;
        }
    }
    if (!t.showStandings().ok())
        return -1;
    if (static_cast<int>(t.session().placings.size()) != n)
        return -1;
    const int commands = static_cast<int>(t.history().entries().size() - before);
    if (close && !t.closeTournament().ok())
        return -1;
    return announcements > 0 ? commands : -1;
}

} // namespace bench
