#include "bracket/generated_table.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace zorbon {
namespace {

constexpr int kFirstRoundBoxes = 32;
constexpr int kWinnersRounds = 6; // 32, 16, 8, 4, 2, 1 boxes
constexpr int kLosersRounds = 10; // 16, 16, 8, 8, 4, 4, 2, 2, 1, 1 boxes
constexpr int kPlayers = 2 * kFirstRoundBoxes;

// Where the losers of W1 .. W6 enter: L1 in order, L2 reversed, L4 reversed within each half, L6
// with its halves swapped, L8 in order, L10. Two players who met are kept apart until L7.
constexpr Crossover kDropIn[kWinnersRounds] = {Crossover::Natural,          Crossover::Reversed,
                                               Crossover::ReversedInHalves, Crossover::HalvesSwapped,
                                               Crossover::Natural,          Crossover::Natural};

std::string str(int v)
{
    return std::to_string(v);
}

int winnersBoxes(int r)
{
    return kFirstRoundBoxes >> (r - 1);
}

int losersBoxes(int q)
{
    return (kFirstRoundBoxes / 2) >> ((q - 1) / 2);
}

// The losers' round that the losers of winners' round r enter.
int dropRound(int r)
{
    return r == 1 ? 1 : 2 * (r - 1);
}

// Name cell at a position of a later winners' round ("Lab" + column + position + "P") or of a
// losers' round ("Lab" + round + position + "L").
std::string winnersSlot(int r, int pos)
{
    return "Lab" + str(r - 1) + str(pos) + "P";
}

std::string losersSlot(int q, int pos)
{
    return "Lab" + str(q) + str(pos) + "L";
}

int crossed(Crossover c, int i, int count)
{
    switch (c) {
    case Crossover::Natural:
        return i;
    case Crossover::Reversed:
        return count + 1 - i;
    case Crossover::ReversedInHalves: {
        const int half = std::max(1, count / 2);
        return (i - 1) / half * half + half - (i - 1) % half;
    }
    case Crossover::HalvesSwapped: {
        const int half = std::max(1, count / 2);
        return (i - 1 + half) % count + 1;
    }
    }
    return i;
}

std::string winnersWinnerTo(int r, int i)
{
    return r == kWinnersRounds ? "LabF1" : winnersSlot(r + 1, i);
}

// A losers' box whose round takes drop-ins (even) sends its winner on beside another winner; an odd
// round's winner meets a drop-in in the same position of the next round.
std::string losersWinnerTo(int q, int i)
{
    if (q == kLosersRounds)
        return "LabF2";
    return q % 2 == 1 ? losersSlot(q + 1, 2 * i - 1) : losersSlot(q + 1, i);
}

// Side (0 winners, 1 losers, 2 final), round, box index from the top.
using Key = std::tuple<int, int, int>;

std::map<Key, int> matchNumbers()
{
    std::map<Key, int> number;
    int next = 1;
    auto take = [&](int side, int round) {
        const int count = side == 0 ? winnersBoxes(round) : losersBoxes(round);
        for (int i = 1; i <= count; ++i)
            number[{side, round, i}] = next++;
    };
    // The first round, then W2 and L1 box by box, then L2: each round before the boxes that wait on
    // it, and from there a winners' round with the two losers' rounds it feeds.
    take(0, 1);
    for (int i = 1; i <= winnersBoxes(2); ++i) {
        number[{1, 1, i}] = next++;
        number[{0, 2, i}] = next++;
    }
    take(1, 2);
    for (int r = 3; r <= kWinnersRounds; ++r) {
        take(0, r);
        take(1, 2 * r - 3);
        take(1, 2 * r - 2);
    }
    number[{2, 0, 1}] = next;
    return number;
}

} // namespace

std::vector<int> seedOrder(int boxes)
{
    std::vector<int> order{1};
    while (static_cast<int>(order.size()) < boxes) {
        const int players = 2 * static_cast<int>(order.size()) + 1;
        std::vector<int> next;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const int s = order[i];
            if (i % 2 == 0) {
                next.push_back(s);
                next.push_back(players - s);
            } else {
                next.push_back(players - s);
                next.push_back(s);
            }
        }
        order = std::move(next);
    }
    return order;
}

