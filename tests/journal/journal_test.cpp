// The journal file itself: how a new one is made, what a save gives back, the archive, and every
// way a file can be found damaged: it is moved aside byte for byte and a working journal takes its
// place. Then journals that cannot be written: the tournament plays on and says so once.

#include "journal_play.h"
#include "journal_v1.h"
#include "unprivileged.h"

#include <sqlite3.h>

#include <csignal>
#include <map>
#include <regex>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace zorbon;
using namespace zorbon::jtest;

namespace {

// --- SQLite seen from outside ------------------------------------------------------------------

// Every connection SQLite opens in this process, caught as it opens, so a test can ask the
// journal's own connection what it was told.
sqlite3* g_lastConnection = nullptr;
int catchConnection(sqlite3* db, char**, const sqlite3_api_routines*)
{
    g_lastConnection = db;
    return SQLITE_OK;
}

std::string firstValue(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* s = nullptr;
    std::string out = "<error>";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK) {
        if (sqlite3_step(s) == SQLITE_ROW) {
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
            out = p ? p : "";
        } else {
            out = "<no row>";
        }
    }
    sqlite3_finalize(s);
    return out;
}

// Runs statements on a file with a plain connection of its own, closed (and checkpointed) after.
std::string onFile(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        char* err = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << (err ? err : "?");
        }
        sqlite3_free(err);
        out = firstValue(db, "PRAGMA user_version");
    }
    sqlite3_close(db);
    return out;
}

// --- A journal with an ended and a running tournament -------------------------------------------

struct Sample {
    std::string bytes; // the file as a cleanly closed program leaves it
    std::string wal;   // its write-ahead log while the program still ran
    History running;   // the running tournament as the layer held it
    History archived;  // the ended one as it was stored
    std::int64_t archivedId = 0;
};

// Played once per test program in a folder of its own; every test starts from a copy of its bytes.
const Sample& sample()
{
    static const Sample s = [] {
        Sample out;
        const fs::path home = fs::current_path();
        std::string tmpl = (fs::temp_directory_path() / "zorbon-sample-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        fs::current_path(tmpl);
        ensureWorkingLayout();
        {
            auto t = openLayer();
            Player first(*t, 11);
            first.registerPlayers(playerNames(6, 1), 6);
            first.draw(2);
            first.playToEnd();
            first.checkStandings();
            out.archived = t->history();
            EXPECT_TRUE(t->closeTournament().ok());
            Player second(*t, 12);
            second.registerPlayers(playerNames(12, 2), 12);
            second.draw(3);
            for (int i = 0; i < 12; ++i)
                second.step();
            out.running = t->history();
            out.wal = bytesOf(std::string(kJournalPath) + "-wal").value_or("");
            out.archivedId = t->archive().value().at(0).id;
        }
        out.bytes = bytesOf(kJournalPath).value_or("");
        fs::current_path(home);
        std::error_code ec;
        fs::remove_all(tmpl, ec);
        return out;
    }();
    return s;
}

// Byte strings compared without printing them: a journal is too long to read in a failure.
::testing::AssertionResult sameBytes(const std::optional<std::string>& actual,
                                     const std::optional<std::string>& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    if (!actual || !expected)
        return ::testing::AssertionFailure() << (actual ? "an unexpected file" : "no such file");
    std::size_t at = 0;
    while (at < actual->size() && at < expected->size() && (*actual)[at] == (*expected)[at])
        ++at;
    return ::testing::AssertionFailure() << actual->size() << " bytes where " << expected->size()
                                         << " were expected, first difference at " << at;
}

::testing::AssertionResult sameEntries(const History& actual, const History& expected)
{
    const auto& a = actual.entries();
    const auto& e = expected.entries();
    for (std::size_t i = 0; i < a.size() && i < e.size(); ++i)
        if (!(a[i] == e[i]))
            return ::testing::AssertionFailure()
                   << "entry " << i << " differs: " << a[i].description << " / " << e[i].description;
    if (a.size() != e.size())
        return ::testing::AssertionFailure() << a.size() << " entries where " << e.size() << " were expected";
    if (actual.head() != expected.head())
        return ::testing::AssertionFailure()
               << "head " << actual.head() << " where " << expected.head() << " was expected";
    return ::testing::AssertionSuccess();
}

std::vector<std::string> statesOf(const History& h)
{
    std::vector<std::string> out;
    for (const auto& e : h.entries())
        out.push_back(e.state);
    return out;
}

// Nothing of an earlier journal beside the path: each case starts from the files it makes.
void clearJournalFiles()
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kSetupDir))
        if (e.path().filename().string().rfind("turnaj.db", 0) == 0)
            fs::remove_all(e.path(), ec);
}

// A small tournament of real states, for what a fresh journal must take.
History smallHistory(const std::string& name = "Nový")
{
    Session s;
    s.lobby.header = {name, "Brno", "2. 5."};
    History h;
    h.started = "2026-05-02 09:00:00";
    h.push({"novy-turnaj", "", "založení turnaje " + name, false, false, encodeState(s), "2026-05-02 09:00:00"});
    s.lobby.registered = {"Eva"};
    s.record.PlayerCount = 1;
    h.push({"registrace", "Eva", "registrace hráče Eva", false, false, encodeState(s), "2026-05-02 09:00:01"});
    return h;
}

