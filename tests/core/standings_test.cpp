// Standings from the cells, and the printed, saved and exported forms of the results list.

#include "engine.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/textcodec.h"
#include "results/exports.h"
#include "results/standings.h"

#include <fstream>

using namespace zorbon;
using namespace zorbon::test;
namespace fs = std::filesystem;

namespace {

struct OrderCase {
    int size;
    std::vector<int> boxes;          // losers'-side boxes in the order of their lines
    std::vector<const char*> labels; // L1, L2, ... placing labels
};

void PrintTo(const OrderCase& c, std::ostream* os)
{
    *os << "bracket of " << c.size;
}

class StandingsOrder : public ::testing::TestWithParam<OrderCase> {};

} // namespace

TEST_P(StandingsOrder, BoxesComeByRoundAndUpperSlot)
{
    const OrderCase& c = GetParam();
    EXPECT_EQ(standingsOrder(c.size), c.boxes);
    const auto& t = tableFor(c.size);
    for (std::size_t r = 0; r < c.labels.size(); ++r)
        EXPECT_EQ(t.rules.placeByLosersRound[r], c.labels[r]) << "L" << r + 1;
}

INSTANTIATE_TEST_SUITE_P(
    AllSizes, StandingsOrder,
    ::testing::Values(
        OrderCase{8, {5, 6, 10, 9, 12, 13}, {"7-8. místo ", "5-6. místo ", "4. místo ", "3. místo "}},
        OrderCase{16,
                  {9, 10, 11, 12, 20, 19, 18, 17, 23, 24, 25, 26, 28, 29},
                  {"13-16. místo ", "9-12. místo ", "7-8. místo ", "5-6. místo ", "4. místo ", "3. místo "}},
        OrderCase{32,
                  {17, 19, 21, 23, 25, 27, 29, 31, 34, 36, 35, 33, 38, 40, 39,
                   37, 47, 48, 45, 46, 51, 52, 49, 50, 55, 56, 57, 58, 60, 61},
                  {"25-32. místo ", "17-24. místo ", "13-16. místo ", "9-12. místo ", "7-8. místo ", "5-6. místo ",
                   "4. místo ", "3. místo "}},
        // The 64 numbers each losers' round top to bottom: its order is the calling order.
        OrderCase{64,
                  {33, 35,  37,  39,  41,  43,  45,  47,  49,  51,  53,  55,  57,  59,  61,  63,  65,  66,  67,  68, 69,
                   70, 71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  89,  90,  91,  92,  93,  94,  95,  96,  97, 98,
                   99, 100, 101, 102, 103, 104, 109, 110, 111, 112, 113, 114, 115, 116, 119, 120, 121, 122, 124, 125},
                  {"49-64. místo ", "33-48. místo ", "25-32. místo ", "17-24. místo ", "13-16. místo ", "9-12. místo ",
                   "7-8. místo ", "5-6. místo ", "4. místo ", "3. místo "}}));

namespace {

class StandingsTest : public Engine {
protected:
    // Plays every ready match, upper player winning 3:1, until the final is on a board or done.
    void playUpToFinal(Bracket& b)
    {
        const int finalNo = b.table().finalNumber();
        for (int guard = 0; guard < 200 && b.state(finalNo) == BoxState::Pending; ++guard) {
            for (int m = 1; m < finalNo; ++m) {
                if (b.ready(m)) {
                    ASSERT_TRUE(play(b, m, "3", "1"));
                }
            }
            if (b.ready(finalNo))
                return;
        }
    }
};

} // namespace

TEST_F(StandingsTest, NothingIsPlacedRightAfterTheDraw)
{
    for (const int n : {4, 5, 8, 9, 16, 17, 31, 32}) {
        Bracket& b = drawn(n);
        EXPECT_TRUE(standings(b).empty()) << n;
    }
}

TEST_F(StandingsTest, FourPlayersFillOnlyTheTopFourPlaces)
{
    Bracket& b = drawn(4);
    boards(2);
    playUpToFinal(b);
    ASSERT_TRUE(play(b, 14, "1", "3"));
    const auto lines = standings(b);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(splitPlacing(lines[0]).first, "4. místo ");
    EXPECT_EQ(splitPlacing(lines[1]).first, "3. místo ");
    EXPECT_EQ(lines[2], "2. místo " + nameAt(b, "LabF1"));
    EXPECT_EQ(lines[3], "1. místo " + nameAt(b, "LabF2"));
    EXPECT_EQ(standings(b), lines); // rebuilt, not appended
    const auto shown = displayedOrder(lines);
    EXPECT_EQ(shown.front(), lines.back());
    EXPECT_EQ(shown.back(), lines.front());
}

TEST_F(StandingsTest, ATiedFinalPlacesTheUpperPlayerFirst)
{
    for (const int n : {8, 32}) {
        Bracket& b = drawn(n);
        boards(2);
        playUpToFinal(b);
        ASSERT_TRUE(play(b, b.table().finalNumber(), "2", "2"));
        const auto lines = standings(b);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(lines.back(), "1. místo " + nameAt(b, "LabF1"));
        EXPECT_EQ(b.winnerLine.find(nameAt(b, "LabF1")) != std::string::npos, true);
    }
}

