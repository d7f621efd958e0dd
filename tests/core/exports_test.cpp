// The files of "export/": the CSV of the standings byte for byte, and the one name check and write
// that every list and export goes through.

#include "records/errors.h"
#include "records/files.h"
#include "results/exports.h"
#include "workdir.h"

#include <filesystem>
#include <fstream>

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
    // An empty name still makes a file, named by its ending alone.
    exportResultsCsv("", {});
    EXPECT_EQ(readWholeFile("export/.csv"), kHead);
}

TEST_F(Exports, ANameThatCannotMakeAFileWritesNothing)
{
    const std::string tooLong(300, 'x');
    for (const std::string& name : {std::string("a/b"), std::string("a\\b"), std::string(".."), std::string("../ven"),
                                    std::string("/tmp/ven"), std::string("a\0b", 3), tooLong}) {
        const std::string before = tree();
        // The report is a C string: a NUL inside the name ends it there.
        EXPECT_EQ(errorOf([&] { exportResultsCsv(name, {"1. místo Eva"}); }),
                  ("Cannot create file export/" + name + ".csv").c_str());
        EXPECT_EQ(errorOf([&] { exportBracketPdf(name, "%PDF"); }),
                  ("Cannot create file export/" + name + " - pavouk.pdf").c_str());
        EXPECT_EQ(tree(), before) << name;
    }
    EXPECT_FALSE(fs::exists("ven.csv"));
    EXPECT_FALSE(fs::exists("/tmp/ven - pavouk.pdf"));
}

TEST_F(Exports, AMissingExportFolderFailsTheSameWay)
{
    fs::remove("export");
    EXPECT_EQ(errorOf([] { exportResultsCsv("Turnaj", {}); }), "Cannot create file export/Turnaj.csv");
    EXPECT_EQ(errorOf([] { exportBracketPdf("Turnaj", "%PDF"); }), "Cannot create file export/Turnaj - pavouk.pdf");
    EXPECT_EQ(tree(), "./vysledky|");
}

TEST_F(Exports, ExportPathRefusesOnlyWhatLeadsOutOfTheFolder)
{
    EXPECT_EQ(exportPath("vysledky", "Cena. 1. kolo", ".txt"), "vysledky/Cena. 1. kolo.txt");
    EXPECT_EQ(exportPath("export", "", ".htm"), "export/.htm");
    EXPECT_EQ(errorOf([] { exportPath("export", "a..b", ".htm"); }), "Cannot create file export/a..b.htm");
}