// A damaged file was moved aside whole, and a journal that works is in its place.
void expectMovedAsideAndFresh(Journal::Opened& o, const std::optional<std::string>& oldBytes,
                              const std::string& movedTo = kMovedTo)
{
    EXPECT_EQ(o.how, Journal::Opening::Damaged) << o.reason;
    EXPECT_EQ(o.movedTo, movedTo);
    EXPECT_FALSE(o.reason.empty());
    EXPECT_FALSE(o.running.has_value());
    if (oldBytes) {
        EXPECT_TRUE(sameBytes(bytesOf(movedTo), oldBytes)) << "the damaged file was changed on its way aside";
    } else {
        EXPECT_TRUE(fs::exists(fs::symlink_status(movedTo)));
    }
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kJournalPath)));
    ASSERT_NE(o.journal, nullptr);
    EXPECT_TRUE(o.journal->archive().empty());
    // The new journal keeps a tournament and gives it back at the next start.
    History h = smallHistory();
    ASSERT_NO_THROW(o.journal->save(h, {"Nový", "Brno", "2. 5.", 1, 0, 0, ""}));
    o.journal.reset();
    Journal::Opened again = openJournal("20260502-090000");
    EXPECT_EQ(again.how, Journal::Opening::Opened) << again.reason;
    ASSERT_TRUE(again.running.has_value());
    EXPECT_TRUE(sameEntries(*again.running, h));
    EXPECT_TRUE(again.journal->archive().empty());
    if (oldBytes) {
        EXPECT_TRUE(sameBytes(bytesOf(movedTo), oldBytes));
    }
}

// Offset of every place where a piece of `state` lies in the file (states spill over pages, so
// a piece is looked for rather than the whole state).
std::vector<std::size_t> placesOf(const std::string& file, const std::string& state, const std::string& avoid = {})
{
    for (std::size_t at = state.size() / 3; at + 24 <= state.size(); at += 7) {
        const std::string piece = state.substr(at, 24);
        if (!avoid.empty() && avoid.find(piece) != std::string::npos)
            continue;
        std::vector<std::size_t> found;
        for (auto p = file.find(piece); p != std::string::npos; p = file.find(piece, p + 1))
            found.push_back(p + 12);
        if (!found.empty())
            return found;
    }
    return {};
}

// Most cases need no disk: the file's contents are what they are about.
class JournalFile : public WorkingFolder {
protected:
    explicit JournalFile(bool inMemory = true)
        : WorkingFolder(inMemory)
    {
    }
    static void SetUpTestSuite()
    {
        static bool once = (sqlite3_auto_extension(reinterpret_cast<void (*)()>(&catchConnection)), true);
        (void)once;
    }
    void writeSample() { writeBytes(kJournalPath, sample().bytes); }
};

} // namespace

class JournalOnDisk : public JournalFile {
protected:
    JournalOnDisk()
        : JournalFile(false)
    {
    }
};

// --- A new journal ----------------------------------------------------------------------------------

