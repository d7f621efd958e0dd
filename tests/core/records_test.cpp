#include "records/errors.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "records/textcodec.h"
#include "workdir.h"

#include <climits>
#include <fstream>

using namespace zorbon;
namespace fs = std::filesystem;

namespace {

class Records : public WorkDir {
protected:
    void SetUp() override
    {
        WorkDir::SetUp();
        ASSERT_TRUE(ensureWorkingLayout());
    }
    static void put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    static std::string get(const fs::path& p) { return readWholeFile(p); }
};

std::string ioMessage(void (*f)())
{
    try {
        f();
    } catch (const IoError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST_F(Records, LayoutStartsZeroedAndIsNeverOverwritten)
{
    EXPECT_EQ(get(kRecordPath), std::string(16, '\0'));
    EXPECT_EQ(get(kRosterPath), "");
    EXPECT_TRUE(fs::is_directory("vysledky"));
    EXPECT_TRUE(fs::is_directory("export"));
    WriteRecord({3, 1, 2, 7});
    SaveRoster({"A"});
    EXPECT_TRUE(ensureWorkingLayout());
    EXPECT_EQ(ReadRecord(), (TournamentRecord{3, 1, 2, 7}));
    EXPECT_EQ(ReadRoster(), std::vector<std::string>{"A"});
}

TEST_F(Records, RecordIsSixteenLittleEndianBytes)
{
    WriteRecord({1, -2, INT_MAX, INT_MIN});
    EXPECT_EQ(get(kRecordPath), std::string("\x01\0\0\0\xfe\xff\xff\xff\xff\xff\xff\x7f\0\0\0\x80", 16));
    EXPECT_EQ(ReadRecord(), (TournamentRecord{1, -2, INT_MAX, INT_MIN}));
}

TEST_F(Records, LongRecordIsReadFromItsStartAndTruncatedByTheNextWrite)
{
    put(kRecordPath, std::string("\x05\0\0\0\x01\0\0\0\x02\0\0\0\x09\0\0\0garbage", 23));
    EXPECT_EQ(ReadRecord(), (TournamentRecord{5, 1, 2, 9}));
    WriteRecord(ReadRecord());
    EXPECT_EQ(fs::file_size(kRecordPath), 16u);
}

TEST_F(Records, ShortMissingAndFolderlessRecordsFailWithTheRunTimeReport)
{
    for (int n : {0, 1, 15}) {
        put(kRecordPath, std::string(static_cast<std::size_t>(n), '\x01'));
        EXPECT_EQ(ioMessage([] { ReadRecord(); }), "Read beyond end of file") << n;
    }
    fs::remove(kRecordPath);
    EXPECT_EQ(ioMessage([] { ReadRecord(); }), "File not found");
    fs::remove_all("data");
    EXPECT_EQ(ioMessage([] { ReadRecord(); }), "Path not found");
    EXPECT_EQ(ioMessage([] { WriteRecord({}); }), "Path not found");
    EXPECT_EQ(ioMessage([] { ReadRoster(); }), "Path not found");
    EXPECT_FALSE(fs::exists(kRecordPath));
}

TEST_F(Records, RosterRoundTripsCzechNamesInWindows1250WithCrLf)
{
    const std::vector<std::string> names{"Jiří Čermák", "Šárka Žitná", " leading", "trailing ", "ďťň ŘŮ"};
    SaveRoster(names);
    const std::string bytes = get(kRosterPath);
    EXPECT_EQ(bytes.substr(0, 13), "Ji\xF8\xED \xC8"
                                   "erm\xE1k\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(ReadRoster(), names);
    SaveRoster({});
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);
    EXPECT_TRUE(ReadRoster().empty());
}

TEST_F(Records, RosterLinesEndAtCrLfOrLfAlone)
{
    put(kRosterPath, "a\r\nb\nc\rd\n\r\nlast");
    EXPECT_EQ(ReadRoster(), (std::vector<std::string>{"a", "b", "c\rd", "", "last"}));
    put(kRosterPath, std::string("x\0y\r\n", 5));
    EXPECT_EQ(ReadRoster(), std::vector<std::string>{std::string("x\0y", 3)});
}

TEST_F(Records, BytesUndefinedInTheCodePageSurviveAReadAndARewrite)
{
    const std::string damaged("\x81\x83\x88\x90\x98 \xE8\r\n", 9);
    put(kRosterPath, damaged);
    SaveRoster(ReadRoster());
    EXPECT_EQ(get(kRosterPath), damaged);
}

TEST_F(Records, TextOutsideTheCodePageIsRefusedNotMangled)
{
    EXPECT_FALSE(fitsCp1250("漢字"));
    EXPECT_FALSE(fitsCp1250("\xF0\x9F\x8E\xAF"));
    EXPECT_FALSE(fitsCp1250("\xC3")); // broken UTF-8
    EXPECT_TRUE(fitsCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy"));
    SaveRoster({"A"});
    EXPECT_THROW(SaveRoster({"B", "漢字"}), IoError);
    EXPECT_EQ(ReadRoster(), std::vector<std::string>{"A"});
}

TEST_F(Records, ReplaceLeavesNoTemporaryFilesAndKeepsTheOldFileOnFailure)
{
    for (int i = 0; i < 20; ++i)
        WriteRecord({i, 0, 0, 0});
    int files = 0;
    for (const auto& e : fs::directory_iterator(kSetupDir)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2);
    EXPECT_THROW(replaceFile("nonexistent/dir/file", "x"), IoError);
}

TEST(ParseInt, ReadsAsTheRunTimeDoes)
{
    EXPECT_EQ(parseInt(" 3"), 3);
    EXPECT_EQ(parseInt("   12"), 12);
    EXPECT_EQ(parseInt("007"), 7);
    EXPECT_EQ(parseInt("-5"), -5);
    EXPECT_EQ(parseInt("2147483647"), INT_MAX);
    EXPECT_EQ(parseInt("-2147483648"), INT_MIN);
    for (const char* bad : {"", " ", "  ", "3 ", "1a", "2147483648", "99999999999999999999", "+", "\t1"})
        EXPECT_THROW(parseInt(bad), ConvertError) << '"' << bad << '"';
    EXPECT_EQ(parseInt(std::string(1000, '0')), 0);
    try {
        parseInt("x");
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
}
