// Folders that cannot be written: every command that writes reports the file error, the program
// goes on with what needs no writing, and nothing already written is lost.
//
// Permissions do not stop root, so as root each case runs in a child process that has given up
// its rights (user and group 65534); as any other user it runs in place.

#include "boards/calling.h"
#include "bracket/result.h"
#include "engine.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/roster.h"
#include "results/standings.h"
#include "unprivileged.h"

#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace zorbon;
using namespace zorbon::test;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
constexpr auto kOpen = kReadOnly | fs::perms::owner_write;
constexpr auto kShared =
    kOpen | fs::perms::group_write | fs::perms::others_write; // so the unprivileged child may write

std::string ioError(const std::function<void()>& f)
{
    try {
        f();
    } catch (const IoError& e) {
        return e.what();
    }
    return "no error";
}

class Unwritable : public Engine {
protected:
    void SetUp() override
    {
        Engine::SetUp();
        WriteRecord({5, 2, 1, 77});
        SaveRoster(kRoster);
        std::ofstream("vysledky/Turnaj.txt", std::ios::binary) << "earlier list\r\n";
        std::ofstream("export/Turnaj.htm", std::ios::binary) << "earlier page\r\n";
        // Everyone may read and enter; only the folder under test is then made read-only.
        for (const char* p : {".", "data", kSetupDir})
            fs::permissions(p, kOpen);
        for (const char* p : {"vysledky", "export"})
            fs::permissions(p, kShared);
        for (const char* p : {kRecordPath, kRosterPath, "vysledky/Turnaj.txt", "export/Turnaj.htm"})
            fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::others_read);
        lobby.header = {"Turnaj", "Brno", "1.5."};
        lobby.registered = kRoster;
        ASSERT_TRUE(t.showRegistration().ok());
    }
    void TearDown() override
    {
        for (const char* p : {kSetupDir, "vysledky", "export"})
            fs::permissions(p, kOpen);
        Engine::TearDown();
    }

    // Everything a write could have damaged or a command could have changed, as one text.
    std::string state() const
    {
        std::string s = readWholeFile(kRecordPath) + "|" + readWholeFile(kRosterPath) + "|" +
                        readWholeFile("vysledky/Turnaj.txt") + "|" + readWholeFile("export/Turnaj.htm") + "|";
        for (const auto* list : {&lobby.registered, &lobby.registrationList})
            for (const auto& n : *list)
                s += n + ",";
        s += std::to_string(lobby.count) + "|" + lobby.header.name;
        for (const auto& e : fs::recursive_directory_iterator("."))
            s += "|" + e.path().string();
        return s;
    }

    const Names kRoster = {"Eva", "Jan", "Ota", "Petr", "Šárka"};
    Lobby& lobby = t.editableSession().lobby;
};

} // namespace

TEST_F(Unwritable, ASetupFolderThatCannotBeWrittenStopsEveryCommandThatWritesIt)
{
    // A tournament in play first, drawn while the folder could still be written.
    ASSERT_TRUE(t.draw(5).ok());
    ASSERT_EQ(t.session().activeSize, 8);
    boards(2);
    SaveRoster(kRoster);
    Bracket& b = brackets.bySize(8);
    // The draw consumed the main window's list; a second draw would find the names there again.
    lobby.registered = kRoster;
    fs::permissions(kSetupDir, kReadOnly);

    withoutRoot([&] {
        const std::string before = state();
        const std::string bracket = snapshot(b);
        const std::pair<const char*, std::function<Outcome()>> commands[] = {
            {"Přidej", [&] { return t.addPlayer("Nový"); }},
            {"Vymaž", [&] { return t.deleteAllPlayers(); }},
            {"Konec", [&] { return t.exitProgram(); }},
            {"zavření pavouka", [&] { return t.closeTournament(); }},
            {"Rozlosuj", [&] { return t.draw(1); }},
            {"Terče", [&] { return t.setBoardCount(1, zorbon::Tournament::BoardCountFrom::Terce); }},
        };
        for (const auto& [name, command] : commands) {
            EXPECT_EQ(failure(command()), "Access denied") << name;
            EXPECT_EQ(state(), before) << name;
            EXPECT_EQ(snapshot(b), bracket) << name;
            EXPECT_EQ(t.session().activeSize, 8) << name;
        }
        EXPECT_EQ(lobby.registered, kRoster);
        EXPECT_TRUE(lobby.header.exists());

        // Removal saves the roster first, as its steps say: that fails and keeps every line on disk.
        EXPECT_EQ(failure(t.removePlayer("Jan")), "Access denied");
        EXPECT_EQ(ReadRoster(), kRoster);
        EXPECT_EQ(ReadRecord().PlayerCount, 5);

        // The tournament goes on: calling, results and the standings need no write to the folder.
        ASSERT_TRUE(t.callReadyMatches(say()).ok());
        ASSERT_NE(b.board(1).state, BoardState::Free);
        EXPECT_TRUE(t.enterResult(1, "3", "1").ok());
        EXPECT_NO_THROW(standings(b));
        EXPECT_TRUE(t.showStandings().ok());
        // Nothing was left behind in the folder by the failed writes.
        Names inSetup;
        for (const auto& e : fs::directory_iterator(kSetupDir))
            inSetup.push_back(e.path().filename().string());
        std::sort(inSetup.begin(), inSetup.end());
        EXPECT_EQ(inSetup, (Names{"Hráči.szn", "ulozeni.dta"}));
    });
}