TEST_F(JournalOnDisk, ANewJournalAppearsWholeWithItsSchemaInWalModeWithFullSyncs)
{
    g_lastConnection = nullptr;
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Created) << o.reason;
    ASSERT_NE(o.journal, nullptr);
    EXPECT_FALSE(o.running.has_value());
    EXPECT_TRUE(o.movedTo.empty());
    // Only the journal and SQLite's own companions: no half-made temporary is left.
    for (const auto& e : fs::directory_iterator(kSetupDir)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("turnaj.db", 0) == 0) {
            EXPECT_TRUE(name == "turnaj.db" || name == "turnaj.db-wal" || name == "turnaj.db-shm") << name;
        }
    }
    // What the journal's own connection runs with: a commit reaches the disk before it returns.
    ASSERT_NE(g_lastConnection, nullptr);
    EXPECT_EQ(firstValue(g_lastConnection, "PRAGMA synchronous"), "2") << "synchronous is not FULL";
    EXPECT_EQ(firstValue(g_lastConnection, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(firstValue(g_lastConnection, "PRAGMA foreign_keys"), "1");
    EXPECT_EQ(firstValue(g_lastConnection, "PRAGMA user_version"), std::to_string(Journal::kVersion));

    // The file as another program reads it: the schema version and an intact structure.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(firstValue(raw, "PRAGMA user_version"), std::to_string(Journal::kVersion));
    EXPECT_EQ(firstValue(raw, "PRAGMA quick_check"), "ok");
    EXPECT_EQ(firstValue(raw, "SELECT count(*) FROM sqlite_schema WHERE name IN ('tournament', 'command', "
                              "'tournament_flag', 'window_geometry')"),
              "4");
    sqlite3_close(raw);

    o.journal.reset();
    Journal::Opened again = openJournal();
    EXPECT_EQ(again.how, Journal::Opening::Opened) << again.reason;
    EXPECT_FALSE(again.running.has_value());
}

TEST_F(JournalFile, ACreationThatCannotBeWrittenLeavesNoJournalAtThePath)
{
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = old;
    none.rlim_cur = 0;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
    Journal::Opened o = openJournal();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_EQ(o.how, Journal::Opening::Unusable);
    EXPECT_EQ(o.journal, nullptr);
    EXPECT_FALSE(o.reason.empty());
    EXPECT_FALSE(fs::exists(fs::symlink_status(kJournalPath))) << "a journal that was never made whole";
    // With room again the next start makes it, whatever the failed attempt left behind.
    Journal::Opened later = openJournal();
    EXPECT_EQ(later.how, Journal::Opening::Created) << later.reason;
}

// --- Version 1 -------------------------------------------------------------------------------------------

// A journal an older Zorbon wrote opens with its tournaments whole and gains the tables of version 2;
// the choices kept there follow their tournament and go with it.
TEST_F(JournalFile, AVersionOneJournalIsUpgradedInPlaceAndKeepsItsTournaments)
{
    writeBytes(kJournalPath, sample().bytes);
    ASSERT_EQ(onFile(kJournalPath, zorbon::test::kBackToVersionOne), "1");
    {
        Journal::Opened o = openJournal();
        ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
        ASSERT_TRUE(o.running.has_value());
        EXPECT_EQ(o.running->entries(), sample().running.entries());
        EXPECT_EQ(o.journal->archive().size(), 1u);
        const std::int64_t id = o.running->id;
        EXPECT_EQ(o.journal->flag(id, "mobil"), "");
        o.journal->setFlag(id, "mobil", "1");
        o.journal->setFlag(id, "jiny", "x");
        EXPECT_EQ(o.journal->flag(id, "mobil"), "1");
        o.journal->setFlag(id, "jiny", "");
        EXPECT_EQ(o.journal->flag(id, "jiny"), "");
        EXPECT_EQ(o.journal->flag(sample().archivedId, "mobil"), "") << "another tournament's choice";
    }
    EXPECT_EQ(onFile(kJournalPath, "SELECT 1"), std::to_string(Journal::kVersion));
    Journal::Opened again = openJournal();
    ASSERT_EQ(again.how, Journal::Opening::Opened) << again.reason;
    EXPECT_EQ(again.journal->flag(again.running->id, "mobil"), "1");
    // A removed tournament takes its choices along.
    again.journal->remove(again.running->id);
    EXPECT_EQ(again.journal->flag(again.running->id, "mobil"), "");
}

// --- What a save gives back -------------------------------------------------------------------------

TEST_F(JournalFile, AHistoryComesBackAsItWasSavedThroughUndoRedoAndANewCommand)
{
    // The journal keeps states as it is given them; no check, so these need not be real ones.
    Journal::Opened o = Journal::open(kJournalPath, kStamp, nullptr);
    ASSERT_NE(o.journal, nullptr);
    Journal& j = *o.journal;
    History h;
    h.started = "2026-05-01 10:00:00";
    const std::string binary("\0\x01\xFF\xFEstav\0", 9);
    h.push({"novy-turnaj", "", "založení turnaje Turnaj", false, false, "s0" + binary, "2026-05-01 10:00:00"});
    h.push({"rozlosovani", "seed=7", "rozlosování", false, true, "s1" + binary, "2026-05-01 10:00:01"});
    h.push({"terce", "k=2", "nastavení počtu terčů na 2", false, false, "s2", "2026-05-01 10:00:02"});
    for (int i = 3; i < 7; ++i)
        h.push({"vysledek", "board=1 s1=3 s2=1", "výsledek zápasu " + std::to_string(i) + " (Eva 3 : 1 Jan)", true,
                false, "s" + std::to_string(i) + std::string(3000, char('a' + i)),
                "2026-05-01 10:00:0" + std::to_string(i)});
    const TournamentSummary summary{"Turnaj", "Místo", "1. 5.", 6, 8, 4, ""};
    j.save(h, summary);
    ASSERT_NE(h.id, 0);
    EXPECT_EQ(h.firstUnsaved(), h.entries().size());

    auto expectStored = [&](const char* when) {
        SCOPED_TRACE(when);
        const History back = j.load(h.id);
        EXPECT_EQ(back.id, h.id);
        EXPECT_EQ(back.started, h.started);
        EXPECT_EQ(back.head(), h.head());
        EXPECT_EQ(back.entries(), h.entries());
        EXPECT_EQ(back.toUndo() ? back.toUndo()->description : "", h.toUndo() ? h.toUndo()->description : "");
        EXPECT_EQ(back.toRedo() ? back.toRedo()->description : "", h.toRedo() ? h.toRedo()->description : "");
    };
    expectStored("saved");

    // Two undos move only the head: what redo puts back stays stored.
    ASSERT_TRUE(h.undo());
    ASSERT_TRUE(h.undo());
    j.save(h, summary);
    expectStored("after two undos");
    ASSERT_EQ(j.load(h.id).entries().size(), 7u);

    // A new command after them drops the redo entries from the journal too.
    h.push({"vysledek", "board=2 s1=0 s2=2", "výsledek zápasu 9", true, false, "new", "2026-05-01 10:01:00"});
    j.save(h, summary);
    expectStored("after a new command");
    EXPECT_EQ(j.load(h.id).entries().size(), 6u);
    EXPECT_FALSE(j.load(h.id).toRedo());

    // The next "Hraj" call replaces its own entry.
    h.replaceCurrent({"hraj", "", "nasazení na terče (zápas 9 na terč č.1)", true, false, "newer", "10:01:01"});
    j.save(h, summary);
    expectStored("after a replaced entry");

    // Undo stops at the floor in the stored history just as in memory.
    History back = j.load(h.id);
    int undone = 0;
    while (back.undo())
        ++undone;
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(back.head(), 3u);

    // The next start finds it running, entries and head as they were.
    o.journal.reset();
    Journal::Opened reopened = Journal::open(kJournalPath, kStamp, [](const std::string&) { return true; });
    ASSERT_EQ(reopened.how, Journal::Opening::Opened) << reopened.reason;
    ASSERT_TRUE(reopened.running.has_value());
    EXPECT_EQ(reopened.running->id, h.id);
    EXPECT_EQ(reopened.running->entries(), h.entries());
    EXPECT_EQ(reopened.running->head(), h.head());
}

TEST_F(JournalFile, TheArchiveListsTheNewestFirstAndReopenAndRemoveActOnOneTournament)
{
    Journal::Opened o = openJournal();
    ASSERT_NE(o.journal, nullptr);
    Journal& j = *o.journal;
    // Ended out of the order they were made in; two at the same second.
    const std::vector<std::pair<std::string, std::string>> ends = {{"A", "2026-05-01 12:00:00"},
                                                                   {"B", "2026-05-01 11:00:00"},
                                                                   {"C", "2026-05-01 13:00:00"},
                                                                   {"D", "2026-05-01 12:00:00"}};
    std::map<std::string, std::int64_t> ids;
    for (const auto& [name, at] : ends) {
        History h = smallHistory(name);
        const TournamentSummary s{name, "Brno", "2. 5.", 5, 8, 7, "Vítěz " + name};
        j.end(h, s, "zavreni", at);
        ids[name] = h.id;
    }
    auto order = [&] {
        std::string names;
        for (const auto& t : j.archive())
            names += t.summary.name;
        return names;
    };
    EXPECT_EQ(order(), "CDAB");
    const auto list = j.archive();
    EXPECT_EQ(list[0].ended, "2026-05-01 13:00:00");
    EXPECT_EQ(list[0].endKind, "zavreni");
    EXPECT_EQ(list[0].started, "2026-05-02 09:00:00");
    EXPECT_EQ(list[0].summary, (TournamentSummary{"C", "Brno", "2. 5.", 5, 8, 7, "Vítěz C"}));

    // A reopened tournament leaves the archive and runs; a second one cannot run beside it.
    j.reopen(ids["A"]);
    EXPECT_EQ(order(), "CDB");
    EXPECT_THROW(j.reopen(ids["B"]), JournalError);
    EXPECT_EQ(order(), "CDB");

    j.remove(ids["D"]);
    EXPECT_EQ(order(), "CB");
    EXPECT_THROW(j.load(ids["D"]), JournalError);
    EXPECT_EQ(j.load(ids["C"]).entries(), smallHistory("C").entries());

    o.journal.reset();
    Journal::Opened again = openJournal();
    ASSERT_EQ(again.how, Journal::Opening::Opened) << again.reason;
    ASSERT_TRUE(again.running.has_value());
    EXPECT_EQ(again.running->id, ids["A"]);
    EXPECT_EQ(again.running->entries(), smallHistory("A").entries());
    again.journal->remove(ids["A"]);
    again.journal.reset();
    EXPECT_FALSE(openJournal().running.has_value());
}

// --- Damaged files ------------------------------------------------------------------------------------

namespace {

// One way a journal is found damaged: makes the files and returns what must land at movedTo
// (nullopt for a folder or a link, which the test looks at itself).
struct Damage {
    const char* name;
    std::optional<std::string> (*make)();
};

bool named(const Damage& d, const char* name)
{
    return std::string(d.name) == name;
}

std::optional<std::string> sampleChangedBy(const char* sql)
{
    writeBytes(kJournalPath, sample().bytes);
    onFile(kJournalPath, sql);
    return bytesOf(kJournalPath);
}

const Damage kDamages[] = {
    {"Empty",
     []() -> std::optional<std::string> {
         writeBytes(kJournalPath, "");
         return "";
     }},
    {"Folder",
     []() -> std::optional<std::string> {
         fs::create_directory(kJournalPath);
         writeBytes(fs::path(kJournalPath) / "inside.txt", "kept");
         return std::nullopt;
     }},
    {"TextFile",
     [] {
         const std::string text = "Toto není deník turnaje.\r\n";
         writeBytes(kJournalPath, text);
         return std::optional<std::string>(text);
     }},
    {"SqliteHeaderOnly",
     [] {
         const std::string text = sample().bytes.substr(0, 100);
         writeBytes(kJournalPath, text);
         return std::optional<std::string>(text);
     }},
    {"AnotherProgramsDatabase",
     [] {
         sqlite3* db = nullptr;
         sqlite3_open(kJournalPath, &db);
         sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES('cizí');", nullptr, nullptr, nullptr);
         sqlite3_close(db);
         return bytesOf(kJournalPath);
     }},
    {"NewerVersion", [] { return sampleChangedBy("PRAGMA user_version = 3"); }},
    {"OlderVersion", [] { return sampleChangedBy("PRAGMA user_version = 0"); }},
    {"MissingTable", [] { return sampleChangedBy("DROP TABLE command"); }},
    {"RenamedColumn", [] { return sampleChangedBy("ALTER TABLE tournament RENAME COLUMN winner TO vitez"); }},
    {"TwoRunning", [] { return sampleChangedBy("DROP INDEX one_running; UPDATE tournament SET ended = NULL"); }},
    {"RunningHeadPastItsCommands",
     [] { return sampleChangedBy("UPDATE tournament SET head = 999 WHERE ended IS NULL"); }},
    {"RunningHeadZero", [] { return sampleChangedBy("UPDATE tournament SET head = 0 WHERE ended IS NULL"); }},
    {"RunningCommandMissing",
     [] {
         return sampleChangedBy("DELETE FROM command WHERE seq = 3 AND tournament = "
                                "(SELECT id FROM tournament WHERE ended IS NULL)");
     }},
    {"RunningStateReplacedBySql",
     [] {
         return sampleChangedBy("UPDATE command SET state = x'5A425301' WHERE seq = 5 AND tournament = "
                                "(SELECT id FROM tournament WHERE ended IS NULL)");
     }},
    // Bytes SQLite itself never looks at: only the state's own checksum tells.
    {"RunningStateOverwrittenInTheFile",
     []() -> std::optional<std::string> {
         std::string bytes = sample().bytes;
         const auto places = placesOf(bytes, sample().running.entries().back().state);
         if (places.empty())
             return "<the state was not found in the file>";
         for (const std::size_t at : places)
             bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
         writeBytes(kJournalPath, bytes);
         return bytes;
     }},
    {"Symlink",
     []() -> std::optional<std::string> {
         writeBytes("data/elsewhere.db", sample().bytes);
         fs::create_symlink(fs::absolute("data/elsewhere.db"), kJournalPath);
         return sample().bytes;
     }},
    {"DanglingSymlink",
     []() -> std::optional<std::string> {
         fs::create_symlink("/nonexistent/turnaj.db", kJournalPath);
         return std::nullopt;
     }},
};

class DamagedJournal : public WorkingFolder, public ::testing::WithParamInterface<Damage> {
protected:
    DamagedJournal()
        : WorkingFolder(true)
    {
    }
};

} // namespace

TEST_P(DamagedJournal, IsMovedAsideWholeAndAFreshJournalTakesItsPlace)
{
    const std::optional<std::string> old = GetParam().make();
    ASSERT_NE(old, std::optional<std::string>("<the state was not found in the file>"));
    ASSERT_TRUE(fs::exists(fs::symlink_status(kJournalPath)));
    Journal::Opened o = openJournal();
    if (named(GetParam(), "Folder")) {
        EXPECT_TRUE(fs::is_directory(kMovedTo));
        EXPECT_EQ(bytesOf(kMovedTo + "/inside.txt"), "kept");
    }
    if (named(GetParam(), "DanglingSymlink")) {
        EXPECT_EQ(fs::read_symlink(kMovedTo), "/nonexistent/turnaj.db");
    }
    expectMovedAsideAndFresh(o, old);
    if (named(GetParam(), "Symlink")) {
        EXPECT_TRUE(fs::is_symlink(kMovedTo));
        EXPECT_TRUE(sameBytes(bytesOf("data/elsewhere.db"), sample().bytes))
            << "the file a link points to is never written";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedJournal, ::testing::ValuesIn(kDamages),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(JournalFile, ATruncatedJournalIsMovedAsideWhereverItIsCut)
{
    const std::string& whole = sample().bytes;
    std::vector<std::size_t> cuts = {
        1, 16, 99, 100, 101, 4095, 4096, 4097, whole.size() / 2, whole.size() - 4096, whole.size() - 1};
    std::mt19937 rng(2026);
    for (int i = 0; i < 8; ++i)
        cuts.push_back(std::uniform_int_distribution<std::size_t>(1, whole.size() - 1)(rng));
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE("cut at " + std::to_string(cut) + " of " + std::to_string(whole.size()));
        clearJournalFiles();
        writeBytes(kJournalPath, whole.substr(0, cut));
        Journal::Opened o = openJournal();
        expectMovedAsideAndFresh(o, whole.substr(0, cut));
        if (HasFailure())
            return;
    }
}

// Random bytes anywhere: what lands in free space harms nothing, anything else is found. Either way
// the program never shows a state that differs from the one stored.
TEST_F(JournalFile, RandomBytesOverTheJournalAreFoundOrHarmless)
{
    const std::string& whole = sample().bytes;
    std::mt19937 rng(77);
    int damaged = 0;
    constexpr int kCases = 40;
    for (int i = 0; i < kCases; ++i) {
        std::string bytes = whole;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 64)(rng);
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, whole.size() - length)(rng);
        for (std::size_t k = 0; k < length; ++k)
            bytes[at + k] = static_cast<char>(rng());
        if (bytes == whole)
            continue;
        SCOPED_TRACE(std::to_string(length) + " bytes at " + std::to_string(at));
        clearJournalFiles();
        writeBytes(kJournalPath, bytes);
        Journal::Opened o = openJournal();
        if (o.how == Journal::Opening::Damaged) {
            ++damaged;
            expectMovedAsideAndFresh(o, bytes);
        } else {
            ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
            ASSERT_TRUE(o.running.has_value());
            EXPECT_TRUE(statesOf(*o.running) == statesOf(sample().running)) << "a state changed unseen";
            // An ended tournament's states are read when it is shown: a changed one is refused there.
            auto t = layerOver(std::move(o));
            const Outcome shown = t->archivedSheet(sample().archivedId);
            if (shown.ok()) {
                EXPECT_TRUE(statesOf(t->journal()->load(sample().archivedId)).back() ==
                            sample().archived.current()->state);
            } else {
                EXPECT_EQ(shown.message(), "Uložený stav turnaje nelze přečíst");
            }
        }
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(damaged, 0);
}

// A journal of the first version, as the program wrote it before it remembered windows: it is
// upgraded where it lies, its tournaments untouched, and takes the new tables at once.
TEST_F(JournalFile, AVersionOneJournalIsUpgradedInPlaceWithEveryTournamentKept)
{
    writeBytes(kJournalPath, sample().bytes);
    ASSERT_EQ(onFile(kJournalPath, zorbon::test::kBackToVersionOne), "1");
    const std::string v1 = bytesOf(kJournalPath).value_or("");
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
    EXPECT_TRUE(o.movedTo.empty());
    ASSERT_TRUE(o.running.has_value());
    EXPECT_TRUE(sameEntries(*o.running, sample().running));
    ASSERT_EQ(o.journal->archive().size(), 1u);
    // The choices of version 2 are stored and read back, per tournament.
    o.journal->setFlag(o.running->id, "tabule", "1");
    EXPECT_EQ(o.journal->flag(o.running->id, "tabule"), "1");
    EXPECT_EQ(o.journal->flag(sample().archivedId, "tabule"), "");
    o.journal->setFlag(o.running->id, "tabule", "");
    EXPECT_EQ(o.journal->flag(o.running->id, "tabule"), "");
    o.journal->setFlag(o.running->id, "tabule", "1");
    const WindowPlace place{"TTurnaj32", 10, 20, 1300, 700, true, 0.75};
    o.journal->saveWindowPlace({"TTurnaj32", 0, 0, 900, 600, false, 1.0});
    o.journal->saveWindowPlace(place); // the same window again replaces its row
    EXPECT_EQ(o.journal->windowPlaces(), std::vector<WindowPlace>{place});
    // A place saved again unchanged writes nothing: the log does not grow by a commit.
    const auto logSize = [] { return bytesOf(std::string(kJournalPath) + "-wal").value_or("").size(); };
    const std::size_t before = logSize();
    o.journal->saveWindowPlace(place);
    EXPECT_EQ(logSize(), before);
    o.journal->saveWindowPlace({"TTurnaj32", 10, 20, 1300, 700, true, 1.0});
    EXPECT_GT(logSize(), before);
    o.journal->saveWindowPlace(place);
    const std::int64_t running = o.running->id;
    o.journal.reset();

    // The next start finds version 2 with what was stored.
    Journal::Opened again = openJournal();
    ASSERT_EQ(again.how, Journal::Opening::Opened) << again.reason;
    EXPECT_EQ(again.journal->flag(running, "tabule"), "1");
    EXPECT_EQ(again.journal->windowPlaces(), std::vector<WindowPlace>{place});
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(firstValue(raw, "PRAGMA user_version"), "2");
    sqlite3_close(raw);
    // Removing a tournament takes its choices along.
    again.journal->remove(running);
    EXPECT_EQ(again.journal->flag(running, "tabule"), "");
    EXPECT_NE(v1, bytesOf(kJournalPath).value_or(""));
}

TEST_F(JournalFile, AnEndedTournamentWithADamagedStateIsRefusedWhenShownOrReopened)
{
    std::string bytes = sample().bytes;
    const auto places = placesOf(bytes, sample().archived.current()->state, sample().running.current()->state);
    ASSERT_FALSE(places.empty());
    for (const std::size_t at : places)
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    writeBytes(kJournalPath, bytes);
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << "the running tournament is whole: " << o.reason;
    ASSERT_TRUE(o.running.has_value());
    auto t = layerOver(std::move(o));
    t->abandon();
    EXPECT_EQ(Outcome(t->archivedSheet(sample().archivedId)), Outcome::failed("Uložený stav turnaje nelze přečíst"));
    const std::string files = workingFiles();
    EXPECT_EQ(t->reopen(sample().archivedId), Outcome::failed("Uložený stav turnaje nelze přečíst"));
    EXPECT_EQ(workingFiles(), files);
    EXPECT_EQ(t->session().activeSize, 0);
}

// BUG: Tournament::reopen checks only the last state of the tournament it reopens
// (Journal::load reads without the state check), while Journal::open refuses a running tournament
// with any unreadable state. A tournament with one damaged earlier state is reopened, and the next
// start then moves the whole journal, archive and all, aside as damaged.
TEST_F(JournalFile, AReopenedTournamentIsCheckedWholeSoTheNextStartKeepsTheJournal)
{
    std::string bytes = sample().bytes;
    const auto& entries = sample().archived.entries();
    const std::string& earlier = entries[entries.size() / 2].state;
    auto places = placesOf(bytes, earlier, entries.back().state + sample().running.current()->state);
    ASSERT_FALSE(places.empty());
    for (const std::size_t at : places)
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    writeBytes(kJournalPath, bytes);
    {
        auto t = openLayer();
        t->abandon();
        ASSERT_EQ(t->archive().value().size(), 2u);
        const Outcome reopened = t->reopen(sample().archivedId);
        if (!reopened.ok()) {
            EXPECT_EQ(reopened.message(), "Uložený stav turnaje nelze přečíst");
            return; // refused: the journal stays as it is
        }
    }
    Journal::Opened next = openJournal();
    EXPECT_NE(next.how, Journal::Opening::Damaged) << "the archive went aside with it: " << next.reason;
}

TEST_F(JournalFile, ASecondDamageOnTheSameStampTakesTheNextFreeName)
{
    writeBytes(kJournalPath, "first");
    Journal::Opened first = openJournal();
    expectMovedAsideAndFresh(first, "first");
    clearJournalFiles();
    writeBytes(kMovedTo, "first");
    writeBytes(kJournalPath, "second");
    Journal::Opened second = openJournal();
    expectMovedAsideAndFresh(second, "second", kMovedTo + "-2");
    EXPECT_EQ(bytesOf(kMovedTo), "first");
}

// A log left beside a damaged file goes aside with it: it must never be read into the new journal.
TEST_F(JournalFile, AStaleLogBesideADamagedFileGoesAsideWithItAndNeverIntoTheNewJournal)
{
    ASSERT_FALSE(sample().wal.empty());
    const std::string shm(32768, '\x5a');
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder" : "an empty file");
        clearJournalFiles();
        if (folder)
            fs::create_directory(kJournalPath);
        else
            writeBytes(kJournalPath, "");
        writeBytes(std::string(kJournalPath) + "-wal", sample().wal);
        writeBytes(std::string(kJournalPath) + "-shm", shm);
        Journal::Opened o = openJournal();
        EXPECT_TRUE(sameBytes(bytesOf(kMovedTo + "-wal"), sample().wal));
        EXPECT_TRUE(sameBytes(bytesOf(kMovedTo + "-shm"), shm));
        expectMovedAsideAndFresh(o, folder ? std::nullopt : std::optional<std::string>(""));
    }
}

