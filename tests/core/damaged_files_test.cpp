// Damaged and hostile working files: every command run against a record and a roster in every
// shape they can be found in. Each command either does what its rules say for those values or
// stops with the file error and has changed nothing.

#include "boards/calling.h"
#include "bracket/result.h"
#include "engine.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/roster.h"
#include "results/standings.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <optional>

using namespace zorbon;
using namespace zorbon::test;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

std::string le(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d)
{
    std::string s;
    for (std::int32_t v : {a, b, c, d})
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}

std::string fileOrNone(const char* path)
{
    std::error_code ec;
    return fs::exists(path, ec) ? readWholeFile(path) : "<none>";
}

void put(const char* path, const std::optional<std::string>& bytes)
{
    fs::remove(path);
    if (bytes)
        std::ofstream(path, std::ios::binary) << *bytes;
}

// The main window's list, the registration list and what they show, as one comparable text.
std::string lobbyText(const Lobby& l)
{
    std::string s = std::to_string(l.count) + "|" + (l.shownCount ? std::to_string(*l.shownCount) : "-") + "|" +
                    l.header.name + "|";
    for (const auto* list : {&l.registered, &l.registrationList}) {
        for (const auto& n : *list)
            s += n + ",";
        s += "|";
    }
    return s;
}

// --- The record ---------------------------------------------------------------------------------

const Names kRoster = {"Eva", "Jan", "Ota", "Petr", "Šárka"}; // five players: the 8 bracket with byes

struct RecordCase {
    std::string label;
    std::optional<std::string> bytes; // nullopt: no file at all
    bool readable() const { return bytes && bytes->size() >= 16; }
    std::string failure() const { return bytes ? "Read beyond end of file" : "File not found"; }
    std::int32_t field(int i) const
    {
        std::int32_t v = 0;
        std::memcpy(&v, bytes->data() + 4 * i, 4);
        return v;
    }
};

std::vector<RecordCase> recordCases()
{
    std::vector<RecordCase> cases{{"missing", std::nullopt}, {"empty", ""}};
    const std::string whole = le(5, 2, 1, 77);
    for (std::size_t n = 1; n <= 15; ++n)
        cases.push_back({"short" + std::to_string(n), whole.substr(0, n)});
    cases.push_back({"exact", whole});
    cases.push_back({"long", whole + "ballast after the record"});
    cases.push_back({"negative", le(-1, -1, -1, -1)});
    cases.push_back({"max", le(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX)});
    cases.push_back({"min", le(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN)});
    cases.push_back({"countAboveRoster", le(6, 2, 1, 77)});
    cases.push_back({"countBelowRoster", le(4, 2, 1, 77)});
    cases.push_back({"zero", le(0, 0, 0, 0)});
    return cases;
}

class DamagedRecord : public Engine, public ::testing::WithParamInterface<RecordCase> {
protected:
    void SetUp() override
    {
        Engine::SetUp();
        SaveRoster(kRoster);
        session.lobby.header = {"Turnaj", "Brno", "1.5."};
        session.lobby.registered = kRoster; // as the main window holds them
    }
    void damage() { put(kRecordPath, GetParam().bytes); }

    // Runs a command that must stop at its first read of the record: the report is the run-time's,
    // and neither the files nor anything the windows show has changed.
    template <class F> void expectStopped(const char* what, F&& command)
    {
        const std::string record = fileOrNone(kRecordPath);
        const std::string roster = fileOrNone(kRosterPath);
        const std::string lobby = lobbyText(session.lobby);
        const std::string bracket = snapshot(brackets.bySize(16)) + snapshot(brackets.bySize(8));
        const int active = session.activeSize;
        const Outcome out = command();
        EXPECT_TRUE(out.isFailed()) << what << " went on without a whole record";
        EXPECT_EQ(out.message(), GetParam().failure()) << what;
        EXPECT_EQ(fileOrNone(kRecordPath), record) << what;
        EXPECT_EQ(fileOrNone(kRosterPath), roster) << what;
        EXPECT_EQ(lobbyText(session.lobby), lobby) << what;
        EXPECT_EQ(snapshot(brackets.bySize(16)) + snapshot(brackets.bySize(8)), bracket) << what;
        EXPECT_EQ(session.activeSize, active) << what;
    }