TEST_F(StandingsTest, ACalledButUnplayedBoxPlacesNobody)
{
    Bracket& b = drawn(8);
    boards(2);
    for (int m = 1; m <= 4; ++m)
        ASSERT_TRUE(play(b, m, "3", "1"));
    ASSERT_TRUE(clickToCall(b, 5, say()));
    EXPECT_TRUE(standings(b).empty());
    ASSERT_TRUE(t.enterResult(boardOf(b, 5), "1", "3").ok());
    ASSERT_TRUE(t.showStandings().ok());
    EXPECT_EQ(t.session().placings, standings(b));
    t.showResultsList();
    EXPECT_EQ(t.session().displayed, displayedOrder(standings(b)));
    EXPECT_EQ(standings(b), std::vector<std::string>{"7-8. místo " + nameAt(b, "Lab11L")});
}

namespace {

const TournamentHeader kHeader{"Jarní turnaj", "Hospoda U Lípy", "12.4.2024"};
const std::vector<std::string> kShown = {"1. místo Jana Nováková", "2. místo Petr Černý", "3. místo Tom"};

std::size_t codePoints(const std::string& s)
{
    std::size_t n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

} // namespace

TEST(ResultLines, PrintLinesAlignTheHeaderValuesAtColumn25)
{
    const auto lines = printLines(kHeader, 17, kShown);
    const std::vector<std::string> expected = {
        " ",
        " ",
        "          Turnaj :      Jarní turnaj",
        " ",
        "          Hrací místo : Hospoda U Lípy",
        " ",
        "          Datum :       12.4.2024",
        " ",
        "          Počet hráčů : 17",
        " ",
        " ",
        "          Výsledková listina :",
        " ",
        " ",
        "          1. místo Jana Nováková",
        "          2. místo Petr Černý",
        "          3. místo Tom",
    };
    EXPECT_EQ(lines, expected);
    // The values start after 24 characters, whatever the bytes of the Czech letters.
    const std::pair<std::size_t, std::string> values[] = {
        {2, "Jarní turnaj"}, {4, "Hospoda U Lípy"}, {6, "12.4.2024"}, {8, "17"}};
    for (const auto& [i, value] : values) {
        const std::string& l = lines[i];
        EXPECT_EQ(codePoints(l.substr(0, l.size() - value.size())), 24u) << l;
        EXPECT_TRUE(l.ends_with(value));
    }
    EXPECT_EQ(printLines(kHeader, 0, {}).size(), 14u);
}

TEST(ResultLines, HtmlLinesAreTheFragmentWithTheProgramsAddress)
{
    const auto lines = htmlLines(kHeader, 17, kShown);
    const std::vector<std::string> expected = {
        "<center> </center>",
        "<center> </center>",
        "<center> </center>",
        "<center><h3>Název turnaje : Jarní turnaj</h3></center>",
        "<center>Hrací místo : Hospoda U Lípy</center>",
        "<center>Datum : 12.4.2024</center>",
        "<center>Počet hráčů : 17</center>",
        "<center><br></center>",
        "<center>",
        "<table border=\"1\" width=\"250\">",
        "<tr><td width=\"250\">",
        "&nbsp;1. místo Jana Nováková<br>",
        "&nbsp;2. místo Petr Černý<br>",
        "&nbsp;3. místo Tom<br>",
        "</td></tr></table>",
        "</center>",
        "<center><br></center>",
        "<center>Vytvořeno programem Zorbon</center><br>",
        "<center>https://zorbon.example/</center><br>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ResultLines, HtmlNeverLetsANameBecomeMarkup)
{
    const TournamentHeader h{"<b>Turnaj</b> & \"spol\"", "A<B", "1>0"};
    const auto lines = htmlLines(h, 4, {"1. místo <script>x</script>"});
    EXPECT_EQ(lines[3], "<center><h3>Název turnaje : &lt;b&gt;Turnaj&lt;/b&gt; &amp; &quot;spol&quot;</h3></center>");
    EXPECT_EQ(lines[4], "<center>Hrací místo : A&lt;B</center>");
    EXPECT_EQ(lines[5], "<center>Datum : 1&gt;0</center>");
    EXPECT_EQ(lines[11], "&nbsp;1. místo &lt;script&gt;x&lt;/script&gt;<br>");
    // A character the code page lacks is written as a reference rather than failing the export.
    EXPECT_EQ(htmlEscape("Zürich 東京 ř"), "Zürich &#26481;&#20140; ř");
}

namespace {

class ResultFiles : public Engine {
protected:
    static std::vector<std::string> listing()
    {
        std::vector<std::string> all;
        for (const auto& e : fs::recursive_directory_iterator("."))
            all.push_back(e.path().string());
        std::sort(all.begin(), all.end());
        return all;
    }
    static std::string ioError(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const IoError& e) {
            return e.what();
        }
        return "no error";
    }
    // "Export" of the results window: the player count comes from the record, read now.
    Outcome exportHtml(const TournamentHeader& header, const std::vector<std::string>& shown)
    {
        return t.exportResultsHtml({header, std::nullopt, shown});
    }
};

} // namespace

TEST_F(ResultFiles, SaveWritesTheShownLinesInWindows1250)
{
    EXPECT_EQ(saveResultsText("Jarní turnaj", kShown),
              "Výsledková listina byla uložena do adresáře vysledky jako soubor: Jarní turnaj.txt");
    const std::string bytes = readWholeFile("vysledky/Jarní turnaj.txt");
    EXPECT_EQ(bytes, *toCp1250("1. místo Jana Nováková\r\n2. místo Petr Černý\r\n3. místo Tom\r\n"));
    // Saving again overwrites; an empty list gives an empty file; an empty name saves visibly.
    saveResultsText("Jarní turnaj", {});
    EXPECT_EQ(readWholeFile("vysledky/Jarní turnaj.txt"), "");
    EXPECT_EQ(saveResultsText("", kShown),
              "Výsledková listina byla uložena do adresáře vysledky jako soubor: bez názvu.txt");
    EXPECT_TRUE(fs::exists("vysledky/bez názvu.txt"));
    EXPECT_FALSE(fs::exists("vysledky/.txt"));
}

TEST_F(ResultFiles, ExportWritesTheFragmentWithTheRecordsPlayerCount)
{
    WriteRecord({23, 2, 3, 0});
    const Result<HtmlExport> exported = t.exportResultsHtml({kHeader, std::nullopt, kShown});
    ASSERT_TRUE(exported.ok());
    EXPECT_EQ(exported->confirmation, "Uloženo v adresáři export pod názvemJarní turnaj.htm");
    EXPECT_EQ(exported->lines, htmlLines(kHeader, 23, kShown));
    std::string expected;
    for (const auto& l : htmlLines(kHeader, 23, kShown))
        expected += *toCp1250(l) + "\r\n";
    EXPECT_EQ(readWholeFile("export/Jarní turnaj.htm"), expected);
    // A sheet that brings its own count (an archived tournament) needs no record.
    fs::remove(kRecordPath);
    ASSERT_TRUE(t.exportResultsHtml({kHeader, 23, kShown}).ok());
    EXPECT_EQ(readWholeFile("export/Jarní turnaj.htm"), expected);
    // The rule alone writes what it is given.
    EXPECT_EQ(exportResultsHtml(kHeader, 23, kShown), "Uloženo v adresáři export pod názvemJarní turnaj.htm");
    EXPECT_EQ(readWholeFile("export/Jarní turnaj.htm"), expected);
}

TEST_F(ResultFiles, ANameThatWouldLeaveTheFolderSavesInsideItUnderItsSafeName)
{
    fs::create_directories("vysledky/a");
    WriteRecord({5, 0, 0, 0});
    const auto before = listing();
    const std::string names[] = {"a/b", "../venku", "..", "x\\y", "a/../../b", std::string("ne\0j", 4)};
    for (const std::string& name : names) {
        const std::string file = safeFileName(name);
        TournamentHeader h = kHeader;
        h.name = name;
        const Result<std::string> saved = t.saveResultsText({h, std::nullopt, kShown});
        ASSERT_TRUE(saved.ok()) << name;
        EXPECT_EQ(saved.value(), "Výsledková listina byla uložena do adresáře vysledky jako soubor: " + file + ".txt");
        EXPECT_TRUE(exportHtml(h, kShown).ok()) << name;
        EXPECT_TRUE(fs::is_regular_file("vysledky/" + file + ".txt")) << file;
        EXPECT_TRUE(fs::is_regular_file("export/" + file + ".htm")) << file;
    }
    // What is new lies directly in one of the two folders.
    for (const std::string& p : listing()) {
        if (std::find(before.begin(), before.end(), p) != before.end())
            continue;
        const bool inFolder = p.rfind("./vysledky/", 0) == 0 || p.rfind("./export/", 0) == 0;
        EXPECT_TRUE(inFolder && std::count(p.begin(), p.end(), '/') == 2) << p;
    }
    EXPECT_TRUE(fs::is_empty("vysledky/a"));
}

TEST_F(ResultFiles, AMissingFolderCannotBeWrittenTo)
{
    fs::remove_all("vysledky");
    fs::remove_all("export");
    EXPECT_EQ(ioError([] { saveResultsText("Turnaj", kShown); }), "Cannot create file vysledky/Turnaj.txt");
    EXPECT_EQ(failure(exportHtml(kHeader, kShown)), "Cannot create file export/Jarní turnaj.htm");
}

TEST_F(ResultFiles, ExportWithoutARecordStopsBeforeWriting)
{
    fs::remove(kRecordPath);
    EXPECT_EQ(failure(exportHtml(kHeader, kShown)), "File not found");
    EXPECT_TRUE(fs::is_empty("export"));
}