// A journal whose damage is in its log: the file and the log go aside together, both unchanged.
TEST_F(JournalFile, ADamagedStateInTheLogTakesTheLogAsideWithTheFile)
{
    writeSample();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kJournalPath, &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    ASSERT_EQ(sqlite3_exec(db,
                           "UPDATE command SET state = x'00' WHERE seq = 4 AND tournament = "
                           "(SELECT id FROM tournament WHERE ended IS NULL)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const std::string main = bytesOf(kJournalPath).value();
    const std::optional<std::string> wal = bytesOf(std::string(kJournalPath) + "-wal");
    ASSERT_TRUE(wal && !wal->empty()) << "the change stayed in the log";
    Journal::Opened o = openJournal();
    EXPECT_TRUE(sameBytes(bytesOf(kMovedTo + "-wal"), wal));
    expectMovedAsideAndFresh(o, main);
}

// A log left beside a journal that is gone is what remains of a saved tournament: it goes aside as
// damage (SQLite would otherwise read it into the new journal, and the next start would resume
// the old tournament from it).
TEST_F(JournalFile, AStaleLogBesideAMissingJournalNeverLeaksIntoTheNewOne)
{
    ASSERT_FALSE(sample().wal.empty());
    writeBytes(std::string(kJournalPath) + "-wal", sample().wal);
    Journal::Opened o = openJournal();
    EXPECT_EQ(o.how, Journal::Opening::Damaged) << o.reason;
    EXPECT_EQ(o.movedTo, std::string(kJournalPath) + ".poskozeno-" + kStamp + "-wal");
    EXPECT_EQ(bytesOf(o.movedTo).value_or(""), sample().wal);
    ASSERT_NE(o.journal, nullptr);
    EXPECT_TRUE(o.journal->archive().empty());
    o.journal.reset();
    Journal::Opened next = openJournal();
    EXPECT_FALSE(next.running.has_value()) << "the old log's tournament came back";
    ASSERT_NE(next.journal, nullptr);
    EXPECT_TRUE(next.journal->archive().empty());
}

// --- A journal that cannot be written --------------------------------------------------------------

namespace {

// What a tournament does to the session and the working files, command by command.
struct Step {
    std::string command;
    std::string state;
    std::string files;
};

// Two tournaments, the first played to its close; `journal` may be null (the layer keeps none).
// `everyCommand` sees each command after it, with the layer.
std::vector<Step> playTwo(Tournament& t, const std::function<void(const std::string&, Tournament&)>& everyCommand)
{
    std::vector<Step> steps;
    auto record = [&](const std::string& what) {
        steps.push_back({what, encodeState(t.session()), workingFiles()});
        if (everyCommand)
            everyCommand(what, t);
    };
    Player first(t, 41);
    first.afterCommand = record;
    first.registerPlayers(playerNames(10, 1), 10);
    first.draw(2);
    first.playToEnd();
    first.checkStandings();
    EXPECT_TRUE(t.closeTournament().ok());
    record("close");
    Player second(t, 42);
    second.afterCommand = record;
    second.registerPlayers(playerNames(5, 2), 5);
    second.draw(1);
    for (int i = 0; i < 5; ++i)
        second.step();
    return steps;
}

std::vector<Step> playTwoWithoutJournal()
{
    const fs::path here = fs::current_path();
    std::string tmpl = (fs::temp_directory_path() / "zorbon-twin-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        return {};
    fs::current_path(tmpl);
    ensureWorkingLayout();
    Tournament plain;
    std::vector<Step> steps = playTwo(plain, nullptr);
    fs::current_path(here);
    std::error_code ec;
    fs::remove_all(tmpl, ec);
    return steps;
}

const std::regex kWarning("Zálohu turnaje nelze uložit: .+\\. Turnaj pokračuje bez zálohy\\.");

} // namespace

TEST_F(JournalFile, AFullDiskStopsTheBackupNotTheTournamentAndSaysSoOncePerTournament)
{
    const std::vector<Step> expected = playTwoWithoutJournal();
    ASSERT_FALSE(expected.empty());

    auto t = openLayer();
    std::vector<std::pair<std::size_t, std::string>> warnings;
    std::size_t n = 0;
    std::vector<Step> steps;
    {
        FileSizeLimit full(2048);
        ASSERT_TRUE(full.ok());
        steps = playTwo(*t, [&](const std::string&, Tournament& layer) {
            if (std::string w = layer.takeBackupWarning(); !w.empty())
                warnings.emplace_back(n, w);
            ++n;
        });
    }
    // The same tournament to the byte, on screen and in the working files, as without any journal.
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].command, expected[i].command) << i;
        EXPECT_EQ(steps[i].state, expected[i].state) << steps[i].command;
        EXPECT_EQ(steps[i].files, expected[i].files) << steps[i].command;
    }
    // Once for each tournament, at its first command, and never again until the next one.
    std::size_t secondStarts = 0;
    while (secondStarts < steps.size() && steps[secondStarts].command != "close")
        ++secondStarts;
    ++secondStarts;
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].first, 0u);
    EXPECT_EQ(warnings[1].first, secondStarts);
    for (const auto& [at, text] : warnings)
        EXPECT_TRUE(std::regex_match(text, kWarning)) << text;

    // With room again, the next command stores the whole tournament, not just itself.
    Player more(*t, 43);
    more.adoptRoster();
    more.step();
    EXPECT_EQ(t->takeBackupWarning(), "");
    const History inMemory = t->history();
    t.reset();
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
    ASSERT_TRUE(o.running.has_value());
    EXPECT_TRUE(sameEntries(*o.running, inMemory));
}

