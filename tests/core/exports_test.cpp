// The files of "export/": the CSV of the standings byte for byte, and the one file-name rule and write
// that every list and export goes through.

#include "records/errors.h"
#include "records/files.h"
#include "results/exports.h"
#include "results/standings.h"
#include "workdir.h"

#include <filesystem>
#include <fstream>
#include <random>

using namespace zorbon;
namespace fs = std::filesystem;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHead = kBom + "Umístění;Hráč\r\n";

struct CsvCase {
    const char* what;
    std::vector<std::string> displayed;
    std::string bytes;
};

void PrintTo(const CsvCase& c, std::ostream* os)
{
    *os << c.what;
}

class ResultsCsv : public ::testing::TestWithParam<CsvCase> {};

std::string errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const IoError& e) {
        return e.what();
    }
    return "no error";
}

// Every file and folder under the working folder, to see that a failure left nothing behind.
std::string tree()
{
    std::string s;
    for (const auto& e : fs::recursive_directory_iterator("."))
        s += e.path().string() + "|";
    return s;
}

} // namespace

TEST_P(ResultsCsv, Bytes)
{
    EXPECT_EQ(resultsCsv(GetParam().displayed), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ResultsCsv,
    ::testing::Values(
        CsvCase{"empty list: the header line only", {}, kHead},
        CsvCase{"placings of every kind",
                {"1. místo Eva Procházková", "2. místo Petr Novák", "5-6. místo Jiří Svoboda", "13-16. místo Ota",
                 "25-32. místo Šárka Bartošová"},
                kHead + "1. místo;Eva Procházková\r\n2. místo;Petr Novák\r\n5-6. místo;Jiří Svoboda\r\n"
                        "13-16. místo;Ota\r\n25-32. místo;Šárka Bartošová\r\n"},
        CsvCase{"a name that itself says místo: the first one ends the placing",
                {"3. místo Hrací místo Brno"},
                kHead + "3. místo;Hrací místo Brno\r\n"},
        CsvCase{
            "fields that need quotes",
            {"1. místo Novák; st.", "2. místo Petr \"Šipka\" Novák", "3. místo \"", "4. místo a\rb", "5-6. místo a\nb"},
            kHead + "1. místo;\"Novák; st.\"\r\n2. místo;\"Petr \"\"Šipka\"\" Novák\"\r\n3. místo;\"\"\"\"\r\n"
                    "4. místo;\"a\rb\"\r\n5-6. místo;\"a\nb\"\r\n"},
        CsvCase{"what a spreadsheet must not mistake for markup or a separator stays as typed",
                {"1. místo <b>x</b>", "2. místo a,b", "3. místo  mezera "},
                kHead + "1. místo;<b>x</b>\r\n2. místo;a,b\r\n3. místo; mezera \r\n"},
        CsvCase{"a line without a placing keeps its text as the name", {"Eva"}, kHead + ";Eva\r\n"}));

class Exports : public WorkDir {
protected:
    void SetUp() override
    {
        WorkDir::SetUp();
        fs::create_directory("export");
        fs::create_directory("vysledky");
    }
};

TEST_F(Exports, CsvAndPdfLandInTheExportFolderWithTheirConfirmations)
{
    EXPECT_EQ(exportResultsCsv("Velká cena", {"1. místo Eva"}),
              "Výsledková listina byla uložena do adresáře export jako soubor: Velká cena.csv");
    EXPECT_EQ(readWholeFile("export/Velká cena.csv"), kHead + "1. místo;Eva\r\n");
    EXPECT_EQ(exportBracketPdf("Velká cena", "%PDF-1.4 body"),
              "Pavouk byl uložen do adresáře export jako soubor: Velká cena - pavouk.pdf");
    EXPECT_EQ(readWholeFile("export/Velká cena - pavouk.pdf"), "%PDF-1.4 body");
    // Again: the file is replaced, not appended to.
    exportBracketPdf("Velká cena", "%PDF second");
    EXPECT_EQ(readWholeFile("export/Velká cena - pavouk.pdf"), "%PDF second");
    // An empty name makes a visible file, never a hidden ".csv".
    EXPECT_EQ(exportResultsCsv("", {}),
              "Výsledková listina byla uložena do adresáře export jako soubor: bez názvu.csv");
    EXPECT_EQ(readWholeFile("export/bez názvu.csv"), kHead);
    EXPECT_FALSE(fs::exists("export/.csv"));
}

struct NameCase {
    const char* what;
    std::string name;
    std::string file;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << c.what;
}

class FileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNames, SafeFileName)
{
    const std::string file = safeFileName(GetParam().name);
    EXPECT_EQ(file, GetParam().file);
    // What the rule gives it keeps: a name made from a file name is that file name.
    EXPECT_EQ(safeFileName(file), file);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNames,
    ::testing::Values(NameCase{"an ordinary name stays as typed", "Velká cena Brna", "Velká cena Brna"},
                      NameCase{"a season with a slash", "Zimní liga 2025/2026", "Zimní liga 2025-2026"},
                      NameCase{"every forbidden character", "a/b\\c:d*e?f\"g<h>i|j", "a-b-c-d-e-f-g-h-i-j"},
                      NameCase{"control characters",
                               std::string("a\tb\nc\rd\x01"
                                           "e\x7F"
                                           "f\0g",
                                           13),
                               "a-b-c-d-e-f-g"},
                      NameCase{"C1 controls are characters too",
                               "a\xC2\x85"
                               "b\xC2\x9F"
                               "c\xC2\xA0"
                               "d",
                               "a-b-c\xC2\xA0"
                               "d"},
                      NameCase{"bytes that are not UTF-8",
                               "a\xFF"
                               "b\xC3"
                               "c\xE2\x82"
                               "d\xED\xA0\x80"
                               "e",
                               "a-b-c--d---e"},
                      NameCase{"dots and spaces go from both ends", " . Cena. 1. kolo . ", "Cena. 1. kolo"},
                      NameCase{"dots inside stay", "a..b", "a..b"},
                      NameCase{"what leads up a folder", "../../ven", "-..-ven"},
                      NameCase{"an absolute path", "/tmp/ven", "-tmp-ven"}, NameCase{"empty", "", "bez názvu"},
                      NameCase{"only dots and spaces", " .. . ", "bez názvu"}, NameCase{"a lone dot", ".", "bez názvu"},
                      NameCase{"hidden-file name", ".zorbon", "zorbon"},
                      NameCase{"a forbidden character alone stays visible", "/", "-"},
                      NameCase{"accents, symbols and emoji stay", "Šipky & pivo 🎯 #1 (finále) 100%",
                               "Šipky & pivo 🎯 #1 (finále) 100%"},
                      NameCase{"too long: cut to 240 bytes", std::string(300, 'x'), std::string(240, 'x')},
                      NameCase{"too long: never half a character",
                               "a" +
                                   [] {
                                       std::string s;
                                       for (int i = 0; i < 150; ++i)
                                           s += "ž";
                                       return s;
                                   }(),
                               "a" +
                                   [] {
                                       std::string s;
                                       for (int i = 0; i < 119; ++i)
                                           s += "ž";
                                       return s;
                                   }()},
                      NameCase{"too long: what the cut leaves at the end is trimmed", std::string(239, 'x') + " .yyy",
                               std::string(239, 'x')}));