TEST_F(Unwritable, ARegistrationThatCannotBeSavedLeavesNoUnsavedNameOnScreen)
{
    fs::permissions(kSetupDir, kReadOnly);
    withoutRoot([&] {
        EXPECT_EQ(failure(t.addPlayer("Nový")), "Access denied");
        EXPECT_EQ(lobby.registered, kRoster);
        EXPECT_EQ(lobby.registrationList, kRoster);
    });
    // Once the folder can be written again, the next name is counted and saved with the others.
    fs::permissions(kSetupDir, kOpen);
    ASSERT_TRUE(t.addPlayer("Nový").ok());
    Names six = kRoster;
    six.push_back("Nový");
    EXPECT_EQ(ReadRoster(), six);
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
    EXPECT_EQ(lobby.registered, six);
}

// A roster that cannot be saved once the record is written: the lists were already emptied or
// rebuilt, but the count label only changes after the save, so it still shows the old count.
namespace {

// The roster path taken by a folder: the record beside it can still be written, the roster not.
void blockRoster()
{
    fs::remove(kRosterPath);
    fs::create_directories(std::string(kRosterPath) + "/x");
}

} // namespace

TEST_F(Unwritable, ADeleteAllWhoseRosterCannotBeSavedKeepsTheCountLabel)
{
    lobby.registered.clear();
    ASSERT_TRUE(t.showMainWindow().ok());
    ASSERT_EQ(lobby.shownCount, 5);
    blockRoster();
    EXPECT_EQ(failure(t.deleteAllPlayers()), "Access denied");
    EXPECT_EQ(ReadRecord(), (TournamentRecord{0, 2, 1, 77}));
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_TRUE(lobby.registrationList.empty());
    EXPECT_EQ(lobby.shownCount, 5);
    EXPECT_EQ(lobby.count, 5);
}

TEST_F(Unwritable, ARemovalWhoseRosterCannotBeSavedKeepsTheCountLabel)
{
    lobby.registered.clear();
    ASSERT_TRUE(t.showMainWindow().ok());
    ASSERT_EQ(lobby.shownCount, 5);
    fs::permissions(kSetupDir, kReadOnly);
    withoutRoot([&] {
        const Result<Names> kept = t.removePlayer("Jan");
        EXPECT_EQ(failure(kept), "Access denied");
        const Names others = {"Eva", "Ota", "Petr", "Šárka"};
        EXPECT_EQ(kept.value(), others);
        EXPECT_EQ(lobby.registered, others); // rebuilt while the roster was read
        EXPECT_EQ(ReadRoster(), kRoster);
        EXPECT_EQ(ReadRecord().PlayerCount, 5);
        EXPECT_EQ(lobby.shownCount, 5);
        EXPECT_EQ(lobby.count, 5);
    });
}