// BUG: a write that fails because the file may grow no further (EFBIG, as on a full quota or a
// FAT-formatted stick) is reported with SQLite's English "disk I/O error": journal.cpp's reasonFor
// reads sqlite3_system_errno, which SQLite leaves 0 for a failed COMMIT, so ioReport is never asked.
TEST_F(JournalFile, AJournalThatCannotGrowIsReportedAsAFullDisk)
{
    auto t = openLayer();
    {
        FileSizeLimit full(2048);
        ASSERT_TRUE(full.ok());
        ASSERT_TRUE(t->acceptNewTournament(kHeader).ok());
    }
    EXPECT_EQ(t->takeBackupWarning(), "Zálohu turnaje nelze uložit: Disk full. Turnaj pokračuje bez zálohy.");
}

// BUG: when the close of a tournament cannot be stored (Journal::end fails in
// Tournament::endTournament), the journal keeps it as running, and every later tournament of the
// same program run fails its first save on the journal's one-running-tournament index: the
// operator is told "constraint failed" and nothing of them is kept, although the disk has room again.
TEST_F(JournalFile, ACloseTheJournalCouldNotTakeDoesNotStopTheNextTournamentsBackup)
{
    auto t = openLayer();
    Player first(*t, 5);
    first.registerPlayers(playerNames(6, 1), 6);
    first.draw(2);
    ASSERT_TRUE(first.playToEnd());
    first.checkStandings();
    {
        FileSizeLimit full(1024);
        ASSERT_TRUE(full.ok());
        EXPECT_TRUE(t->closeTournament().ok());
    }
    (void)t->takeBackupWarning();
    Player second(*t, 6);
    second.registerPlayers(playerNames(5, 2), 5);
    EXPECT_EQ(t->takeBackupWarning(), "");
    const History inMemory = t->history();
    t.reset();
    Journal::Opened o = openJournal();
    ASSERT_TRUE(o.running.has_value());
    EXPECT_TRUE(sameEntries(*o.running, inMemory));
}