TEST(FileNameProperty, AnyBytesGiveAFileNameEveryFileSystemTakes)
{
    std::mt19937 random(20251209);
    // Bytes weighted towards what breaks names: the forbidden ones, dots, spaces, UTF-8 pieces.
    const std::string pieces[] = {"/",  "\\",   ":",    "*",        "?",
                                  "\"", "<",    ">",    "|",        ".",
                                  " ",  "\x01", "\x7F", "\xC2\x85", "ž",
                                  "Š",  "🎯",    "\xC3", "\xFF",     "\xED\xA0\x80",
                                  "a",  "Z",    "-",    "..",       std::string(1, '\0')};
    for (int round = 0; round < 5000; ++round) {
        std::string name;
        const int n = static_cast<int>(random() % 140);
        for (int i = 0; i < n; ++i)
            name += pieces[random() % std::size(pieces)];
        const std::string file = safeFileName(name);
        ASSERT_FALSE(file.empty());
        ASSERT_LE(file.size(), 240u);
        ASSERT_EQ(file.find_first_of(std::string("/\\:*?\"<>|\x7F\0", 11)), std::string::npos) << file;
        for (const char c : file)
            ASSERT_GE(static_cast<unsigned char>(c), 0x20) << file;
        ASSERT_NE(file.front(), '.');
        ASSERT_NE(file.front(), ' ');
        ASSERT_NE(file.back(), '.');
        ASSERT_NE(file.back(), ' ');
        // Idempotent, so also well-formed UTF-8: a byte of a broken character would turn into "-".
        ASSERT_EQ(safeFileName(file), file);
    }
}

