#include "tournament/state_codec.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace zorbon {
namespace {

// "ZBS" and the format's version. Every older version is still read: a journal keeps its states.
// 1: the first; 2: adds the seeds.
constexpr std::string_view kMagicStem{"ZBS", 3};
constexpr std::size_t kMagicBytes = 4;
constexpr std::uint8_t kFormat = 2;
constexpr std::size_t kChecksumBytes = 8;

// Numbers as variable-length integers and every string once: a 32-player state names each player
// in up to a dozen cells, lists and boards.
class Writer {
public:
    explicit Writer(std::uint8_t format)
    {
        m_out.append(kMagicStem);
        m_out.push_back(static_cast<char>(format));
    }
    void number(std::uint64_t v)
    {
        while (v >= 0x80) {
            m_out.push_back(static_cast<char>(v | 0x80));
            v >>= 7;
        }
        m_out.push_back(static_cast<char>(v));
    }
    void integer(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        number((u << 1) ^ static_cast<std::uint32_t>(v >> 31)); // zigzag: small negatives stay short
    }
    void text(const std::string& s)
    {
        if (const auto it = m_seen.find(s); it != m_seen.end()) {
            number(it->second * 2 + 1);
            return;
        }
        m_seen.emplace(s, m_seen.size());
        number(s.size() * 2);
        m_out += s;
    }
    void texts(const std::vector<std::string>& list)
    {
        number(list.size());
        for (const auto& s : list)
            text(s);
    }
    std::string finish()
    {
        const std::uint64_t sum = stateChecksum(m_out);
        for (std::size_t i = 0; i < kChecksumBytes; ++i)
            m_out.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
        return std::move(m_out);
    }

private:
    std::string m_out;
    std::unordered_map<std::string, std::uint64_t> m_seen;
};

// Reads what Writer wrote; any inconsistency makes ok() false and every later read a harmless zero.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : m_in(bytes)
    {
    }
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_in.size(); }
    bool fail()
    {
        m_ok = false;
        return false;
    }
    std::uint64_t number()
    {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (!m_ok || m_pos >= m_in.size())
                return fail(), 0;
            const auto b = static_cast<unsigned char>(m_in[m_pos++]);
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80))
                return v;
        }
        return fail(), 0;
    }
    std::int32_t integer()
    {
        const std::uint64_t z = number();
        if (z > 0xFFFFFFFFull)
            return fail(), 0;
        const auto u = static_cast<std::uint32_t>(z);
        return static_cast<std::int32_t>((u >> 1) ^ (0u - (u & 1u)));
    }
    // A count of items that each take at least one byte, so a damaged count cannot ask for more
    // memory than the bytes could describe.
    std::size_t count()
    {
        const std::uint64_t n = number();
        if (n > m_in.size() - m_pos)
            return fail(), 0;
        return static_cast<std::size_t>(n);
    }
    std::string text()
    {
        const std::uint64_t tag = number();
        if (!m_ok)
            return {};
        if (tag & 1) {
            const std::uint64_t index = tag >> 1;
            if (index >= m_seen.size())
                return fail(), std::string();
            return m_seen[static_cast<std::size_t>(index)];
        }
        const std::uint64_t length = tag >> 1;
        if (length > m_in.size() - m_pos)
            return fail(), std::string();
        std::string s(m_in.substr(m_pos, static_cast<std::size_t>(length)));
        m_pos += static_cast<std::size_t>(length);
        m_seen.push_back(s);
        return s;
    }
    std::vector<std::string> texts()
    {
        std::vector<std::string> list(count());
        for (auto& s : list)
            s = text();
        return list;
    }
    std::uint8_t byte()
    {
        const std::uint64_t n = number();
        if (n > 0xFF)
            return fail(), 0;
        return static_cast<std::uint8_t>(n);
    }

private:
    std::string_view m_in;
    std::size_t m_pos = 0;
    bool m_ok = true;
    std::vector<std::string> m_seen;
};

void writeHeader(Writer& w, const TournamentHeader& h)
{
    w.text(h.name);
    w.text(h.place);
    w.text(h.date);
}

TournamentHeader readHeader(Reader& r)
{
    TournamentHeader h;
    h.name = r.text();
    h.place = r.text();
    h.date = r.text();
    return h;
}

void writeBracket(Writer& w, const Bracket& b)
{
    const AdvancementTable& t = b.table();
    for (SlotId id = 0; id < static_cast<SlotId>(t.slotSpecs.size()); ++id) {
        w.text(b.name(id));
        w.text(b.score(id));
    }
    for (int n = 1; n <= t.boxCount(); ++n)
        w.number(static_cast<std::uint64_t>(b.state(n)));
    for (int n = 1; n <= b.boardCount(); ++n) {
        const Board& board = b.board(n);
        w.number(static_cast<std::uint64_t>(board.state));
        w.integer(board.match);
        w.text(board.player1);
        w.text(board.player2);
    }
    w.text(b.winnerLine);
    w.text(b.porazeny);
}