namespace {

} // namespace

TEST_F(JournalFile, AReadOnlyJournalIsNeitherMovedNorWrittenAndTheTournamentPlaysOn)
{
    {
        openJournal();
    } // a journal that exists
    const std::string before = bytesOf(kJournalPath).value();
    // Everyone may write the folder and the working files; only the journal is read-only.
    for (const fs::path& p : {dir(), fs::path(dir()) / "data", fs::path(dir()) / kSetupDir})
        fs::permissions(p, fs::perms::all);
    for (const char* p : {kRecordPath, kRosterPath})
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                               fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    fs::permissions(kJournalPath, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    withoutRoot([&] {
        Journal::Opened o = openJournal();
        EXPECT_NE(o.how, Journal::Opening::Damaged) << "a file that cannot be written is not damaged";
        EXPECT_TRUE(o.movedTo.empty());
        auto t = layerOver(std::move(o));
        std::vector<std::string> warnings;
        Player p(*t, 8);
        p.afterCommand = [&](const std::string&) {
            if (std::string w = t->takeBackupWarning(); !w.empty())
                warnings.push_back(w);
        };
        p.registerPlayers(playerNames(7), 7);
        p.draw(2);
        for (int i = 0; i < 8; ++i)
            p.step();
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_TRUE(std::regex_match(warnings[0], kWarning)) << warnings[0];
        EXPECT_EQ(ReadRoster(), playerNames(7));
        EXPECT_EQ(ReadRecord().PlayerCount, 7);
        EXPECT_EQ(ReadRecord().BoardCount, 2);
    });
    EXPECT_TRUE(sameBytes(bytesOf(kJournalPath), before));
    EXPECT_TRUE(fs::is_regular_file(kJournalPath));
}

TEST_F(JournalFile, WithoutAnyJournalTheTournamentPlaysOnAndWarnsOncePerTournament)
{
    // Something in the way of the new journal's temporary name that cannot be cleared.
    fs::create_directories(std::string(kJournalPath) + ".novy/x");
    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Unusable);
    ASSERT_EQ(o.journal, nullptr);
    const std::string reason = o.reason;
    ASSERT_FALSE(reason.empty());
    auto t = layerOver(std::move(o));
    std::vector<std::string> warnings;
    auto count = [&](const std::string&, Tournament& layer) {
        if (std::string w = layer.takeBackupWarning(); !w.empty())
            warnings.push_back(w);
    };
    const std::vector<Step> steps = playTwo(*t, count);
    const std::vector<Step> expected = playTwoWithoutJournal();
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].state, expected[i].state) << steps[i].command;
        EXPECT_EQ(steps[i].files, expected[i].files) << steps[i].command;
    }
    ASSERT_EQ(warnings.size(), 2u);
    const std::string text =
        "Zálohu turnaje nelze uložit: " + reason + (reason.back() == '.' ? "" : ".") + " Turnaj pokračuje bez zálohy.";
    EXPECT_EQ(warnings[0], text);
    EXPECT_EQ(warnings[1], text);
    EXPECT_TRUE(t->archive().value().empty());
}