// Every file a tournament name makes, with the confirmation that names it.
struct Written {
    std::string path;
    std::string confirmation;
};

std::vector<Written> writeAllFour(const std::string& name)
{
    const std::vector<std::string> shown = {"1. místo Eva"};
    std::vector<Written> out;
    out.push_back({"vysledky/" + safeFileName(name) + ".txt", saveResultsText(name, shown)});
    out.push_back({"export/" + safeFileName(name) + ".htm", exportResultsHtml({name, "Brno", "1. 1. 2026"}, 5, shown)});
    out.push_back({"export/" + safeFileName(name) + ".csv", exportResultsCsv(name, shown)});
    out.push_back({"export/" + safeFileName(name) + " - pavouk.pdf", exportBracketPdf(name, "%PDF")});
    return out;
}

TEST_F(Exports, EveryNameSavesInsideItsFolderUnderItsSafeName)
{
    fs::create_directories("vysledky/a");
    const std::string tooLong(300, 'x');
    for (const std::string& name : {std::string("a/b"), std::string("a\\b"), std::string(".."), std::string("../ven"),
                                    std::string("/tmp/ven"), std::string("a/../../b"), std::string("a\0b", 3),
                                    std::string("Zimní liga 2025/2026"), tooLong, std::string(""), std::string("  ")}) {
        const std::vector<Written> files = writeAllFour(name);
        const std::string file = safeFileName(name);
        EXPECT_EQ(files[0].confirmation,
                  "Výsledková listina byla uložena do adresáře vysledky jako soubor: " + file + ".txt");
        EXPECT_EQ(files[1].confirmation, "Uloženo v adresáři export pod názvem" + file + ".htm");
        EXPECT_EQ(files[2].confirmation,
                  "Výsledková listina byla uložena do adresáře export jako soubor: " + file + ".csv");
        EXPECT_EQ(files[3].confirmation, "Pavouk byl uložen do adresáře export jako soubor: " + file + " - pavouk.pdf");
        for (const Written& w : files)
            EXPECT_TRUE(fs::is_regular_file(w.path)) << w.path;
    }
    // Nothing outside the two folders, nothing hidden, nothing in a folder below them.
    for (const auto& e : fs::recursive_directory_iterator(".")) {
        const std::string p = e.path().lexically_relative(".").string();
        EXPECT_TRUE(p.rfind("vysledky", 0) == 0 || p.rfind("export", 0) == 0) << p;
        EXPECT_NE(e.path().filename().string().front(), '.') << p;
        if (e.is_regular_file()) {
            EXPECT_EQ(std::count(p.begin(), p.end(), '/'), 1) << p;
        }
    }
    EXPECT_TRUE(fs::is_empty("vysledky/a"));
    EXPECT_FALSE(fs::exists("/tmp/ven.txt") || fs::exists("/tmp/ven - pavouk.pdf"));
    // The list itself is in Windows-1250.
    EXPECT_EQ(readWholeFile("vysledky/Zimní liga 2025-2026.txt"), "1. m\xEDsto Eva\r\n");
}

TEST_F(Exports, AMissingExportFolderFailsTheSameWay)
{
    fs::remove("export");
    EXPECT_EQ(errorOf([] { exportResultsCsv("Turnaj", {}); }), "Cannot create file export/Turnaj.csv");
    EXPECT_EQ(errorOf([] { exportBracketPdf("Turnaj", "%PDF"); }), "Cannot create file export/Turnaj - pavouk.pdf");
    // The report names the file as it would have been written.
    EXPECT_EQ(errorOf([] { exportResultsCsv("a/b", {}); }), "Cannot create file export/a-b.csv");
    EXPECT_EQ(tree(), "./vysledky|");
}

TEST_F(Exports, AFolderInTheWayOfTheFileFailsWithoutTouchingIt)
{
    fs::create_directories("export/Turnaj.csv/inside");
    EXPECT_EQ(errorOf([] { exportResultsCsv("Turnaj", {}); }), "Cannot create file export/Turnaj.csv");
    EXPECT_TRUE(fs::is_directory("export/Turnaj.csv/inside"));
}
