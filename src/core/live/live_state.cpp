#include "live/live_state.h"

#include "boards/calling.h"
#include "records/errors.h"
#include "results/standings.h"

#include <algorithm>
#include <map>

namespace zorbon {
namespace {

bool isPlayer(const std::string& name)
{
    return name != kUnknown && name != kBye;
}

int scoreOf(const Bracket& b, SlotId id)
{
    try {
        return parseInt(b.score(id));
    } catch (const ConvertError&) {
        return 0;
    }
}

LiveMatch matchOf(const Bracket& b, int box)
{
    const BoxSpec& cells = b.table().box(box);
    LiveMatch m;
    m.match = box;
    m.player1 = b.name(cells.upper);
    m.player2 = b.name(cells.lower);
    return m;
}

// Name -> placing label ("5-6. místo"), from the standings as the results list has them.
std::map<std::string, std::string> placingsOf(const Bracket& b)
{
    std::vector<std::string_view> labels{"1. místo ", "2. místo "};
    for (const auto& label : b.table().rules.placeByLosersRound)
        if (!label.empty())
            labels.push_back(label);
    std::vector<std::string> lines;
    try {
        lines = standings(b);
    } catch (const ConvertError&) {
        return {};
    }
    std::map<std::string, std::string> placing;
    for (const std::string& line : lines) {
        std::string_view best;
        for (const auto label : labels)
            if (line.starts_with(label) && label.size() > best.size())
                best = label;
        if (best.empty())
            continue;
        std::string label(best.substr(0, best.size() - 1)); // without its trailing space
        placing[line.substr(best.size())] = std::move(label);
    }
    return placing;
}

void appendNumber(std::string& out, std::int64_t v)
{
    out += std::to_string(v);
}

void appendHeader(std::string& out, const TournamentHeader& h)
{
    out += "{\"nazev\":";
    out += jsonString(h.name);
    out += ",\"misto\":";
    out += jsonString(h.place);
    out += ",\"datum\":";
    out += jsonString(h.date);
    out += '}';
}

void appendPlayers(std::string& out, const LiveMatch& m)
{
    out += "\"hrac1\":";
    out += jsonString(m.player1);
    out += ",\"hrac2\":";
    out += jsonString(m.player2);
}

const char* standingName(PlayerStanding s)
{
    switch (s) {
    case PlayerStanding::Playing:
        return "hraje";
    case PlayerStanding::Waiting:
        return "ceka";
    case PlayerStanding::Out:
        return "vyrazen";
    case PlayerStanding::Winner:
        return "vitez";
    }
    return "ceka";
}

} // namespace

void ResultOrder::clear()
{
    m_size = 0;
    m_order.clear();
    m_listed.clear();
}

void ResultOrder::follow(const Bracket& b)
{
    const int boxes = b.table().boxCount();
    if (m_size != b.size()) {
        // Another bracket: nothing seen before means anything in it.
        clear();
        m_size = b.size();
        m_listed.assign(static_cast<std::size_t>(boxes), false);
    }
    std::erase_if(m_order, [&](int box) {
        if (b.state(box) == BoxState::Finished)
            return false;
        m_listed[static_cast<std::size_t>(box - 1)] = false;
        return true;
    });
    for (int n = 1; n <= boxes; ++n) {
        if (b.state(n) != BoxState::Finished || m_listed[static_cast<std::size_t>(n - 1)])
            continue;
        m_listed[static_cast<std::size_t>(n - 1)] = true;
        m_order.push_back(n);
    }
}

std::vector<int> ResultOrder::latestResults(const Bracket& b, int most) const
{
    std::vector<int> out;
    for (auto it = m_order.rbegin(); it != m_order.rend() && static_cast<int>(out.size()) < most; ++it)
        if (isPlayedResult(b, *it))
            out.push_back(*it);
    return out;
}

bool isPlayedResult(const Bracket& b, int box)
{
    if (!b.table().hasBox(box) || b.state(box) != BoxState::Finished)
        return false;
    const BoxSpec& cells = b.table().box(box);
    if (!isPlayer(b.name(cells.upper)) || !isPlayer(b.name(cells.lower)))
        return false;
    return !(b.score(cells.upper) == kNoScore && b.score(cells.lower) == kNoScore);
}

std::optional<std::string> tournamentWinner(const Bracket& b)
{
    const BoxSpec& fin = b.table().box(b.table().finalNumber());
    if (b.state(fin.number) != BoxState::Finished)
        return std::nullopt;
    // As the result decided it: the lower player wins only with the higher total.
    return b.name(scoreOf(b, fin.lower) > scoreOf(b, fin.upper) ? fin.lower : fin.upper);
}

LiveState liveState(const Session& session, const std::vector<int>& finished)
{
    LiveState s;
    s.header = session.lobby.header;
    const Bracket* b = session.active();
    if (!b) {
        // Before the draw the registered players wait for it.
        for (const std::string& name : session.lobby.registered) {
            LivePlayer p;
            p.name = name;
            s.players.push_back(std::move(p));
        }
        return s;
    }
    const AdvancementTable& t = b->table();
    s.size = t.size;
    for (int n = 1; n <= t.rules.boards; ++n) {
        const Board& board = b->board(n);
        if (board.state == BoardState::Off)
            continue;
        LiveBoard line;
        line.number = n;
        if (board.state == BoardState::Occupied) {
            line.match = board.match;
            line.player1 = board.player1;
            line.player2 = board.player2;
        }
        s.boards.push_back(std::move(line));
    }
    for (const int box : callingOrder(*b))
        s.next.push_back(matchOf(*b, box));
    // NOLINTNEXTLINE(modernize-loop-convert): std::views::reverse does not compile with clang 14 (the fuzz build's)
    for (auto it = finished.rbegin(); it != finished.rend(); ++it) {
        if (!isPlayedResult(*b, *it))
            continue;
        LiveMatch m = matchOf(*b, *it);
        const BoxSpec& cells = t.box(*it);
        m.score1 = scoreOf(*b, cells.upper);
        m.score2 = scoreOf(*b, cells.lower);
        s.results.push_back(std::move(m));
    }
    s.winner = tournamentWinner(*b);

    // Every player of the first round, in seed order; the page sorts them for its list.
    const std::map<std::string, std::string> placing = placingsOf(*b);
    std::vector<std::string> seen;
    for (int k = 1; k <= t.size; ++k) {
        const std::string& name = b->name(t.seedSlot(k));
        if (!isPlayer(name) || std::find(seen.begin(), seen.end(), name) != seen.end())
            continue;
        seen.push_back(name);
        LivePlayer p;
        p.name = name;
        if (s.winner && *s.winner == name) {
            p.standing = PlayerStanding::Winner;
            p.placing = "1. místo";
        } else if (const auto it = placing.find(name); it != placing.end()) {
            p.standing = PlayerStanding::Out;
            p.placing = it->second;
        } else {
            for (const LiveBoard& board : s.boards)
                if (board.match && (board.player1 == name || board.player2 == name)) {
                    p.standing = PlayerStanding::Playing;
                    p.board = board.number;
                    p.match = board.match;
                }
            // Waiting: the one undecided box that holds the name is the next match.
            for (int n = 1; p.standing == PlayerStanding::Waiting && n <= t.boxCount(); ++n) {
                const BoxSpec& cells = t.box(n);
                if (b->state(n) == BoxState::Pending &&
                    (b->name(cells.upper) == name || b->name(cells.lower) == name)) {
                    p.match = n;
                    break;
                }
            }
        }
        s.players.push_back(std::move(p));
    }
    return s;
}

std::string liveJson(const LiveState& s, std::uint64_t version)
{
    std::string out;
    out.reserve(4096);
    out += "{\"turnaj\":";
    appendHeader(out, s.header);
    out += ",\"velikost\":";
    if (s.size)
        appendNumber(out, s.size);
    else
        out += "null";
    out += ",\"terce\":[";
    for (std::size_t i = 0; i < s.boards.size(); ++i) {
        const LiveBoard& b = s.boards[i];
        out += i ? ",{" : "{";
        out += "\"cislo\":";
        appendNumber(out, b.number);
        if (b.match) {
            out += ",\"zapas\":";
            appendNumber(out, b.match);
            out += ',';
            out += "\"hrac1\":";
            out += jsonString(b.player1);
            out += ",\"hrac2\":";
            out += jsonString(b.player2);
        } else {
            out += ",\"volny\":true";
        }
        out += '}';
    }
    out += "],\"dalsi\":[";
    for (std::size_t i = 0; i < s.next.size(); ++i) {
        out += i ? ",{" : "{";
        out += "\"zapas\":";
        appendNumber(out, s.next[i].match);
        out += ',';
        appendPlayers(out, s.next[i]);
        out += '}';
    }
    out += "],\"vysledky\":[";
    for (std::size_t i = 0; i < s.results.size(); ++i) {
        const LiveMatch& m = s.results[i];
        out += i ? ",{" : "{";
        out += "\"zapas\":";
        appendNumber(out, m.match);
        out += ',';
        appendPlayers(out, m);
        out += ",\"skore1\":";
        appendNumber(out, m.score1);
        out += ",\"skore2\":";
        appendNumber(out, m.score2);
        out += '}';
    }
    out += "],\"hraci\":[";
    for (std::size_t i = 0; i < s.players.size(); ++i) {
        const LivePlayer& p = s.players[i];
        out += i ? ",{" : "{";
        out += "\"jmeno\":";
        out += jsonString(p.name);
        out += ",\"stav\":\"";
        out += standingName(p.standing);
        out += '"';
        if (p.board) {
            out += ",\"terc\":";
            appendNumber(out, p.board);
        }
        if (p.match) {
            out += ",\"zapas\":";
            appendNumber(out, p.match);
        }
        if (!p.placing.empty()) {
            out += ",\"misto\":";
            out += jsonString(p.placing);
        }
        out += '}';
    }
    out += "],\"vitez\":";
    out += s.winner ? jsonString(*s.winner) : std::string("null");
    out += ",\"verze\":";
    out += std::to_string(version);
    out += '}';
    return out;
}

std::string jsonString(std::string_view text)
{
    static const char* const hex = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    const auto escape = [&](unsigned code) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(code >> shift) & 0xF];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '"')
                out += "\\\"";
            else if (c == '\\')
                out += "\\\\";
            else if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x7F)
                escape(c);
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        // A whole, shortest-form UTF-8 sequence is copied; anything else is one U+FFFD per byte.
        std::size_t len = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        std::uint32_t code = len == 4 ? c & 0x07u : len == 3 ? c & 0x0Fu : c & 0x1Fu;
        for (std::size_t k = 1; len && k < len; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                len = 0;
                break;
            }
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        const bool valid = len && !(len == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) &&
                           !(len == 4 && (code < 0x10000 || code > 0x10FFFF));
        if (!valid) {
            escape(0xFFFD);
            ++i;
            continue;
        }
        if (code == 0x2028 || code == 0x2029)
            escape(code);
        else
            out.append(text.substr(i, len));
        i += len;
    }
    out += '"';
    return out;
}

} // namespace zorbon
