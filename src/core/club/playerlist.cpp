#include "club/playerlist.h"

#include "club/search.h"
#include "records/textcodec.h"

#include <utility>

namespace zorbon {
namespace {

const char* const kNothingRegistered = " Nebyl registrován žádný hráč !!!";

PlayerList refuse(std::string why)
{
    PlayerList out;
    out.refusal = std::move(why) + kNothingRegistered;
    return out;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

bool isHeader(const std::string& field)
{
    const std::string f = foldForSearch(field);
    return f == "jmeno" || f == "hrac" || f == "name";
}

// Reads the text record by record (a line, or a CSV row whose quoted field may span lines) and
// hands each record's first field to `take`.
class Records {
public:
    Records(std::string_view text, char delimiter)
        : m_text(text)
        , m_delimiter(delimiter)
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }

    std::string next()
    {
        std::string field;
        bool quoted = false;
        // Leading blanks before an opening quote belong to no field.
        std::size_t p = m_pos;
        while (p < m_text.size() && isBlank(m_text[p]))
            ++p;
        if (m_delimiter && p < m_text.size() && m_text[p] == '"') {
            quoted = true;
            m_pos = p + 1;
        }
        bool inField = true; // false once the first field is over: the rest of the record is skipped
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (quoted) {
                ++m_pos;
                if (c != '"') {
                    field.push_back(c);
                } else if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                    field.push_back('"');
                    ++m_pos;
                } else {
                    quoted = false; // what follows up to the delimiter is kept, as a spreadsheet would
                }
                continue;
            }
            if (c == '\n' || c == '\r') {
                ++m_pos;
                if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                    ++m_pos;
                break;
            }
            ++m_pos;
            if (m_delimiter && c == m_delimiter)
                inField = false;
            else if (inField)
                field.push_back(c);
        }
        return trimmed(field);
    }

private:
    std::string_view m_text;
    char m_delimiter;
    std::size_t m_pos = 0;
};

// The first record with something in it: a line, or more where a quote is open at its end.
std::string_view firstRecord(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        bool quoted = false;
        std::size_t end = start;
        for (; end < text.size(); ++end) {
            if (text[end] == '"')
                quoted = !quoted;
            else if (!quoted && (text[end] == '\n' || text[end] == '\r'))
                break;
        }
        const std::string_view record = text.substr(start, end - start);
        if (!trimmed(record).empty())
            return record;
        start = end + 1;
    }
    return {};
}

bool hasOutsideQuotes(std::string_view line, char c)
{
    bool quoted = false;
    for (const char x : line) {
        if (x == '"')
            quoted = !quoted;
        else if (x == c && !quoted)
            return true;
    }
    return false;
}

char delimiterFor(std::string_view text, bool csv)
{
    const std::string_view head = firstRecord(text);
    if (hasOutsideQuotes(head, ';'))
        return ';';
    if (csv)
        return ',';
    // A plain list keeps "Novák, Petr" whole, unless its first line is a CSV header.
    if (hasOutsideQuotes(head, ',')) {
        Records r(head, ',');
        if (isHeader(r.next()))
            return ',';
    }
    return 0;
}

} // namespace

PlayerList readPlayerList(std::string_view bytes, bool csv)
{
    if (bytes.size() > kMaxPlayerListBytes)
        return refuse("Soubor je větší než 1 MB, seznam hráčů to není.");
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        return refuse("Soubor je uložen v kódování UTF-16. Uložte jej jako UTF-8 nebo Windows-1250 a zkuste to znovu.");
    if (bytes.find('\0') != std::string_view::npos)
        return refuse("Soubor není textový seznam hráčů (obsahuje binární data).");
    std::string text = textFromFile(bytes);
    // Old DOS and Windows tools end a text file with Ctrl+Z.
    while (!text.empty() && text.back() == '\x1A')
        text.pop_back();
    // A text file holds no control character but tab and the line ends.
    if (hasControlCharacter(text, "\t\n\r"))
        return refuse("Soubor není textový seznam hráčů (obsahuje binární data).");

    PlayerList out;
    Records records(text, delimiterFor(text, csv));
    bool first = true;
    while (!records.atEnd()) {
        std::string name = records.next();
        if (name.empty())
            continue;
        if (std::exchange(first, false) && isHeader(name))
            continue;
        if (out.names.size() == kMaxPlayerListNames)
            return refuse("Soubor obsahuje více než " + std::to_string(kMaxPlayerListNames) +
                          " jmen, najednou jich lze importovat nejvýše " + std::to_string(kMaxPlayerListNames) + ".");
        out.names.push_back(std::move(name));
    }
    if (out.names.empty())
        out.refusal = "Soubor neobsahuje žádné jméno hráče !!!";
    return out;
}

} // namespace zorbon
