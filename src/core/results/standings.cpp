#include "results/standings.h"

#include "records/errors.h"
#include "records/roster.h"
#include "records/textcodec.h"
#include "results/exports.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace zorbon {
namespace {

// Position of a losers'-side slot in its round: "Lab" + round digit + position + "L".
int positionInRound(std::string_view name)
{
    int pos = 0;
    for (std::size_t i = 4; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
        pos = pos * 10 + (name[i] - '0');
    return pos;
}

std::vector<int> buildOrder(const AdvancementTable& t)
{
    std::vector<int> order;
    for (const auto& b : t.boxes)
        if (b.round.side == Side::Losers)
            order.push_back(b.number);
    std::sort(order.begin(), order.end(), [&t](int a, int b) {
        const auto& x = t.box(a);
        const auto& y = t.box(b);
        return std::tuple(x.round.number, positionInRound(t.slot(x.upper).name)) <
               std::tuple(y.round.number, positionInRound(t.slot(y.upper).name));
    });
    return order;
}

// Writes the lines to folder/<file name>+ext (the name made safe for a file system); every failure to
// create the file reads the same.
void writeListFile(const char* folder, const std::string& name, const char* ext, const std::vector<std::string>& lines)
{
    writeExportFile(exportPath(folder, name, ext), joinLinesCp1250(lines));
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

std::uint32_t codePoint(std::string_view seq)
{
    const auto b = [&seq](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(seq[i])); };
    switch (seq.size()) {
    case 2:
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3:
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    case 4:
        return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    default:
        return b(0);
    }
}

} // namespace

const std::vector<int>& standingsOrder(int size)
{
    static const PerSize<std::vector<int>> orders = [] {
        PerSize<std::vector<int>> o;
        for (std::size_t i = 0; i < kBracketSizes.size(); ++i)
            o[i] = buildOrder(tableFor(kBracketSizes[i]));
        return o;
    }();
    return orders[sizeIndex(size)];
}

std::vector<std::string> standings(const Bracket& bracket)
{
    const auto& t = bracket.table();
    const std::vector<int>& order = standingsOrder(t.size);
    std::vector<std::string> lines;
    lines.reserve(order.size() + 2);
    for (const int number : order) {
        const BoxSpec& box = t.box(number);
        const std::string& upper = bracket.name(box.upper);
        const std::string& loser = upper == bracket.name(box.winnerTo) ? bracket.name(box.lower) : upper;
        if (loser == kBye || bracket.state(number) != BoxState::Finished)
            continue;
        std::string line(t.rules.placeByLosersRound[static_cast<std::size_t>(box.round.number - 1)]);
        line += loser;
        lines.push_back(std::move(line));
    }
    const BoxSpec& fin = t.box(t.finalNumber());
    if (bracket.state(fin.number) == BoxState::Finished) {
        const int s1 = parseInt(bracket.score(fin.upper));
        const int s2 = parseInt(bracket.score(fin.lower));
        const bool lowerWon = s2 > s1;
        lines.push_back("2. místo " + bracket.name(lowerWon ? fin.upper : fin.lower));
        lines.push_back("1. místo " + bracket.name(lowerWon ? fin.lower : fin.upper));
    }
    return lines;
}

std::vector<std::string> displayedOrder(const std::vector<std::string>& placings)
{
    return {placings.rbegin(), placings.rend()};
}

std::vector<std::string> printLines(const TournamentHeader& header, int playerCount,
                                    const std::vector<std::string>& displayed)
{
    const std::string indent(10, ' ');
    std::vector<std::string> lines = {
        " ",
        " ",
        indent + "Turnaj :      " + header.name,
        " ",
        indent + "Hrací místo : " + header.place,
        " ",
        indent + "Datum :       " + header.date,
        " ",
        indent + "Počet hráčů : " + std::to_string(playerCount),
        " ",
        " ",
        indent + "Výsledková listina :",
        " ",
        " ",
    };
    for (const auto& l : displayed)
        lines.push_back(indent + l);
    return lines;
}

std::string htmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            ++i;
            continue;
        case '<':
            out += "&lt;";
            ++i;
            continue;
        case '>':
            out += "&gt;";
            ++i;
            continue;
        case '"':
            out += "&quot;";
            ++i;
            continue;
        default:
            break;
        }
        const std::size_t len = std::min(sequenceLength(static_cast<unsigned char>(c)), text.size() - i);
        const std::string_view seq = text.substr(i, len);
        if (len > 1 && !fitsCp1250(seq))
            out += "&#" + std::to_string(codePoint(seq)) + ";";
        else
            out += seq;
        i += len;
    }
    return out;
}

std::vector<std::string> htmlLines(const TournamentHeader& header, int playerCount,
                                   const std::vector<std::string>& displayed)
{
    std::vector<std::string> lines = {
        "<center> </center>",
        "<center> </center>",
        "<center> </center>",
        "<center><h3>Název turnaje : " + htmlEscape(header.name) + "</h3></center>",
        "<center>Hrací místo : " + htmlEscape(header.place) + "</center>",
        "<center>Datum : " + htmlEscape(header.date) + "</center>",
        "<center>Počet hráčů : " + std::to_string(playerCount) + "</center>",
        "<center><br></center>",
        "<center>",
        "<table border=\"1\" width=\"250\">",
        "<tr><td width=\"250\">",
    };
    for (const auto& l : displayed)
        lines.push_back("&nbsp;" + htmlEscape(l) + "<br>");
    lines.emplace_back("</td></tr></table>");
    lines.emplace_back("</center>");
    lines.emplace_back("<center><br></center>");
    lines.emplace_back("<center>Vytvořeno programem Zorbon</center><br>");
    lines.push_back("<center>" + std::string(kWebAddress) + "</center><br>");
    return lines;
}

std::string saveResultsText(const std::string& tournamentName, const std::vector<std::string>& displayed)
{
    const std::string file = safeFileName(tournamentName);
    writeListFile("vysledky", file, ".txt", displayed);
    return "Výsledková listina byla uložena do adresáře vysledky jako soubor: " + file + ".txt";
}

std::string exportResultsHtml(const TournamentHeader& header, int playerCount,
                              const std::vector<std::string>& displayed)
{
    const std::string file = safeFileName(header.name);
    writeListFile("export", file, ".htm", htmlLines(header, playerCount, displayed));
    return "Uloženo v adresáři export pod názvem" + file + ".htm";
}

} // namespace zorbon