// Start-up opens the journal on another thread while the windows are made over a layer without
// one; the layer takes it before the first command and keeps every tournament as if it had been
// made with it. A journal taken after a command would miss that command, so that is refused.
TEST_F(JournalFile, AJournalAttachedBeforeTheFirstCommandKeepsEveryTournament)
{
    auto t = std::make_unique<Tournament>(nullptr, std::nullopt, std::string(), tickingClock());
    {
        Journal::Opened o = openJournal();
        ASSERT_EQ(o.how, Journal::Opening::Created) << o.reason;
        t->attachJournal(std::move(o.journal), std::move(o.running), o.reason);
    }
    ASSERT_NE(t->journal(), nullptr);
    std::vector<std::string> warnings;
    playTwo(*t, [&](const std::string&, Tournament& layer) {
        if (std::string w = layer.takeBackupWarning(); !w.empty())
            warnings.push_back(w);
    });
    EXPECT_TRUE(warnings.empty());
    const History inMemory = t->history();
    EXPECT_EQ(t->archive().value().size(), 1u);
    t.reset();

    Journal::Opened o = openJournal();
    ASSERT_EQ(o.how, Journal::Opening::Opened) << o.reason;
    ASSERT_TRUE(o.running.has_value());
    EXPECT_TRUE(sameEntries(*o.running, inMemory));
    EXPECT_EQ(o.journal->archive().size(), 1u);

    // The next start takes it the same way and offers the running tournament.
    Tournament next;
    next.attachJournal(std::move(o.journal), std::move(o.running), o.reason);
    EXPECT_TRUE(next.resumeDescription().has_value());
    EXPECT_THROW(next.attachJournal(nullptr, std::nullopt, {}), std::logic_error);

    Tournament late;
    ASSERT_TRUE(late.acceptNewTournament(kHeader).ok());
    EXPECT_THROW(late.attachJournal(openJournal().journal, std::nullopt, {}), std::logic_error);
}