TEST_F(Unwritable, AClosingWhoseRosterCannotBeSavedKeepsTheCountLabelAndTheTournament)
{
    lobby.registered.clear();
    ASSERT_TRUE(t.showMainWindow().ok());
    ASSERT_TRUE(t.draw(5).ok());
    boards(2);
    ASSERT_EQ(lobby.shownCount, 5);
    t.editableSession().boardCountChoice = 2;
    blockRoster();
    EXPECT_EQ(failure(t.closeTournament()), "Access denied");
    EXPECT_EQ(ReadRecord(), (TournamentRecord{0, 2, 0, 77}));
    EXPECT_TRUE(lobby.registered.empty());
    EXPECT_TRUE(lobby.registrationList.empty());
    EXPECT_EQ(lobby.shownCount, 5);
    EXPECT_EQ(lobby.count, 5);
    // The clear-down stopped before the header, the board-count choice and the bracket.
    EXPECT_EQ(lobby.header.name, "Turnaj");
    EXPECT_EQ(t.session().boardCountChoice, 2);
    EXPECT_EQ(t.session().activeSize, 8);
}

struct ResultFolderCase {
    const char* folder;
    bool pathIsAFile; // the folder replaced by a plain file: refused even to root
};

class UnwritableResults : public Unwritable, public ::testing::WithParamInterface<ResultFolderCase> {};

TEST_P(UnwritableResults, SaveAndExportReportTheFileAndKeepWhatWasThere)
{
    const ResultFolderCase& c = GetParam();
    const std::string folder = c.folder;
    const TournamentHeader header{"Turnaj", "Brno", "1.5."};
    const Names shown = {"1. místo Eva", "2. místo Jan"};
    if (c.pathIsAFile) {
        fs::remove_all(folder);
        std::ofstream(folder, std::ios::binary) << "not a folder";
    } else {
        fs::permissions(folder, kReadOnly);
    }
    auto run = [&] {
        const std::string save = failure(t.saveResultsText({header, std::nullopt, shown}));
        const std::string exported = failure(t.exportResultsHtml({header, std::nullopt, shown}));
        EXPECT_EQ(save, folder == "vysledky" ? "Cannot create file vysledky/Turnaj.txt" : "no error");
        EXPECT_EQ(exported, folder == "export" ? "Cannot create file export/Turnaj.htm" : "no error");
        // What was saved before is still there, whole.
        if (!c.pathIsAFile)
            EXPECT_EQ(readWholeFile(folder + (folder == "vysledky" ? "/Turnaj.txt" : "/Turnaj.htm")),
                      folder == "vysledky" ? "earlier list\r\n" : "earlier page\r\n");
        else
            EXPECT_EQ(readWholeFile(folder), "not a folder");
        EXPECT_EQ(ReadRecord(), (TournamentRecord{5, 2, 1, 77}));
        EXPECT_EQ(ReadRoster(), kRoster);
    };
    if (c.pathIsAFile)
        run();
    else
        withoutRoot(run);
}

INSTANTIATE_TEST_SUITE_P(Folders, UnwritableResults,
                         ::testing::Values(ResultFolderCase{"vysledky", false}, ResultFolderCase{"export", false},
                                           ResultFolderCase{"vysledky", true}, ResultFolderCase{"export", true}),
                         [](const auto& param) {
                             return std::string(param.param.folder) +
                                    (param.param.pathIsAFile ? "IsAFile" : "ReadOnly");
                         });

TEST_F(Unwritable, ASetupPathThatIsAFileStopsEvenRoot)
{
    fs::permissions(kSetupDir, kOpen);
    fs::remove_all(kSetupDir);
    std::ofstream(kSetupDir, std::ios::binary) << "not a folder";
    EXPECT_EQ(failure(t.addPlayer("Nový")), "Path not found");
    EXPECT_EQ(failure(t.showMainWindow()), "Path not found");
    EXPECT_EQ(ioError([&] { SaveRoster({"Eva"}); }), "Path not found");
    EXPECT_EQ(lobby.registered, kRoster);
    EXPECT_EQ(readWholeFile(kSetupDir), "not a folder");
    // Start-up cannot make the folder either and says so; nothing is overwritten.
    EXPECT_FALSE(ensureWorkingLayout());
    EXPECT_EQ(readWholeFile(kSetupDir), "not a folder");
}