    // The record as the command left it, next to the damaged one it read.
    TournamentRecord after() { return ReadRecord(); }

    Session& session = t.editableSession();
};

std::string recordCaseName(const ::testing::TestParamInfo<RecordCase>& info)
{
    return info.param.label;
}

} // namespace

TEST_P(DamagedRecord, MainWindowCommandsFollowTheirRulesOrStopUnchanged)
{
    const RecordCase& c = GetParam();
    Lobby& lobby = session.lobby;
    damage();
    if (!c.readable()) {
        expectStopped("start", [&] { return t.showMainWindow(); });
        for (Command cmd : {Command::NovyTurnaj, Command::Vymaz, Command::Rozlosuj, Command::OdeberHrace})
            expectStopped("command", [&] { return t.check(cmd); });
        expectStopped("registration", [&] { return t.showRegistration(); });
        expectStopped("add", [&] { return t.addPlayer("Nový"); });
        expectStopped("delete all", [&] { return t.deleteAllPlayers(); });
        expectStopped("exit", [&] { return t.exitProgram(); });
        expectStopped("close", [&] { return t.closeTournament(); });
        expectStopped("draw", [&] { return t.draw(1); });
        EXPECT_EQ(session.lobby.registered, kRoster);
        expectStopped("board count", [&] { return t.boardCountLimit(); });
        // Registration itself needs no counter: it opens, and its first read then stops it.
        EXPECT_FALSE(t.check(Command::Registruj).isRefused());
        return;
    }
    const std::int32_t count = c.field(0);

    zorbon::Tournament other;
    ASSERT_TRUE(other.showMainWindow().ok());
    const Lobby& shown = other.session().lobby;
    EXPECT_EQ(shown.shownCount, count);
    EXPECT_EQ(shown.registered, kRoster);

    // Each command tests the value as stored, whatever it is.
    EXPECT_EQ(t.check(Command::NovyTurnaj).isRefused(), count != 0);
    EXPECT_EQ(t.check(Command::Vymaz).isRefused(), count == 0);
    EXPECT_EQ(t.check(Command::OdeberHrace).isRefused(), count < 1);
    EXPECT_EQ(t.check(Command::Rozlosuj).isRefused(), count == 0);
    EXPECT_EQ(session.lobby.count, count); // the draw's check refreshed the in-memory count
    EXPECT_EQ(fileOrNone(kRecordPath), *c.bytes) << "a check wrote the record";

    // Registering counts on from the stored value, wrapping like the 32-bit field it is.
    ASSERT_TRUE(t.showRegistration().ok());
    ASSERT_TRUE(t.addPlayer("Nový").ok());
    const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
    EXPECT_EQ(after(), (TournamentRecord{next, c.field(1), c.field(2), c.field(3)}));
    Names five = kRoster;
    five.push_back("Nový");
    EXPECT_EQ(ReadRoster(), five);

    // Removing sets the count to the lines kept, which mends any disagreement.
    damage();
    SaveRoster(kRoster);
    const Result<Names> kept = t.removePlayer("Jan");
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept->size(), 4u);
    EXPECT_EQ(lobby.count, 4);
    EXPECT_EQ(after(), (TournamentRecord{4, c.field(1), c.field(2), c.field(3)}));

    damage();
    SaveRoster(kRoster);
    ASSERT_TRUE(t.deleteAllPlayers().ok());
    EXPECT_EQ(after(), (TournamentRecord{0, c.field(1), c.field(2), c.field(3)}));
    EXPECT_EQ(fs::file_size(kRosterPath), 0u);

    damage();
    SaveRoster(kRoster);
    ASSERT_TRUE(t.exitProgram().ok());
    EXPECT_EQ(after(), (TournamentRecord{0, c.field(1), c.field(2), c.field(3)}));

    // The board-count dialog offers nothing beyond what a bracket for the count can use.
    EXPECT_EQ(boardLimitFor(count), count == 5 || count == 6 || count == 4 ? 2 : 0);
    damage();
    const Result<int> limit = t.boardCountLimit();
    ASSERT_TRUE(limit.ok());
    EXPECT_EQ(*limit, boardLimitFor(count));
}

