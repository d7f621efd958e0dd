// Fuzz target for lists of players imported from outside, and for the search the completion runs
// over the names they give.
//
// Input: [flags][query length][query bytes][the file's bytes ...]
//   flags bit 0: the file's name ends in .csv.

#include "club/playerlist.h"
#include "club/search.h"
#include "fuzz_common.h"

using namespace zorbon;
using namespace zorbon::fuzz;

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t';
}

void checkList(const std::string& bytes, bool csv)
{
    const PlayerList list = readPlayerList(bytes, csv);
    if (!list.ok()) {
        FUZZ_CHECK(list.names.empty(), "a refused list gave names");
        return;
    }
    FUZZ_CHECK(bytes.size() <= kMaxPlayerListBytes, "a list over 1 MB was read");
    FUZZ_CHECK(!list.names.empty(), "a list without a name was not refused");
    FUZZ_CHECK(list.names.size() <= kMaxPlayerListNames, "more than 1000 names were read");
    std::size_t total = 0;
    for (const std::string& n : list.names) {
        FUZZ_CHECK(!n.empty(), "an empty name was read");
        FUZZ_CHECK(!blank(n.front()) && !blank(n.back()), "a name was not trimmed: '" + n + "'");
        FUZZ_CHECK(isValidUtf8(n), "a name is not UTF-8");
        FUZZ_CHECK(n.find('\0') == std::string::npos, "a name holds NUL");
        total += n.size();
    }
    // Each name comes from the text: never more than the text (a Windows-1250 byte is at most 3 in UTF-8).
    FUZZ_CHECK(total <= 3 * bytes.size(), "the names are longer than the file");

    // Reading the same bytes twice gives the same names.
    FUZZ_CHECK(readPlayerList(bytes, csv).names == list.names, "two readings differ");
}

void checkSearch(const std::vector<std::string>& names, const std::string& query)
{
    const std::string folded = foldForSearch(query);
    FUZZ_CHECK(folded.size() <= query.size(), "the fold made a text longer");
    if (isValidUtf8(query))
        FUZZ_CHECK(isValidUtf8(folded), "the fold broke UTF-8");
    const PlayerIndex index(names);
    const std::vector<std::string> found = index.find(query, 20);
    FUZZ_CHECK(found.size() <= 20, "the search passed its limit");
    for (const std::string& f : found) {
        const std::string name = foldForSearch(f);
        // What was found holds the typed text (trimmed) somewhere.
        std::string_view q = folded;
        while (!q.empty() && blank(q.front()))
            q.remove_prefix(1);
        while (!q.empty() && blank(q.back()))
            q.remove_suffix(1);
        FUZZ_CHECK(name.find(q) != std::string::npos, "'" + f + "' was found for '" + query + "'");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Stream in(data, size);
    const std::uint8_t flags = in.u8();
    const std::string query = in.bytes(32);
    const std::string file(reinterpret_cast<const char*>(data) + (size - in.left()), in.left());

    const std::string text = textFromFile(file);
    FUZZ_CHECK(isValidUtf8(text), "a file did not read as UTF-8");
    checkList(file, (flags & 1) != 0);

    const PlayerList list = readPlayerList(file, (flags & 1) != 0);
    checkSearch(list.names, query);
    return 0;
}
