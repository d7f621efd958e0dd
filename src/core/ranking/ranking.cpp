#include "ranking/ranking.h"

#include "bracket/model.h"
#include "ranking/czech.h"
#include "results/standings.h"

#include <algorithm>
#include <map>

namespace zorbon {
namespace {

// "5-6. místo Jan" → 5, 6 and "Jan"; false for a line that is no placing.
bool parsePlacing(const std::string& line, Placing& out)
{
    static constexpr std::string_view kMark = ". místo ";
    const std::size_t at = line.find(kMark);
    if (at == std::string::npos || at == 0)
        return false;
    const std::string band = line.substr(0, at);
    const std::size_t dash = band.find('-');
    try {
        out.from = std::stoi(band.substr(0, dash));
        out.to = dash == std::string::npos ? out.from : std::stoi(band.substr(dash + 1));
    } catch (const std::exception&) {
        return false;
    }
    out.player = line.substr(at + kMark.size());
    return out.from > 0 && out.to >= out.from;
}

int pointsFor(const std::vector<PointsBand>& bands, int from)
{
    for (const PointsBand& b : bands)
        if (from >= b.from && from <= b.to)
            return b.points;
    return 0;
}

} // namespace

const std::vector<PointsBand>& defaultPoints()
{
    static const std::vector<PointsBand> bands{{1, 1, 100},  {2, 2, 70},  {3, 3, 50},  {4, 4, 40},
                                               {5, 6, 30},   {7, 8, 25},  {9, 12, 20}, {13, 16, 15},
                                               {17, 24, 10}, {25, 32, 5}, {33, 48, 3}, {49, 64, 2}};
    return bands;
}

bool validPoints(const std::vector<PointsBand>& bands)
{
    const std::vector<PointsBand>& d = defaultPoints();
    if (bands.size() != d.size())
        return false;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (bands[i].from != d[i].from || bands[i].to != d[i].to || bands[i].points < 0 ||
            bands[i].points > kMaxBandPoints)
            return false;
    return true;
}

std::string bandText(int from, int to)
{
    return from == to ? std::to_string(from) + "." : std::to_string(from) + "-" + std::to_string(to) + ".";
}

std::vector<Placing> placingsOf(const Session& session)
{
    const Bracket* b = session.active();
    if (!b || b->state(b->table().finalNumber()) != BoxState::Finished)
        return {};
    std::vector<Placing> out;
    std::map<std::string, std::size_t> index;
    for (const std::string& line : standings(*b)) {
        Placing p;
        if (!parsePlacing(line, p) || index.contains(p.player))
            continue;
        index[p.player] = out.size();
        out.push_back(std::move(p));
    }
    const AdvancementTable& t = b->table();
    for (const BoxSpec& box : t.boxes) {
        const std::string& upper = b->name(box.upper);
        const std::string& lower = b->name(box.lower);
        if (b->state(box.number) != BoxState::Finished || upper == kBye || lower == kBye)
            continue;
        std::string winner;
        if (box.isFinal()) {
            for (const Placing& p : out)
                if (p.from == 1)
                    winner = p.player;
        } else {
            winner = b->name(box.winnerTo) == upper ? upper : lower;
        }
        if (const auto it = index.find(winner); it != index.end())
            ++out[it->second].wins;
    }
    return out;
}

std::vector<RankingRow> seasonRanking(const std::vector<ArchivedPlacings>& tournaments,
                                      const std::vector<PointsBand>& bands, const Aliases& aliases)
{
    std::map<std::string, RankingRow> byPlayer;
    for (const ArchivedPlacings& t : tournaments) {
        // One line per player and tournament, however many of his spellings played it.
        std::map<std::string, Placing> merged;
        for (const Placing& p : t.placings) {
            const std::string name = keptName(aliases, p.player);
            auto [it, fresh] = merged.try_emplace(name, p);
            if (!fresh) {
                it->second.wins += p.wins;
                if (p.from < it->second.from) {
                    it->second.from = p.from;
                    it->second.to = p.to;
                }
            }
        }
        for (const auto& [name, p] : merged) {
            RankingRow& row = byPlayer[name];
            row.player = name;
            row.points += pointsFor(bands, p.from);
            ++row.tournaments;
            row.wins += p.wins;
            if (row.bestFrom == 0 || p.from < row.bestFrom) {
                row.bestFrom = p.from;
                row.bestTo = p.to;
            }
        }
    }
    std::vector<RankingRow> rows;
    rows.reserve(byPlayer.size());
    for (auto& [name, row] : byPlayer)
        rows.push_back(std::move(row));
    std::sort(rows.begin(), rows.end(), [](const RankingRow& a, const RankingRow& b) {
        if (a.points != b.points)
            return a.points > b.points;
        if (a.wins != b.wins)
            return a.wins > b.wins;
        if (a.bestFrom != b.bestFrom)
            return a.bestFrom < b.bestFrom;
        return czechLess(a.player, b.player);
    });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].rank = i > 0 && rows[i].points == rows[i - 1].points ? rows[i - 1].rank : static_cast<int>(i) + 1;
    return rows;
}

std::string czechDate(const std::string& iso)
{
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return iso;
    try {
        return std::to_string(std::stoi(iso.substr(8, 2))) + ". " + std::to_string(std::stoi(iso.substr(5, 2))) + ". " +
               iso.substr(0, 4);
    } catch (const std::exception&) {
        return iso;
    }
}

std::string rankingTitle(const RankingSheet& sheet)
{
    return "Žebříček " + czechDate(sheet.from) + " – " + czechDate(sheet.to);
}

std::string pointsLine(const std::vector<PointsBand>& bands)
{
    std::string line;
    for (const PointsBand& b : bands)
        line += (line.empty() ? "" : ", ") + bandText(b.from, b.to) + " " + std::to_string(b.points);
    return line;
}

} // namespace zorbon