TEST_P(DamagedRecord, TheDrawRefusesEveryCountItCannotSeatAndChangesNoName)
{
    const RecordCase& c = GetParam();
    damage();
    if (!c.readable())
        return; // covered with the main window's commands
    const std::int32_t count = c.field(0);
    const Outcome out = t.draw(7);
    const Names& list = session.lobby.registered;
    const char* refusal = count <= 3                                  ? "Je registrováno málo hráčů"
                          : count > 64                                ? "Je registrováno příliš mnoho hráčů"
                          : count != static_cast<int>(kRoster.size()) ? kListMismatch.data()
                                                                      : "";
    EXPECT_EQ(out.message(), refusal);
    EXPECT_FALSE(out.isFailed());
    EXPECT_EQ(after().PlayerCount, count);
    EXPECT_EQ(after().Reserved, c.field(3));
    EXPECT_EQ(after().BoardCount, 0);
    if (out.message().empty()) {
        EXPECT_TRUE(out.ok());
        EXPECT_EQ(session.activeSize, 8);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(after().FirstOpenMatch, 2);
    } else {
        EXPECT_TRUE(out.isRefused());
        EXPECT_EQ(session.activeSize, 0);
        EXPECT_EQ(list, kRoster);
        EXPECT_EQ(after().FirstOpenMatch, 1);
        EXPECT_EQ(snapshot(brackets.bySize(8)), snapshot(Bracket(8)));
    }
}

