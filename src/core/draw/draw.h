#pragma once
// The draw: bracket size by player count, the random first round, byes and what they settle.
// Pure rules: the command layer reads and writes the record around them.

#include "bracket/bracket.h"
#include "outcome.h"
#include "records/record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// 32-bit linear congruential generator: state := state * 134775813 + 1, pick(r) = (r * state) >> 32.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed)
        : m_state(seed)
    {
    }
    std::uint32_t pick(std::uint32_t range);
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state;
};

// Low 32 bits of the high-resolution clock, the seed of every real draw.
std::uint32_t clockSeed();

inline constexpr std::string_view kTooFewPlayers = "Je registrováno málo hráčů";
inline constexpr std::string_view kTooManyPlayers = "Je registrováno příliš mnoho hráčů";
// The record counts a different number of players than the list holds.
inline constexpr std::string_view kListMismatch =
    "Počet registrovaných hráčů nesouhlasí se seznamem hráčů, rozlosování nelze provést !!!";

// The lowest MatchNumber the draw leaves undecided for n players (1 when it refuses).
int firstOpenMatchFor(int players);

// The values every draw stores first, before the player count is tested: no boards, match 1.
void setDrawStartValues(TournamentRecord& record);

// Resets every bracket, then chooses the bracket for n players and this list: its size, or
// refused (too few or too many players, or a list that disagrees with the count; the list stays).
Outcome chooseBracket(Brackets& brackets, const std::vector<std::string>& players, int n, int& size);

// Fills the first round of the chosen bracket from `players` (consumed in place: each drawn name is
// removed), settles the byes and turns every board Off. With seeds they are placed first
// (draw/seeded.h); without, the draw is the ordinary one, pick for pick.
void fillFirstRound(Bracket& bracket, std::vector<std::string>& players, Lcg& rng, int n,
                    const std::vector<std::string>& seeds = {});

} // namespace zorbon