std::vector<GeneratedRow> generate64()
{
    const std::map<Key, int> number = matchNumbers();
    const std::vector<int> seeds = seedOrder(kFirstRoundBoxes);
    // A first-round box can hold a bye when its lower seed lies past the fewest players of this size.
    auto byePossible = [&](int box) {
        return kPlayers + 1 - seeds[static_cast<std::size_t>(box - 1)] > kPlayers / 2 + 1;
    };

    std::vector<GeneratedRow> rows(number.size());
    auto row = [&](int side, int round, int i) -> GeneratedRow& {
        const int n = number.at({side, round, i});
        GeneratedRow& r = rows[static_cast<std::size_t>(n - 1)];
        r.number = n;
        return r;
    };

    for (int r = 1; r <= kWinnersRounds; ++r) {
        const int q = dropRound(r);
        for (int i = 1; i <= winnersBoxes(r); ++i) {
            GeneratedRow& g = row(0, r, i);
            g.round = std::string("W").append(str(r));
            if (r == 1) {
                const int upper = seeds[static_cast<std::size_t>(i - 1)];
                g.upper = "Lab" + str(upper);
                g.lower = "Lab" + str(kPlayers + 1 - upper);
                g.frame = "Shape" + str(i);
            } else {
                g.upper = winnersSlot(r, 2 * i - 1);
                g.lower = winnersSlot(r, 2 * i);
                g.frame = "Shape" + str(r - 1) + str(i) + "P";
            }
            g.winnerTo = winnersWinnerTo(r, i);
            // The box and the slot the loser enters.
            const int m = r == 1 ? (i + 1) / 2 : crossed(kDropIn[r - 1], i, losersBoxes(q));
            const int pos = r == 1 ? i : 2 * m;
            g.loserTo = losersSlot(q, pos);
            const int other = r == 1 ? (i % 2 == 1 ? i + 1 : i - 1) : 2 * m - 1;
            // Byes reach the losers' side only through L1 and, where two meet there, the upper slot
            // of L2: a loser entering either may walk over, as in the 32.
            const bool walkover = r == 1 || (r == 2 && byePossible(2 * m - 1) && byePossible(2 * m));
            if (walkover) {
                g.rule = WalkoverRule::OtherSlotBye;
                g.other = losersSlot(q, other);
                g.target = losersWinnerTo(q, m);
                g.enteredBox = number.at({1, q, m});
            }
        }
    }
    for (int q = 1; q <= kLosersRounds; ++q)
        for (int i = 1; i <= losersBoxes(q); ++i) {
            GeneratedRow& g = row(1, q, i);
            g.round = std::string("L").append(str(q));
            g.upper = losersSlot(q, 2 * i - 1);
            g.lower = losersSlot(q, 2 * i);
            g.frame = "Shape" + str(q) + str(i) + "L";
            g.winnerTo = losersWinnerTo(q, i);
        }
    GeneratedRow& f = row(2, 0, 1);
    f.round = "F";
    f.upper = "LabF1";
    f.lower = "LabF2";
    f.frame = "Shape" + str(kWinnersRounds) + "1P";
    return rows;
}

std::string describeTable(const AdvancementTable& t)
{
    auto cell = [&](SlotId id) {
        if (id == kNoSlot)
            return std::string();
        return "`" + t.slot(id).name + "` (no. " + str(t.slot(id).box) + ")";
    };
    std::string out = "| No. | Round | Upper slot | Lower slot | Frame | Winner to | Loser to | Walkover |\n"
                      "|---|---|---|---|---|---|---|---|\n";
    for (const BoxSpec& b : t.boxes) {
        const std::string round =
            b.round.side == Side::Final ? "F" : (b.round.side == Side::Winners ? "W" : "L") + str(b.round.number);
        out += "| " + str(b.number) + " | " + round + " | `" + t.slot(b.upper).name + "` | `" + t.slot(b.lower).name +
               "` | `" + std::string(b.frame) + "` | ";
        out += b.isFinal() ? "tournament winner" : cell(b.winnerTo);
        out += " | " + (b.loserTo == kNoSlot ? (b.isFinal() ? std::string("—") : std::string("out")) : cell(b.loserTo));
        out += " | ";
        const Walkover& w = b.walkover;
        if (w.rule == WalkoverRule::OtherSlotBye)
            out += "`" + t.slot(w.other).name + "` reads \"Volný los\": also to " + cell(w.target) + "; no. " +
                   str(w.enteredBox) + " Finished";
        else if (w.rule == WalkoverRule::FewerPlayers)
            out += "fewer than " + str(w.threshold) + " players: also to " + cell(w.target) + "; no. " +
                   str(w.enteredBox) + " Finished";
        out += " |\n";
    }
    return out;
}

} // namespace zorbon