// The rules every saved bracket obeys; a state that breaks one could strand a match or crash a rule.
bool readBracket(Reader& r, Bracket& b)
{
    const AdvancementTable& t = b.table();
    for (SlotId id = 0; id < static_cast<SlotId>(t.slotSpecs.size()); ++id) {
        b.setName(id, r.text());
        b.setScore(id, r.text());
    }
    for (int n = 1; n <= t.boxCount(); ++n) {
        const std::uint8_t s = r.byte();
        if (s > static_cast<std::uint8_t>(BoxState::Finished))
            return r.fail();
        b.setState(n, static_cast<BoxState>(s));
    }
    std::vector<int> boardsOfBox(static_cast<std::size_t>(t.boxCount() + 1), 0);
    for (int n = 1; n <= b.boardCount(); ++n) {
        Board& board = b.board(n);
        const std::uint8_t s = r.byte();
        if (s > static_cast<std::uint8_t>(BoardState::Occupied))
            return r.fail();
        board.state = static_cast<BoardState>(s);
        board.match = r.integer();
        board.player1 = r.text();
        board.player2 = r.text();
        if (n > t.rules.boards && board.state != BoardState::Off)
            return r.fail(); // places on the panel that no call uses stay out of play
        if (board.state == BoardState::Occupied) {
            if (!t.hasBox(board.match) || b.state(board.match) != BoxState::OnBoard)
                return r.fail();
            ++boardsOfBox[static_cast<std::size_t>(board.match)];
        } else if (board.match != 0 || !board.player1.empty() || !board.player2.empty()) {
            return r.fail();
        }
    }
    // Every called box is on exactly one board, or its result could never be entered.
    for (int n = 1; n <= t.boxCount(); ++n)
        if ((b.state(n) == BoxState::OnBoard) != (boardsOfBox[static_cast<std::size_t>(n)] == 1))
            return r.fail();
    b.winnerLine = r.text();
    b.porazeny = r.text();
    return r.ok();
}

} // namespace

std::uint64_t stateChecksum(std::string_view bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

namespace {

std::string encodeAs(const Session& s, std::uint8_t format)
{
    Writer w(format);
    const Lobby& l = s.lobby;
    writeHeader(w, l.header);
    writeHeader(w, l.newTournamentFields);
    w.texts(l.registered);
    w.texts(l.registrationList);
    w.integer(l.count);
    w.number(l.shownCount ? 1 : 0);
    w.integer(l.shownCount.value_or(0));
    w.texts(s.placings);
    w.texts(s.displayed);
    w.integer(s.boardCountChoice);
    w.integer(s.record.PlayerCount);
    w.integer(s.record.FirstOpenMatch);
    w.integer(s.record.BoardCount);
    w.integer(s.record.Reserved);
    w.texts(s.roster);
    w.integer(s.activeSize);
    if (const Bracket* b = s.active())
        writeBracket(w, *b);
    if (format >= 2)
        w.texts(l.seeds);
    return w.finish();
}

// The format version of a state's bytes, or 0 when they are none of ours.
std::uint8_t formatOf(std::string_view bytes)
{
    if (bytes.size() < kMagicBytes || bytes.substr(0, kMagicStem.size()) != kMagicStem)
        return 0;
    const auto v = static_cast<std::uint8_t>(bytes[kMagicStem.size()]);
    return v >= 1 && v <= kFormat ? v : 0;
}

} // namespace

std::string encodeState(const Session& s)
{
    return encodeAs(s, kFormat);
}

bool equalStates(std::string_view current, std::string_view stored)
{
    if (current == stored)
        return true;
    // A state an older program stored reads as the same when it holds the same tournament.
    if (formatOf(stored) == kFormat || formatOf(stored) == 0)
        return false;
    const std::optional<Session> old = decodeState(stored);
    return old && encodeState(*old) == current;
}

std::optional<Session> decodeState(std::string_view bytes)
{
    const std::uint8_t format = formatOf(bytes);
    if (format == 0 || bytes.size() < kMagicBytes + kChecksumBytes)
        return std::nullopt;
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumBytes);
    std::uint64_t stored = 0;
    for (std::size_t i = 0; i < kChecksumBytes; ++i)
        stored |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[body.size() + i])) << (8 * i);
    if (stored != stateChecksum(body))
        return std::nullopt;

    Reader r(body.substr(kMagicBytes));
    Session s;
    Lobby& l = s.lobby;
    l.header = readHeader(r);
    l.newTournamentFields = readHeader(r);
    l.registered = r.texts();
    l.registrationList = r.texts();
    l.count = r.integer();
    const bool shown = r.number() == 1;
    const std::int32_t shownCount = r.integer();
    if (shown)
        l.shownCount = shownCount;
    s.placings = r.texts();
    s.displayed = r.texts();
    s.boardCountChoice = r.integer();
    if (s.boardCountChoice < 0 || s.boardCountChoice > kMostBoards)
        return std::nullopt;
    s.record.PlayerCount = r.integer();
    s.record.FirstOpenMatch = r.integer();
    s.record.BoardCount = r.integer();
    s.record.Reserved = r.integer();
    s.roster = r.texts();
    s.activeSize = r.integer();
    if (!r.ok() || (s.activeSize != 0 && !isBracketSize(s.activeSize)))
        return std::nullopt;
    if (Bracket* b = s.active(); b && !readBracket(r, *b))
        return std::nullopt;
    if (format >= 2)
        l.seeds = r.texts();
    if (!r.ok() || !r.atEnd())
        return std::nullopt;
    // Only the very bytes this program writes: a number or a name written another way than the
    // encoder writes it would read as the same state and so hide damage.
    if (encodeAs(s, format) != bytes)
        return std::nullopt;
    return s;
}

bool isReadableState(const std::string& bytes)
{
    return decodeState(bytes).has_value();
}

} // namespace zorbon