// --- The stored state ----------------------------------------------------------------------------------

namespace {

// A state's body with the checksum the codec puts after it.
std::string withChecksum(std::string body)
{
    const std::uint64_t sum = fnv(body);
    for (int i = 0; i < 8; ++i)
        body.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
    return body;
}

} // namespace

TEST(StoredState, EveryByteOfAStateIsCoveredByItsChecksum)
{
    Session s;
    s.lobby.header = kHeader;
    s.lobby.registered = playerNames(5);
    s.record = {5, 1, 0, 0};
    const std::string state = encodeState(s);
    ASSERT_TRUE(decodeState(state).has_value());
    for (std::size_t at = 0; at < state.size(); ++at) {
        for (const int bit : {0, 7}) {
            std::string changed = state;
            changed[at] = static_cast<char>(changed[at] ^ (1 << bit));
            EXPECT_FALSE(decodeState(changed).has_value()) << "bit " << bit << " of byte " << at;
        }
        EXPECT_FALSE(decodeState(std::string_view(state).substr(0, at)).has_value()) << "cut at " << at;
    }
}

// BUG: decodeState (state_codec.cpp, Reader::number and the "shown" flag) accepts encodings that
// encodeState never writes: a number in more bytes than it needs, a flag other than 0 or 1. The
// header promises nullopt for bytes this program did not write and that two states compare as
// their encodings; such a blob (with its checksum right) decodes, and encodes back to other bytes.
TEST(StoredState, OnlyTheBytesEncodeStateWritesDecode)
{
    const std::string canonical = encodeState(Session{});
    std::string body = canonical.substr(0, canonical.size() - 8);
    // The body ends with the bracket in play, 0: written here in two bytes instead of one.
    ASSERT_EQ(body.back(), '\0');
    body.back() = '\x80';
    body.push_back('\0');
    const std::string longer = withChecksum(body);
    const std::optional<Session> s = decodeState(longer);
    EXPECT_FALSE(s.has_value()) << "a number in two bytes where one does";
    if (s) {
        EXPECT_EQ(encodeState(*s), longer);
    }
}