TEST_P(DamagedRecord, BracketCommandsFollowTheirRulesOrStopUnchanged)
{
    const RecordCase& c = GetParam();
    // A 16 bracket in play with a match on board 1 and one free board, all with a whole record.
    Bracket& b = drawn(9);
    boards(2);
    ASSERT_TRUE(clickToCall(b, 2, say()));
    const TournamentHeader header{"Turnaj", "Brno", "1.5."};
    damage();
    said.clear();

    if (!c.readable()) {
        expectStopped("Hraj", [&] { return t.callReadyMatches(say()); });
        expectStopped("result", [&] { return t.enterResult(1, "3", "1"); });
        expectStopped("export", [&] { return t.exportResultsHtml({header, std::nullopt, {}}); });
        expectStopped("close", [&] { return t.closeTournament(); });
        expectStopped("Terče", [&] { return t.setBoardCount(1, zorbon::Tournament::BoardCountFrom::Terce); });
        EXPECT_TRUE(fs::is_empty("export"));
        // What needs no counter still works: a click calls, the standings and the text save.
        EXPECT_TRUE(clickToCall(b, 14, say()));
        EXPECT_NO_THROW(saveResultsText("Turnaj", displayedOrder(standings(b))));
        EXPECT_TRUE(t.showStandings().ok());
        t.showResultsList();
        EXPECT_TRUE(t.saveResultsText(t.runningSheet()).ok());
        return;
    }
    const std::int32_t boardCount = c.field(2);
    hraj();
    if (boardCount < 1) {
        EXPECT_EQ(said, Names{std::string(kNoBoardSet)});
        EXPECT_EQ(b.board(2).state, BoardState::Free);
    } else {
        EXPECT_EQ(b.board(2).state, BoardState::Occupied);
    }
    // The result does not depend on the count: box 2's loser meets a bye and walks over.
    const std::string loser = b.name(b.table().box(2).lower);
    ASSERT_TRUE(t.enterResult(1, "3", "1").ok());
    EXPECT_EQ(nameAt(b, "Lab21L"), loser);
    EXPECT_EQ(b.state(9), BoxState::Finished);

    ASSERT_TRUE(t.exportResultsHtml({header, std::nullopt, {}}).ok());
    const std::string html = readWholeFile("export/Turnaj.htm");
    EXPECT_NE(html.find("Po\xE8"
                        "et hr\xE1\xE8\xF9 : " +
                        std::to_string(c.field(0)) + "</center>"),
              std::string::npos);

    ASSERT_TRUE(t.closeTournament().ok());
    EXPECT_EQ(after(), (TournamentRecord{0, c.field(1), 0, c.field(3)}));
    EXPECT_EQ(session.activeSize, 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, DamagedRecord, ::testing::ValuesIn(recordCases()), recordCaseName);

// --- The roster -----------------------------------------------------------------------------------

namespace {

struct RosterCase {
    std::string label;
    std::optional<std::string> bytes; // nullopt: no file
    Names lines;                      // what it reads as
};

std::vector<RosterCase> rosterCases()
{
    std::vector<RosterCase> cases = {
        {"missing", std::nullopt, {}},
        {"empty", "", {}},
        {"noFinalLineEnd", "Eva\r\nJan", {"Eva", "Jan"}},
        {"lfOnly", "Eva\nJan\nOta\n", {"Eva", "Jan", "Ota"}},
        {"crAlone", "Eva\rJan\r\nOta\r\n", {"Eva\rJan", "Ota"}},
        {"nulByte", std::string("E\0va\r\nJan\r\n", 11), {std::string("E\0va", 4), "Jan"}},
        {"undefinedBytes",
         "\x81\x83\r\n\x88\x90\x98\r\nJan\r\n",
         {"\xC2\x81\xC2\x83", "\xC2\x88\xC2\x90\xC2\x98", "Jan"}},
        {"duplicateLines", "Eva\r\nJan\r\nEva\r\nOta\r\nEva\r\n", {"Eva", "Jan", "Eva", "Ota", "Eva"}},
        {"longName", std::string(100000, 'x') + "\r\n", {std::string(100000, 'x')}},
    };
    RosterCase many{"tenThousandNames", std::string(), {}};
    for (int i = 1; i <= 10000; ++i) {
        many.lines.push_back("Hr\xC3\xA1\xC4\x8D " + std::to_string(i)); // "Hráč i"
        many.bytes->append("Hr\xE1\xE8 " + std::to_string(i) + "\r\n");
    }
    cases.push_back(std::move(many));
    return cases;
}

class DamagedRoster : public Engine, public ::testing::WithParamInterface<RosterCase> {
protected:
    void SetUp() override
    {
        Engine::SetUp();
        WriteRecord({static_cast<std::int32_t>(GetParam().lines.size()), 1, 2, 3});
        put(kRosterPath, GetParam().bytes);
    }
    bool missing() const { return !GetParam().bytes; }
    int lines() const { return static_cast<int>(GetParam().lines.size()); }
    Lobby& lobby = t.editableSession().lobby;
};

std::string rosterCaseName(const ::testing::TestParamInfo<RosterCase>& info)
{
    return info.param.label;
}

} // namespace

TEST_P(DamagedRoster, TheWindowsShowEveryLineAndARewriteKeepsThem)
{
    const RosterCase& c = GetParam();
    if (missing()) {
        EXPECT_EQ(failure(t.showMainWindow()), "File not found");
        EXPECT_TRUE(lobby.registered.empty());
        EXPECT_EQ(failure(t.showRegistration()), "File not found");
        EXPECT_EQ(failure(t.addPlayer("Nový")), "File not found");
        EXPECT_EQ(failure(t.removalChoices()), "File not found");
        EXPECT_FALSE(fs::exists(kRosterPath));
        EXPECT_EQ(ReadRecord().PlayerCount, 0);
        // Emptying the registrations writes a new, empty roster.
        ASSERT_TRUE(t.deleteAllPlayers().ok());
        EXPECT_EQ(fileOrNone(kRosterPath), "");
        return;
    }
    ASSERT_TRUE(t.showMainWindow().ok());
    EXPECT_EQ(lobby.registered, c.lines);
    const Result<Names> choices = t.removalChoices();
    ASSERT_TRUE(choices.ok());
    EXPECT_EQ(choices.value(), c.lines);

    // Registering a new name rewrites every old line as it was read, each now ended by CR LF.
    ASSERT_TRUE(t.showRegistration().ok());
    ASSERT_TRUE(t.addPlayer("Nový").ok());
    Names more = c.lines;
    more.push_back("Nový");
    EXPECT_EQ(ReadRoster(), more);
    EXPECT_EQ(readWholeFile(kRosterPath), joinLinesCp1250(more));
    EXPECT_EQ(ReadRecord().PlayerCount, lines() + 1);
    // Each old line is still found as a duplicate or refused as a name nobody can type.
    if (!c.lines.empty()) {
        const std::string before = readWholeFile(kRosterPath);
        EXPECT_FALSE(t.addPlayer(c.lines.front()).ok());
        EXPECT_EQ(readWholeFile(kRosterPath), before);
    }
}

TEST_P(DamagedRoster, RemovalDropsEveryEqualLineAndCountsWhatIsKept)
{
    const RosterCase& c = GetParam();
    if (missing() || c.lines.empty())
        return;
    const std::string name = c.lines.front();
    Names expected;
    for (const auto& l : c.lines)
        if (l != name)
            expected.push_back(l);
    const Result<Names> kept = t.removePlayer(name);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(lobby.count, static_cast<int>(expected.size()));
    EXPECT_EQ(kept.value(), expected);
    EXPECT_EQ(ReadRoster(), expected);
    EXPECT_EQ(ReadRecord(), (TournamentRecord{static_cast<std::int32_t>(expected.size()), 1, 2, 3}));
}

TEST_P(DamagedRoster, TheDrawSeatsEveryLineOrRefuses)
{
    const RosterCase& c = GetParam();
    if (missing())
        return;
    ASSERT_TRUE(t.showMainWindow().ok());
    const Outcome out = t.draw(3);
    const Names& list = lobby.registered;
    const int n = lines();
    if (n < 4 || n > 32) {
        EXPECT_TRUE(out.isRefused());
        EXPECT_FALSE(out.message().empty());
        EXPECT_EQ(list, c.lines);
        return;
    }
    ASSERT_EQ(out.message(), "");
    ASSERT_TRUE(out.ok());
    EXPECT_TRUE(list.empty());
    // Duplicate lines are players of the same name: each line gets its own first-round slot.
    const int size = t.session().activeSize;
    ASSERT_EQ(size, bracketSizeFor(n));
    Bracket& b = brackets.bySize(size);
    Names seated;
    for (int k = 1; k <= size; ++k)
        if (b.name(b.table().seedSlot(k)) != kBye)
            seated.push_back(b.name(b.table().seedSlot(k)));
    Names all = c.lines;
    std::sort(all.begin(), all.end());
    std::sort(seated.begin(), seated.end());
    EXPECT_EQ(seated, all);
}

INSTANTIATE_TEST_SUITE_P(Shapes, DamagedRoster, ::testing::ValuesIn(rosterCases()), rosterCaseName);

// A roster with duplicate lines plays to the end: names are only texts, so two players of one name
// are placed twice under that name and nothing else goes wrong.
TEST_F(Engine, DuplicateNamesFromADamagedRosterPlayToTheEnd)
{
    WriteRecord({5, 0, 0, 0});
    t.editableSession().lobby.registered = {"Eva", "Jan", "Eva", "Ota", "Eva"};
    ASSERT_TRUE(t.draw(11).ok());
    ASSERT_EQ(t.session().activeSize, 8);
    Bracket& b = brackets.bySize(8);
    boards(2);
    for (int guard = 0; b.state(14) != BoxState::Finished; ++guard) {
        ASSERT_LT(guard, 100);
        hraj();
        for (int n = 1; n <= 2; ++n) {
            if (b.board(n).state == BoardState::Occupied) {
                ASSERT_TRUE(t.enterResult(n, "3", guard % 2 ? "1" : "4").ok());
            }
        }
    }
    Names placed = placedNames(standings(b));
    EXPECT_EQ(placed, (Names{"Eva", "Eva", "Eva", "Jan", "Ota"}));
}
