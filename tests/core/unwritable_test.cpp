// Folders that cannot be written: every command that writes reports the file error, the program
// goes on with what needs no writing, and nothing already written is lost.
//
// Permissions do not stop root, so as root each case runs in a child process that has given up
// its rights (user and group 65534); as any other user it runs in place.

#include "boards/calling.h"
#include "bracket/result.h"
#include "engine.h"
#include "records/errors.h"
#include "records/files.h"
#include "lobby/lobby.h"
#include "records/roster.h"
#include "results/standings.h"

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
constexpr auto kShared = kOpen | fs::perms::group_write | fs::perms::others_write; // so the unprivileged child may write

// Runs body without the right to write into read-only folders, and fails if it failed.
void withoutRoot(const std::function<void()>& body)
{
    if (::geteuid() != 0) {
        body();
        return;
    }
    std::fflush(stdout);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        body();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged child died";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged child failed (see above)";
}

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
        LoadRegistration(lobby);
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
    Lobby lobby;
};

} // namespace

TEST_F(Unwritable, ASetupFolderThatCannotBeWrittenStopsEveryCommandThatWritesIt)
{
    // A tournament in play first, drawn while the folder could still be written.
    Lcg rng(5);
    Names list = kRoster;
    ASSERT_EQ(Draw(brackets, list, rng).size, 8);
    boards(2);
    SaveRoster(kRoster);
    Bracket& b = brackets.b8;
    fs::permissions(kSetupDir, kReadOnly);

    withoutRoot([&] {
        const std::string before = state();
        const std::string bracket = snapshot(b);
        Session session;
        session.lobby = lobby;
        Names kept;
        Names drawList = kRoster;
        Lcg again(1);
        const std::pair<const char*, std::function<void()>> commands[] = {
            {"Přidej", [&] { AddPlayer(lobby, "Nový"); }},
            {"Vymaž", [&] { DeleteAllPlayers(lobby); }},
            {"Konec", [&] { ClearOnExit(lobby); }},
            {"zavření pavouka", [&] { CloseTournament(session); }},
            {"Rozlosuj", [&] { Draw(brackets, drawList, again); }},
            {"Terče", [&] { ApplyBoardCount(brackets, 1); }},
        };
        for (const auto& [name, command] : commands) {
            EXPECT_EQ(ioError(command), "Access denied") << name;
            EXPECT_EQ(state(), before) << name;
            EXPECT_EQ(snapshot(b), bracket) << name;
        }
        EXPECT_EQ(drawList, kRoster);
        EXPECT_TRUE(session.lobby.header.exists());

        // Removal saves the roster first, as its steps say: that fails and keeps every line on disk.
        EXPECT_EQ(ioError([&] { RemovePlayer(lobby, "Jan", kept); }), "Access denied");
        EXPECT_EQ(ReadRoster(), kRoster);
        EXPECT_EQ(ReadRecord().PlayerCount, 5);

        // The tournament goes on: calling, results and the standings need no write to the folder.
        ASSERT_NO_THROW(CallReadyMatches(b, say()));
        ASSERT_NE(b.board(1).state, BoardState::Free);
        EXPECT_TRUE(EnterResult(b, 1, "3", "1").accepted);
        EXPECT_NO_THROW(Standings(b));
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
        EXPECT_EQ(ioError([&] { AddPlayer(lobby, "Nový"); }), "Access denied");
        EXPECT_EQ(lobby.registered, kRoster);
        EXPECT_EQ(lobby.registrationList, kRoster);
    });
    // Once the folder can be written again, the next name is counted and saved with the others.
    fs::permissions(kSetupDir, kOpen);
    ASSERT_TRUE(AddPlayer(lobby, "Nový").accepted);
    Names six = kRoster;
    six.push_back("Nový");
    EXPECT_EQ(ReadRoster(), six);
    EXPECT_EQ(ReadRecord().PlayerCount, 6);
    EXPECT_EQ(lobby.registered, six);
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
        const std::string save = ioError([&] { SaveResultsText("Turnaj", shown); });
        const std::string exported = ioError([&] { ExportResultsHtml(header, shown); });
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
                             return std::string(param.param.folder) + (param.param.pathIsAFile ? "IsAFile" : "ReadOnly");
                         });

TEST_F(Unwritable, ASetupPathThatIsAFileStopsEvenRoot)
{
    fs::permissions(kSetupDir, kOpen);
    fs::remove_all(kSetupDir);
    std::ofstream(kSetupDir, std::ios::binary) << "not a folder";
    EXPECT_EQ(ioError([&] { AddPlayer(lobby, "Nový"); }), "Path not found");
    EXPECT_EQ(ioError([&] { LoadMainWindow(lobby); }), "Path not found");
    EXPECT_EQ(ioError([&] { SaveRoster({"Eva"}); }), "Path not found");
    EXPECT_EQ(lobby.registered, kRoster);
    EXPECT_EQ(readWholeFile(kSetupDir), "not a folder");
    // Start-up cannot make the folder either and says so; nothing is overwritten.
    EXPECT_FALSE(EnsureWorkingLayout());
    EXPECT_EQ(readWholeFile(kSetupDir), "not a folder");
}
