// Lists of players read from outside, the search behind the completion, and the import's summary.

#include "club/club.h"
#include "club/playerlist.h"
#include "club/search.h"
#include "records/textcodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zorbon;
using Names = std::vector<std::string>;

namespace {

std::string cp1250(const std::string& utf8)
{
    return toCp1250(utf8).value();
}

struct ListCase {
    const char* name;
    std::string bytes;
    bool csv;
    Names names;
};

const std::string kBom = "\xEF\xBB\xBF";

const ListCase kLists[] = {
    {"Utf8Lines", "Petr Novák\nJana Malá\n", false, {"Petr Novák", "Jana Malá"}},
    {"Utf8WithBom", kBom + "Petr Novák\r\nJana Malá\r\n", false, {"Petr Novák", "Jana Malá"}},
    {"Cp1250",
     cp1250("Petr Novák\r\nŽaneta Šťastná\r\nČeněk Řehoř\r\n"),
     false,
     {"Petr Novák", "Žaneta Šťastná", "Čeněk Řehoř"}},
    {"Cp1250WithoutLastLineEnd", cp1250("Jiří Dvořák\r\nEva Černá"), false, {"Jiří Dvořák", "Eva Černá"}},
    {"OldMacLineEnds", "Petr\rJana\r", false, {"Petr", "Jana"}},
    {"TrimmedAndEmptyLinesSkipped", "  Petr Novák \t\n\n   \n\tJana Malá\n\n", false, {"Petr Novák", "Jana Malá"}},
    {"HeaderJmeno", "Jméno\nPetr\n", false, {"Petr"}},
    {"HeaderInCapitalsWithoutAccents", "JMENO\nPetr\n", false, {"Petr"}},
    {"HeaderHracAfterEmptyLines", "\n\n Hráč \nPetr\n", false, {"Petr"}},
    {"HeaderNameCp1250", cp1250("Name\r\nLukáš\r\n"), false, {"Lukáš"}},
    {"HeaderOnlyOnTheFirstLine", "Petr\nJméno\n", false, {"Petr", "Jméno"}},
    {"PlainListKeepsCommas", "Novák, Petr\nMalá, Jana\n", false, {"Novák, Petr", "Malá, Jana"}},
    {"PlainListKeepsQuotes", "Jan \"Honza\" Novák\n", false, {"Jan \"Honza\" Novák"}},
    {"SemicolonCsv", "Jméno;Klub;Body\nPetr Novák;DC Praha;10\nJana Malá;;\n", true, {"Petr Novák", "Jana Malá"}},
    {"SemicolonInATxtIsACsvToo", "Petr Novák;DC Praha\nJana Malá;DC Brno\n", false, {"Petr Novák", "Jana Malá"}},
    {"CommaCsv", "Name,Club\r\nPetr Novák,DC Praha\r\nJana Malá,DC Brno\r\n", true, {"Petr Novák", "Jana Malá"}},
    {"CommaCsvHeaderInATxt", "Hráč,Klub\nPetr Novák,DC Praha\n", false, {"Petr Novák"}},
    {"QuotedFieldsAsSpreadsheetsWriteThem",
     "\"Jméno\";\"Klub\"\n\"Novák; Petr\";\"DC \"\"Šipka\"\"\"\n\"Jan \"\"Honza\"\" Malý\";x\n",
     true,
     {"Novák; Petr", "Jan \"Honza\" Malý"}},
    {"QuotedCommaField", "\"Novák, Petr\",DC\n", true, {"Novák, Petr"}},
    {"QuotedFieldOverTwoLinesStaysOneName", "\"Petr\nNovák\";x\nJana;y\n", true, {"Petr\nNovák", "Jana"}},
    {"QuotedFieldTrimmed", "\"  Petr Novák  \";x\n", true, {"Petr Novák"}},
    {"TrailingCtrlZ", "Petr\r\n\x1A", false, {"Petr"}},
    {"Cp1250CsvWithBomlessHeader", cp1250("Hráč;Klub\r\nŠárka Nováková;DC\r\n"), true, {"Šárka Nováková"}},
};

class PlayerListRead : public ::testing::TestWithParam<ListCase> {};

TEST_P(PlayerListRead, GivesTheNamesInOrder)
{
    const ListCase& c = GetParam();
    const PlayerList list = readPlayerList(c.bytes, c.csv);
    EXPECT_TRUE(list.ok()) << list.refusal;
    EXPECT_EQ(list.names, c.names);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PlayerListRead, ::testing::ValuesIn(kLists),
                         [](const auto& param) { return std::string(param.param.name); });

struct Refusal {
    const char* name;
    std::string bytes;
    const char* says;
};

std::string manyNames(std::size_t n)
{
    std::string out = "Jméno\n";
    for (std::size_t i = 1; i <= n; ++i)
        out += "Hráč " + std::to_string(i) + "\n";
    return out;
}

const Refusal kRefusals[] = {
    {"OverOneMegabyte", std::string(kMaxPlayerListBytes + 1, 'a'), "větší než 1 MB"},
    {"OneMegabyteOfNamesIsTooMany", std::string(kMaxPlayerListBytes / 8, 'a') + "\n", nullptr},
    {"Binary",
     std::string("\x7F"
                 "ELF\x02\x01\x01\0\0\0",
                 10) +
         "Petr\n",
     "binární data"},
    {"NulInText", std::string("Petr\0Novák\n", 11), "binární data"},
    {"ControlCharacters", "Petr\x01\x02\x03\nJana\n", "binární data"},
    {"Utf16LittleEndian", std::string("\xFF\xFEP\0e\0t\0r\0", 10), "UTF-16"},
    {"Utf16BigEndian", std::string("\xFE\xFF\0P\0e\0t\0r", 10), "UTF-16"},
    {"Cp1250UndefinedByte", "Petr \x81\n", "binární data"},
    {"ThousandAndOneNames", manyNames(1001), "více než 1000 jmen"},
    {"Empty", "", "žádné jméno"},
    {"OnlyHeaderAndBlanks", "Jméno\n  \n\n", "žádné jméno"},
};

class PlayerListRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(PlayerListRefusal, SaysWhyAndGivesNoName)
{
    const Refusal& r = GetParam();
    const PlayerList list = readPlayerList(r.bytes, false);
    if (!r.says) {
        // One name a line of 131,072 'a's: read, since it is under the limits; the name is long, not wrong.
        EXPECT_TRUE(list.ok());
        return;
    }
    EXPECT_FALSE(list.ok());
    EXPECT_TRUE(list.names.empty());
    EXPECT_NE(list.refusal.find(r.says), std::string::npos) << list.refusal;
    EXPECT_EQ(list.refusal.substr(list.refusal.size() - 4), " !!!");
}

INSTANTIATE_TEST_SUITE_P(BadInput, PlayerListRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(PlayerList, ExactlyAThousandNamesAndExactlyOneMegabyteAreRead)
{
    EXPECT_EQ(readPlayerList(manyNames(1000), false).names.size(), 1000u);
    std::string megabyte(kMaxPlayerListBytes, 'x');
    megabyte[500] = '\n';
    EXPECT_TRUE(readPlayerList(megabyte, false).ok());
}

TEST(TextFromFile, Utf8StaysAndEverythingElseIsWindows1250)
{
    EXPECT_EQ(textFromFile("\xEF\xBB\xBF"
                           "Žluťoučký"),
              "Žluťoučký");
    EXPECT_EQ(textFromFile(cp1250("Žluťoučký kůň")), "Žluťoučký kůň");
    // Overlong forms and surrogates are not UTF-8: such a file is read as Windows-1250.
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(isValidUtf8("\xC5"));
    EXPECT_TRUE(isValidUtf8("Ž🎯"));
    EXPECT_EQ(textFromFile("\xC0\xAF"), fromCp1250("\xC0\xAF"));
}

// --- Search ---------------------------------------------------------------------------------------

TEST(Search, FoldsEveryLetterWindows1250HasToItsBaseLetter)
{
    EXPECT_EQ(foldForSearch("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž"), "acdeeinorstuuyz acdeeinorstuuyz");
    EXPECT_EQ(foldForSearch("ÄÖÜß ĹĽŔ ĄĘŁŃŚŹŻ ŐŰ Ţş"), "aous llr aelnszz ou ts");
    EXPECT_EQ(foldForSearch("Jan O'Neill-Dvořák"), "jan o'neill-dvorak");
    // Outside the Latin letters nothing changes, and broken UTF-8 does not break the fold.
    EXPECT_EQ(foldForSearch("王 🎯 \xC5"), "王 🎯 \xC5");
}

struct SearchCase {
    const char* typed;
    Names found;
};

class PlayerSearch : public ::testing::TestWithParam<SearchCase> {};

const Names kRegister = {"Petr Novák",         "Jana Nováková", "Ivana Kovaříková",
                         "Jan Novotný-Dvořák", "Karel Novy",    "Anna O'Neill"};

TEST_P(PlayerSearch, FindsTheStartOfAnyWord)
{
    const PlayerIndex index(kRegister);
    EXPECT_EQ(index.find(GetParam().typed, 10), GetParam().found) << GetParam().typed;
}

const SearchCase kSearches[] = {
    {"nov", {"Petr Novák", "Jana Nováková", "Jan Novotný-Dvořák", "Karel Novy"}},
    {"NOVA", {"Petr Novák", "Jana Nováková"}},
    {"nováK", {"Petr Novák", "Jana Nováková"}},
    {"  petr ", {"Petr Novák"}},
    {"petr nov", {"Petr Novák"}},
    {"dvor", {"Jan Novotný-Dvořák"}},
    {"neill", {"Anna O'Neill"}},
    {"ova", {}}, // the middle of a word is not its start
    {"kovar", {"Ivana Kovaříková"}},
    {"", {}},
    {"   ", {}},
    {"x", {}},
};

INSTANTIATE_TEST_SUITE_P(Typed, PlayerSearch, ::testing::ValuesIn(kSearches));

TEST(Search, StopsAtTheLimit)
{
    const PlayerIndex index(kRegister);
    EXPECT_EQ(index.find("n", 2), (Names{"Petr Novák", "Jana Nováková"}));
    EXPECT_TRUE(index.find("n", 0).empty());
}

// --- Summary ---------------------------------------------------------------------------------------

TEST(ImportSummaryText, SaysWhatWasRegisteredAndWhatSkippedAndWhy)
{
    EXPECT_EQ(importSummaryText({24, {}}), "Registrováno 24 hráčů.");
    EXPECT_EQ(importSummaryText({21,
                                 {{"Petr Novák", "již registrován"},
                                  {"Volný los", "jméno vyhrazené pro pavouka"},
                                  {"Jana Malá", "již registrován"}}}),
              "Registrováno 21 hráčů. Přeskočeno 3: Petr Novák (již registrován), Volný los (jméno vyhrazené pro "
              "pavouka), Jana Malá (již registrován).");
    ImportSummary many{0, {}};
    for (int i = 1; i <= 13; ++i)
        many.skipped.push_back({"H" + std::to_string(i), "již registrován"});
    const std::string text = importSummaryText(many);
    EXPECT_EQ(text.rfind("Registrováno 0 hráčů. Přeskočeno 13: H1 (již registrován), H2", 0), 0u) << text;
    EXPECT_NE(text.find("H10 (již registrován), … a 3 dalších."), std::string::npos) << text;
    EXPECT_EQ(text.find("H11"), std::string::npos);
}

} // namespace
