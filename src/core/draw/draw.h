#pragma once
// The draw: bracket size by player count, the random first round, byes and what they settle.

#include "bracket/bracket.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// 32-bit linear congruential generator: state := state * 134775813 + 1, pick(r) = (r * state) >> 32.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : m_state(seed) {}
    std::uint32_t pick(std::uint32_t range);
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state;
};

// Low 32 bits of the high-resolution clock, the seed of every real draw.
std::uint32_t clockSeed();

inline constexpr std::string_view kTooFewPlayers = "Je registrováno málo hráčů";
inline constexpr std::string_view kNo64Bracket = "Pavouk 64 hráčů - není zatím k dispozici";
inline constexpr std::string_view kTooManyPlayers = "Je registrováno příliš mnoho hráčů";
// The record counts a different number of players than the list holds.
inline constexpr std::string_view kListMismatch =
    "Počet registrovaných hráčů nesouhlasí se seznamem hráčů, rozlosování nelze provést !!!";

// The lowest MatchNumber the draw leaves undecided for n players (1 when it refuses).
int firstOpenMatchFor(int players);

struct DrawOutcome {
    int size = 0;        // 8, 16 or 32; 0 when the draw was refused
    std::string refusal; // the message to show when refused
};

// "Ano" of the draw dialog: writes the record's start values, resets all three brackets, fills the
// chosen one's first round from `players` (consumed in place: drawn names are removed), settles the
// byes and turns every board of the chosen bracket Off. IoError from the record stops it where it fails.
// A refusal (too few or too many players, or a list that disagrees with the record's count) comes
// after the record's start values and the reset, and leaves the list untouched.
DrawOutcome Draw(Brackets& brackets, std::vector<std::string>& players, Lcg& rng);

} // namespace zorbon
