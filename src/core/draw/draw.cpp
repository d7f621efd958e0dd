#include "draw/draw.h"

#include "boards/calling.h"
#include "records/record.h"

#include <chrono>

namespace zorbon {

std::uint32_t Lcg::pick(std::uint32_t range)
{
    m_state = m_state * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(range) * m_state) >> 32);
}

std::uint32_t clockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

int firstOpenMatchFor(int players)
{
    const int size = bracketSizeFor(players);
    if (size == 0 || players == size)
        return 1;
    // Four players in the 8: the byes settle the whole first round and both L1 boxes.
    if (size == 8 && players == 4)
        return 7;
    return 2;
}

namespace {

void placeByes(Bracket& bracket, int players)
{
    const auto& t = bracket.table();
    const int size = t.size;
    for (int j = 1; j <= size - players; ++j) {
        const SlotId byeSlot = t.seedSlot(size + 1 - j);
        const SlotId facing = t.seedSlot(j);
        bracket.setName(byeSlot, std::string(kBye));
        const auto& w1 = t.box(t.slot(facing).box);
        bracket.setName(w1.winnerTo, bracket.name(facing));
        bracket.setName(w1.loserTo, std::string(kBye));
        bracket.setState(w1.number, BoxState::Finished);
        // Two byes meet in L1: that box is settled too, and its "winner" is a bye.
        if (bracket.name(t.partner(w1.loserTo)) == kBye) {
            const auto& l1 = t.box(t.slot(w1.loserTo).box);
            bracket.setName(l1.winnerTo, std::string(kBye));
            bracket.setState(l1.number, BoxState::Finished);
        }
    }
}

// The refusal for this many players and this list, or empty.
std::string_view refusalFor(int n, const std::vector<std::string>& players)
{
    if (n <= 3)
        return kTooFewPlayers;
    if (n > 64)
        return kTooManyPlayers;
    if (n > 32)
        return kNo64Bracket;
    // The list must hold exactly the counted players: fewer would be read past its end, more would
    // leave somebody out of the bracket without a word.
    if (static_cast<int>(players.size()) != n)
        return kListMismatch;
    return {};
}

// The record's values after the draw: no boards, and the first match still open (1 when refused).
void setStartValues(TournamentRecord& record, const std::vector<std::string>& players)
{
    const int n = record.PlayerCount;
    record.BoardCount = 0;
    record.FirstOpenMatch = refusalFor(n, players).empty() ? firstOpenMatchFor(n) : 1;
}

// Resets all three brackets and chooses the size, or refuses.
DrawOutcome chooseSize(Brackets& brackets, const std::vector<std::string>& players, int n)
{
    brackets.b8.reset();
    brackets.b16.reset();
    brackets.b32.reset();
    if (const std::string_view refusal = refusalFor(n, players); !refusal.empty())
        return {0, std::string(refusal)};
    return {bracketSizeFor(n), {}};
}

void fillFirstRound(Bracket& bracket, std::vector<std::string>& players, Lcg& rng, int n)
{
    const auto& t = bracket.table();
    auto remaining = static_cast<std::uint32_t>(n);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::ptrdiff_t>(rng.pick(remaining));
        bracket.setName(t.seedSlot(k), std::move(players[static_cast<std::size_t>(i)]));
        players.erase(players.begin() + i);
        --remaining;
    }
    placeByes(bracket, n);
    SetBoardsOff(bracket);
}

} // namespace

DrawOutcome Draw(Brackets& brackets, std::vector<std::string>& players, Lcg& rng)
{
    TournamentRecord record = ReadRecord();
    const int n = record.PlayerCount;
    // The start values are stored before the count is tested, so a refused draw leaves them too;
    // the first open match follows once the bracket is chosen.
    record.BoardCount = 0;
    record.FirstOpenMatch = 1;
    WriteRecord(record);
    const DrawOutcome out = chooseSize(brackets, players, n);
    if (out.size == 0)
        return out;
    record.FirstOpenMatch = firstOpenMatchFor(n);
    WriteRecord(record);
    fillFirstRound(brackets.bySize(out.size), players, rng, n);
    return out;
}

DrawOutcome Draw(Brackets& brackets, std::vector<std::string>& players, Lcg& rng, TournamentRecord& record)
{
    const int n = record.PlayerCount;
    setStartValues(record, players);
    const DrawOutcome out = chooseSize(brackets, players, n);
    if (out.size != 0)
        fillFirstRound(brackets.bySize(out.size), players, rng, n);
    return out;
}

} // namespace zorbon
