#include "live/display_text.h"

#include "live/live_state.h"

#include <array>
#include <string_view>

namespace zorbon {
namespace {

constexpr std::string_view kDash = " – ";

// White space at either end, as the windows' toolkit trims it: ASCII and the Unicode spaces.
bool spaceAt(std::string_view s, std::size_t at, std::size_t& length)
{
    static constexpr std::array<std::string_view, 19> kWide = {
        "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
        "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A",
        "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
    const char c = s[at];
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
        length = 1;
        return true;
    }
    for (const std::string_view w : kWide)
        if (s.substr(at, w.size()) == w) {
            length = w.size();
            return true;
        }
    return false;
}

std::string trimmed(std::string_view s)
{
    std::size_t from = 0;
    std::size_t length = 0;
    while (from < s.size() && spaceAt(s, from, length))
        from += length;
    std::size_t to = s.size();
    // Backwards: the last character that is not a space ends the text.
    for (std::size_t end = from; end < s.size();) {
        if (spaceAt(s, end, length)) {
            end += length;
            continue;
        }
        ++end;
        while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
            ++end;
        to = end;
    }
    if (from >= s.size())
        return {};
    return std::string(s.substr(from, to - from));
}

std::string score(const Bracket& b, SlotId id)
{
    return trimmed(b.score(id));
}

std::string matchTitle(const Bracket& b, int box)
{
    return b.table().box(box).isFinal() ? std::string("finále") : "zápas " + std::to_string(box);
}

std::string pair(const std::string& left, const std::string& right)
{
    return left + " : " + right;
}

} // namespace

std::string headerLine(const TournamentHeader& h)
{
    std::string out;
    for (const std::string* part : {&h.name, &h.place, &h.date}) {
        const std::string text = trimmed(*part);
        if (text.empty())
            continue;
        if (!out.empty())
            out += kDash;
        out += text;
    }
    return out;
}

std::string boardLine(const Bracket& b, int n)
{
    const Board& board = b.board(n);
    switch (board.state) {
    case BoardState::Off:
        return {};
    case BoardState::Free:
        return "Terč " + std::to_string(n) + ": volný";
    case BoardState::Occupied:
        break;
    }
    const std::string what =
        b.table().hasBox(board.match) ? matchTitle(b, board.match) : "zápas " + std::to_string(board.match);
    return "Terč " + std::to_string(n) + ": " + what + std::string(kDash) + pair(board.player1, board.player2);
}

std::string matchLine(const Bracket& b, int box)
{
    const BoxSpec& cells = b.table().box(box);
    return matchTitle(b, box) + std::string(kDash) + pair(b.name(cells.upper), b.name(cells.lower));
}

std::string resultLine(const Bracket& b, int box)
{
    const BoxSpec& cells = b.table().box(box);
    return matchTitle(b, box) + std::string(kDash) +
           pair(b.name(cells.upper) + ' ' + score(b, cells.upper), score(b, cells.lower) + ' ' + b.name(cells.lower));
}

std::string winnerText(const Bracket& b)
{
    const int fin = b.table().finalNumber();
    switch (b.state(fin)) {
    case BoxState::Pending:
        return {};
    case BoxState::OnBoard:
        return "Finále: " + b.name(b.table().box(fin).lower) + " musí vyhrát dvakrát";
    case BoxState::Finished:
        break;
    }
    return "Vítěz turnaje: " + tournamentWinner(b).value_or(std::string());
}

std::vector<int> readyMatches(const Bracket& b, int most)
{
    std::vector<int> out;
    for (int n = 1; n <= b.table().boxCount() && static_cast<int>(out.size()) < most; ++n)
        if (b.ready(n))
            out.push_back(n);
    return out;
}

bool isUnderWay(const Bracket& b)
{
    for (int n = 1; n <= b.table().boxCount(); ++n)
        if (b.state(n) == BoxState::OnBoard || isPlayedResult(b, n))
            return true;
    return false;
}

bool isDecided(const Bracket& b)
{
    return b.state(b.table().finalNumber()) == BoxState::Finished;
}

} // namespace zorbon
