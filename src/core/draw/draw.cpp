#include "draw/draw.h"

#include "boards/calling.h"
#include "draw/seeded.h"

#include <array>
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

namespace {

// The largest field a bracket takes.
constexpr int kMostPlayers = kBracketSizes.back();

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
    // The list must hold exactly the counted players: fewer would be read past its end, more would
    // leave somebody out of the bracket without a word.
    if (static_cast<int>(players.size()) != n)
        return kListMismatch;
    return {};
}

} // namespace

int firstOpenMatchFor(int players)
{
    // The lowest box the byes leave undecided, found by placing them in a bracket of that size
    // (with four players in the 8 they settle the whole first round and both L1 boxes); worked out
    // once for every count, since each draw asks and the answer never changes.
    static const std::array<int, kMostPlayers + 1> firstOpen = [] {
        std::array<int, kMostPlayers + 1> first{};
        for (int n = 0; n <= kMostPlayers; ++n) {
            first[static_cast<std::size_t>(n)] = 1;
            const int size = bracketSizeFor(n);
            if (size == 0)
                continue;
            Bracket scratch(size);
            placeByes(scratch, n);
            for (int number = 1; number <= scratch.table().boxCount(); ++number)
                if (scratch.state(number) != BoxState::Finished) {
                    first[static_cast<std::size_t>(n)] = number;
                    break;
                }
        }
        return first;
    }();
    return players >= 0 && players <= kMostPlayers ? firstOpen[static_cast<std::size_t>(players)] : 1;
}

void setDrawStartValues(TournamentRecord& record)
{
    record.BoardCount = 0;
    record.FirstOpenMatch = 1;
}

Outcome chooseBracket(Brackets& brackets, const std::vector<std::string>& players, int n, int& size)
{
    for (Bracket& b : brackets.all)
        b.reset();
    size = 0;
    if (const std::string_view refusal = refusalFor(n, players); !refusal.empty())
        return Outcome::refused(std::string(refusal));
    size = bracketSizeFor(n);
    return Outcome::done();
}

void fillFirstRound(Bracket& bracket, std::vector<std::string>& players, Lcg& rng, int n,
                    const std::vector<std::string>& seeds)
{
    const auto& t = bracket.table();
    if (!seeds.empty()) {
        std::vector<std::string> order = seededOrder(players, seeds, rng, n);
        for (int k = 1; k <= n; ++k)
            bracket.setName(t.seedSlot(k), std::move(order[static_cast<std::size_t>(k - 1)]));
        placeByes(bracket, n);
        setBoardsOff(bracket);
        return;
    }
    // The players not yet drawn, by their place in the list: taking one out shifts numbers, not names.
    std::vector<int> left(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        left[static_cast<std::size_t>(i)] = i;
    auto remaining = static_cast<std::uint32_t>(n);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::ptrdiff_t>(rng.pick(remaining));
        bracket.setName(t.seedSlot(k), players[static_cast<std::size_t>(left[static_cast<std::size_t>(i)])]);
        left.erase(left.begin() + i);
        --remaining;
    }
    // The first n names are all in the bracket now and leave the list, as each draw took its name out.
    players.erase(players.begin(), players.begin() + n);
    placeByes(bracket, n);
    setBoardsOff(bracket);
}

} // namespace zorbon
