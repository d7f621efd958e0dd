#include "club/club.h"

#include "bracket/model.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "results/standings.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>

namespace zorbon {
namespace {

// "7-8. místo " -> 7 and "7-8.".
void placingFrom(std::string_view label, PlacedPlayer& p)
{
    int n = 0;
    std::size_t i = 0;
    for (; i < label.size() && label[i] >= '0' && label[i] <= '9'; ++i)
        n = n * 10 + (label[i] - '0');
    p.placing = n;
    const std::size_t dot = label.find('.');
    p.placingText = std::string(label.substr(0, dot == std::string_view::npos ? label.size() : dot + 1));
}

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

TournamentPlayers playersOf(const Session& s)
{
    TournamentPlayers out;
    const Bracket* b = s.active();
    if (!b) {
        for (const std::string& name : s.roster)
            out.players.push_back({name, 0, {}});
        return out;
    }
    out.size = s.activeSize;
    const AdvancementTable& t = b->table();
    std::unordered_map<std::string, std::size_t> at;
    for (int k = 1; k <= t.size; ++k) {
        const std::string& name = b->name(t.seedSlot(k));
        if (name.empty() || name == kBye || name == kUnknown || at.contains(name))
            continue;
        at.emplace(name, out.players.size());
        out.players.push_back({name, 0, {}});
    }
    std::vector<std::string> lines;
    try {
        lines = standings(*b);
    } catch (const ConvertError&) {
        return out; // a final whose score cannot be read places nobody
    }
    std::vector<std::string_view> labels(t.rules.placeByLosersRound.begin(), t.rules.placeByLosersRound.end());
    labels.emplace_back("2. místo ");
    labels.emplace_back("1. místo ");
    for (const std::string& line : lines) {
        for (const std::string_view label : labels) {
            if (label.empty() || !startsWith(line, label))
                continue;
            if (const auto it = at.find(line.substr(label.size())); it != at.end())
                placingFrom(label, out.players[it->second]);
            break;
        }
    }
    return out;
}

std::vector<ClubPlayer> clubTable(const std::vector<RegisteredPlayer>& registered,
                                  const std::vector<ArchivedPlayers>& archive, const Aliases& aliases)
{
    std::vector<ClubPlayer> out;
    out.reserve(registered.size());
    std::unordered_map<std::string, std::size_t> row;
    for (const RegisteredPlayer& r : registered) {
        row.emplace(r.name, out.size());
        ClubPlayer c;
        c.name = r.name;
        c.lastRegistered = r.lastRegistered;
        out.push_back(std::move(c));
    }
    for (const ArchivedPlayers& a : archive) {
        if (a.players.size == 0)
            continue; // never drawn: nobody played it
        // Two spellings of one player in one tournament count it once.
        std::set<std::size_t> counted;
        for (const PlacedPlayer& p : a.players.players) {
            const auto it = row.find(keptName(aliases, p.name));
            if (it == row.end())
                continue;
            ClubPlayer& c = out[it->second];
            if (counted.insert(it->second).second) {
                ++c.tournaments;
                c.lastPlayed = std::max(c.lastPlayed, a.ended);
            }
            if (p.placing > 0 && (c.bestPlacing == 0 || p.placing < c.bestPlacing)) {
                c.bestPlacing = p.placing;
                c.bestText = p.placingText;
            }
        }
    }
    return out;
}

std::string skipReason(const std::string& refusal)
{
    if (refusal == kAlreadyRegistered)
        return "již registrován";
    if (startsWith(refusal, "Jméno nesmí"))
        return "řídicí znak ve jméně";
    if (startsWith(refusal, "Jméno obsahuje znak"))
        return "znak, který soupiska neuloží";
    if (refusal.find("vyhrazeno") != std::string::npos)
        return "jméno vyhrazené pro pavouka";
    if (startsWith(refusal, "Není zadáno"))
        return "prázdné jméno";
    return refusal;
}

std::string importSummaryText(const ImportSummary& s)
{
    std::string text = "Registrováno " + std::to_string(s.registered) + " hráčů.";
    if (s.skipped.empty())
        return text;
    text += " Přeskočeno " + std::to_string(s.skipped.size()) + ": ";
    constexpr std::size_t kListed = 10;
    for (std::size_t i = 0; i < s.skipped.size() && i < kListed; ++i) {
        if (i)
            text += ", ";
        text += s.skipped[i].name + " (" + s.skipped[i].reason + ")";
    }
    if (s.skipped.size() > kListed)
        text += ", … a " + std::to_string(s.skipped.size() - kListed) + " dalších";
    return text + ".";
}

} // namespace zorbon
