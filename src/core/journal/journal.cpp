#include "journal/journal.h"

#include "club/club.h"
#include "ranking/ranking.h"
#include "records/errors.h"
#include "tournament/messages.h"
#include "tournament/state_codec.h"

#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace zorbon {
namespace {

namespace fs = std::filesystem;

// A file that is not a readable journal of this version: it goes aside and a new one is made.
class Damaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string reasonFor(sqlite3* db, int code, int lastErrno)
{
    const int primary = code & 0xFF;
    int sysErr = db ? sqlite3_system_errno(db) : 0;
    // A failed COMMIT leaves the connection's errno at 0; the file keeps the last one it saw.
    if (sysErr == 0 && db)
        sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &sysErr);
    if (sysErr == 0 && (primary == SQLITE_IOERR || primary == SQLITE_FULL))
        sysErr = lastErrno;
    switch (primary) {
    case SQLITE_FULL:
        return ioReport(ENOSPC);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ioReport(EACCES);
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return sysErr ? ioReport(sysErr) : std::string(sqlite3_errstr(code));
    default:
        return sqlite3_errstr(code);
    }
}

bool damageCode(int code)
{
    const int primary = code & 0xFF;
    // SQLITE_ERROR here is a statement that does not fit the file: no such table or column.
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT ||
           primary == SQLITE_ERROR || primary == SQLITE_SCHEMA || primary == SQLITE_MISMATCH ||
           primary == SQLITE_RANGE || primary == SQLITE_CONSTRAINT;
}

[[noreturn]] void fail(sqlite3* db, int code)
{
    // SQLite does not keep the errno of a failed write to its log; the C library's is still this one.
    const int lastErrno = errno;
    if (damageCode(code))
        throw Damaged(sqlite3_errstr(code));
    throw JournalError(reasonFor(db, code, lastErrno));
}

// A prepared statement, reset after each use and finalised with its owner.
class Stmt {
public:
    Stmt(sqlite3* db, const char* sql)
        : m_db(db)
    {
        if (const int rc = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &m_s, nullptr); rc != SQLITE_OK)
            fail(db, rc);
    }
    ~Stmt() { sqlite3_finalize(m_s); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    Stmt& bind(int i, std::int64_t v)
    {
        check(sqlite3_bind_int64(m_s, i, v));
        return *this;
    }
    Stmt& bind(int i, const std::string& v)
    {
        check(sqlite3_bind_text(m_s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Stmt& bindBlob(int i, const std::string& v)
    {
        check(sqlite3_bind_blob(m_s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Stmt& bindReal(int i, double v)
    {
        check(sqlite3_bind_double(m_s, i, v));
        return *this;
    }
    Stmt& bindNull(int i)
    {
        check(sqlite3_bind_null(m_s, i));
        return *this;
    }
    // True for a row, false at the end.
    bool step()
    {
        const int rc = sqlite3_step(m_s);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        fail(m_db, rc);
    }
    void run()
    {
        step();
        reset();
    }
    void reset()
    {
        sqlite3_reset(m_s);
        sqlite3_clear_bindings(m_s);
    }
    std::int64_t integer(int col) { return sqlite3_column_int64(m_s, col); }
    double real(int col) { return sqlite3_column_double(m_s, col); }
    std::string text(int col)
    {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_s, col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(m_s, col))) : std::string();
    }
    std::string blob(int col)
    {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(m_s, col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(m_s, col))) : std::string();
    }
    bool isNull(int col) { return sqlite3_column_type(m_s, col) == SQLITE_NULL; }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            fail(m_db, rc);
    }
    sqlite3* m_db;
    sqlite3_stmt* m_s = nullptr;
};

void exec(sqlite3* db, const char* sql)
{
    if (const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr); rc != SQLITE_OK)
        fail(db, rc);
}

// One value of a one-row query ("PRAGMA user_version").
std::string scalar(sqlite3* db, const char* sql)
{
    Stmt s(db, sql);
    return s.step() ? s.text(0) : std::string();
}

// Resets a statement when the block that uses it is left, by a return or by an exception, so no
// statement stays in the middle of a result and holds its read lock.
class ResetOnExit {
public:
    explicit ResetOnExit(Stmt& s)
        : m_s(s)
    {
    }
    ~ResetOnExit() { m_s.reset(); }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    Stmt& m_s;
};

// One write transaction: BEGIN IMMEDIATE when made, ROLLBACK when left without commit().
class Transaction {
public:
    explicit Transaction(sqlite3* db)
        : m_db(db)
    {
        exec(m_db, "BEGIN IMMEDIATE");
    }
    ~Transaction()
    {
        if (!m_done)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit()
    {
        exec(m_db, "COMMIT");
        m_done = true;
    }

private:
    sqlite3* m_db;
    bool m_done = false;
};

// Runs a journal operation for a caller outside this unit: a file that does not fit reads as the
// journal failing, with its reason.
template <class Body> decltype(auto) reported(Body&& body)
{
    try {
        return body();
    } catch (const Damaged& e) {
        throw JournalError(e.what());
    }
}

// The tables of the first version.
const char* const kTables1 = R"(
CREATE TABLE tournament(
  id INTEGER PRIMARY KEY,
  started TEXT NOT NULL,
  ended TEXT,
  end_kind TEXT,
  head INTEGER NOT NULL,
  name TEXT NOT NULL,
  place TEXT NOT NULL,
  date TEXT NOT NULL,
  players INTEGER NOT NULL,
  size INTEGER NOT NULL,
  decided INTEGER NOT NULL,
  winner TEXT NOT NULL
);
CREATE UNIQUE INDEX one_running ON tournament(ended IS NULL) WHERE ended IS NULL;
-- A rowid table: its leaves hold a state of up to 4 KB whole, where a table without rowid would
-- spill every state over about 1 KB into overflow pages and triple the file.
CREATE TABLE command(
  id INTEGER PRIMARY KEY,
  tournament INTEGER NOT NULL REFERENCES tournament(id) ON DELETE CASCADE,
  seq INTEGER NOT NULL,
  kind TEXT NOT NULL,
  params TEXT NOT NULL,
  description TEXT NOT NULL,
  undoable INTEGER NOT NULL,
  at TEXT NOT NULL,
  state BLOB NOT NULL,
  UNIQUE (tournament, seq)
);
)";

// What version 2 added; a new journal and the upgrade of a version-1 one make them alike.
const char* const kTables2 = R"(
-- The register of players: every name ever registered, under the name it is counted as.
CREATE TABLE player(
  name TEXT PRIMARY KEY,
  first_registered TEXT NOT NULL,
  last_registered TEXT NOT NULL
);
-- Spellings merged into a player of the register (a typo): alias -> the kept name.
CREATE TABLE player_alias(
  alias TEXT PRIMARY KEY,
  name TEXT NOT NULL
);
-- The season ranking's points for each placing band, as the operator set them.
CREATE TABLE ranking_points(
  place_from INTEGER PRIMARY KEY,
  place_to INTEGER NOT NULL,
  points INTEGER NOT NULL
);
INSERT INTO ranking_points VALUES (1, 1, 100), (2, 2, 70), (3, 3, 50), (4, 4, 40), (5, 6, 30), (7, 8, 25),
  (9, 12, 20), (13, 16, 15), (17, 24, 10), (25, 32, 5), (33, 48, 3), (49, 64, 2);
-- Every ended tournament's placings and wins, stored when it ends, so that the ranking reads no states.
CREATE TABLE tournament_placing(
  tournament INTEGER NOT NULL REFERENCES tournament(id) ON DELETE CASCADE,
  player TEXT NOT NULL,
  place_from INTEGER NOT NULL,
  place_to INTEGER NOT NULL,
  wins INTEGER NOT NULL,
  PRIMARY KEY (tournament, player)
);
-- A window's choice kept with its tournament across a resume (the phones page: 'mobil' -> '1').
CREATE TABLE tournament_flag(
  tournament INTEGER REFERENCES tournament(id) ON DELETE CASCADE,
  key TEXT,
  value TEXT,
  PRIMARY KEY(tournament, key)
);
-- Where each window was left, maximised or not, and its zoom: for the next start.
CREATE TABLE window_geometry(
  window TEXT PRIMARY KEY,
  x INTEGER NOT NULL,
  y INTEGER NOT NULL,
  width INTEGER NOT NULL,
  height INTEGER NOT NULL,
  maximized INTEGER NOT NULL,
  zoom REAL NOT NULL
);
)";

// A name registered at ?2, remembered under the name it counts as.
const char* const kRememberPlayer =
    "INSERT INTO player(name, first_registered, last_registered) "
    "VALUES(coalesce((SELECT name FROM player_alias WHERE alias = ?1), ?1), ?2, ?2) "
    "ON CONFLICT(name) DO UPDATE SET first_registered = min(first_registered, excluded.first_registered), "
    "last_registered = max(last_registered, excluded.last_registered)";

const std::string kSetVersion = "PRAGMA user_version = " + std::to_string(Journal::kVersion);

void configure(sqlite3* db)
{
    sqlite3_busy_timeout(db, 1000);
    sqlite3_extended_result_codes(db, 1);
    exec(db, "PRAGMA foreign_keys = ON");
    exec(db, "PRAGMA synchronous = FULL");
}

Journal::Connection openFile(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    // SQLite hands out a connection even when the opening failed; it is closed all the same.
    Journal::Connection c(db);
    if (rc != SQLITE_OK)
        fail(c.get(), rc);
    return c;
}

void syncFolder(const fs::path& file)
{
    const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void removeWithCompanions(const std::string& path)
{
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(path + suffix, ec);
}

// A new journal appears whole: made under a temporary name, then renamed into place, so a kill
// during its making never leaves an empty or half-made file that would read as damaged.
void create(const std::string& path)
{
    const std::string temp = path + ".novy";
    removeWithCompanions(temp);
    {
        const Journal::Connection c = openFile(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        exec(c.get(), "PRAGMA journal_mode = WAL");
        exec(c.get(), "BEGIN");
        exec(c.get(), kTables1);
        exec(c.get(), kTables2);
        exec(c.get(), kSetVersion.c_str());
        exec(c.get(), "COMMIT");
    } // closing checkpoints the write-ahead log into the file and removes it
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        removeWithCompanions(temp);
        throw JournalError(ioReport(ec.value()));
    }
    syncFolder(path);
}

std::string freeName(const std::string& base)
{
    std::error_code ec;
    std::string name = base;
    for (int n = 2; fs::exists(fs::symlink_status(name, ec)) || fs::exists(fs::symlink_status(name + "-wal", ec)); ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

// Renames the files SQLite keeps beside the journal to target + their suffix.
void renameCompanions(const std::string& path, const std::string& target)
{
    std::error_code ec;
    for (const char* suffix : {"-wal", "-shm"}) {
        if (fs::exists(fs::symlink_status(path + suffix, ec)))
            fs::rename(path + suffix, target + suffix, ec);
        // A stale log beside a new journal would be read into it; whatever cannot go aside goes.
        if (fs::exists(fs::symlink_status(path + suffix, ec)))
            fs::remove_all(path + suffix, ec);
    }
}

// Renames the file (or folder) and the files SQLite keeps beside it; returns the new name.
std::string moveAside(const std::string& path, const std::string& stamp)
{
    std::string target = freeName(path + ".poskozeno-" + stamp);
    std::error_code ec;
    fs::rename(path, target, ec);
    if (ec)
        throw JournalError(ioReport(ec.value()));
    renameCompanions(path, target);
    syncFolder(path);
    return target;
}

// The same for a log left without its journal; returns the log's new name.
std::string moveCompanionsAside(const std::string& path, const std::string& stamp)
{
    const std::string target = freeName(path + ".poskozeno-" + stamp);
    std::error_code ec;
    const bool log = fs::exists(fs::symlink_status(path + "-wal", ec));
    renameCompanions(path, target);
    syncFolder(path);
    return log ? target + "-wal" : target + "-shm";
}

// Stores a tournament's placings in place of what was stored for it.
void storePlacings(sqlite3* db, std::int64_t id, const std::string& state)
{
    Stmt(db, "DELETE FROM tournament_placing WHERE tournament = ?1").bind(1, id).run();
    const std::optional<Session> s = decodeState(state);
    if (!s)
        return; // a state this program cannot read places nobody; the tournament stays as it was
    Stmt insert(db, "INSERT OR IGNORE INTO tournament_placing(tournament, player, place_from, place_to, wins) "
                    "VALUES(?1, ?2, ?3, ?4, ?5)");
    for (const Placing& p : placingsOf(*s))
        insert.bind(1, id).bind(2, p.player).bind(3, p.from).bind(4, p.to).bind(5, p.wins).run();
}

// The register of a journal that had none: the players of every tournament it holds, first and
// last registered when their registration was committed (or the tournament began).
void fillRegister(sqlite3* db)
{
    Stmt last(db, "SELECT t.id, t.started, c.state FROM tournament t "
                  "JOIN command c ON c.tournament = t.id AND c.seq = t.head - 1 ORDER BY t.id");
    Stmt registrations(db, "SELECT params, min(at), max(at) FROM command "
                           "WHERE tournament = ?1 AND kind = 'registrace' GROUP BY params");
    Stmt remember(db, kRememberPlayer);
    while (last.step()) {
        // A state this program cannot read adds nobody; the tournament itself stays as it was.
        const std::optional<Session> s = decodeState(last.blob(2));
        if (!s)
            continue;
        const std::string started = last.text(1);
        std::map<std::string, std::pair<std::string, std::string>> when;
        registrations.bind(1, last.integer(0));
        while (registrations.step())
            when[registrations.text(0)] = {registrations.text(1), registrations.text(2)};
        registrations.reset();
        for (const PlacedPlayer& p : playersOf(*s).players) {
            const auto it = when.find(p.name);
            const std::string& first = it == when.end() ? started : it->second.first;
            const std::string& lastAt = it == when.end() ? started : it->second.second;
            remember.bind(1, p.name).bind(2, first).run();
            remember.bind(1, p.name).bind(2, lastAt).run();
        }
    }
    last.reset();
}

// A version-1 journal becomes a version-2 one in one transaction: the new tables, the placings of
// every ended tournament, the register filled. Nothing of what it held changes.
void upgradeFrom1(sqlite3* db)
{
    Transaction transaction(db);
    exec(db, kTables2);
    {
        Stmt ended(db, "SELECT t.id, c.state FROM tournament t "
                       "JOIN command c ON c.tournament = t.id AND c.seq = t.head - 1 WHERE t.ended IS NOT NULL");
        while (ended.step())
            storePlacings(db, ended.integer(0), ended.blob(1));
    }
    fillRegister(db);
    exec(db, kSetVersion.c_str());
    transaction.commit();
}

History readHistory(Stmt& head, Stmt& rows, std::int64_t id, Journal::StateCheck check)
{
    History h;
    h.id = id;
    std::int64_t at = 0;
    {
        const ResetOnExit done(head);
        head.bind(1, id);
        if (!head.step())
            throw JournalError(kNotInJournal);
        h.started = head.text(0);
        at = head.integer(1);
    }
    std::vector<HistoryEntry> entries;
    {
        const ResetOnExit done(rows);
        rows.bind(1, id);
        while (rows.step()) {
            if (rows.integer(0) != static_cast<std::int64_t>(entries.size()))
                throw Damaged("commands out of order");
            HistoryEntry e;
            e.kind = rows.text(1);
            e.params = rows.text(2);
            e.description = rows.text(3);
            // 1: undo can take it back; 2: the floor it stops at.
            e.undoable = rows.integer(4) == 1;
            e.floor = rows.integer(4) == 2;
            e.at = rows.text(5);
            e.state = rows.blob(6);
            if (check && !check(e.state))
                throw Damaged(kUnreadableState);
            entries.push_back(std::move(e));
        }
    }
    if (at < 0 || at > static_cast<std::int64_t>(entries.size()) || (at == 0 && !entries.empty()))
        throw Damaged("head out of range");
    h.assign(std::move(entries), static_cast<std::size_t>(at));
    return h;
}

} // namespace

struct Journal::Statements {
    explicit Statements(sqlite3* db)
        : insertTournament(db, "INSERT INTO tournament(started, head, name, place, date, players, size, decided, "
                               "winner) VALUES(?1, 0, '', '', '', 0, 0, 0, '')")
        , updateTournament(db, "UPDATE tournament SET head = ?2, name = ?3, place = ?4, date = ?5, players = ?6, "
                               "size = ?7, decided = ?8, winner = ?9, ended = ?10, end_kind = ?11 WHERE id = ?1")
        , deleteCommands(db, "DELETE FROM command WHERE tournament = ?1 AND seq >= ?2")
        , insertCommand(db, "INSERT INTO command(tournament, seq, kind, params, description, undoable, at, state) "
                            "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)")
        , tournamentHead(db, "SELECT started, head FROM tournament WHERE id = ?1")
        , commands(db, "SELECT seq, kind, params, description, undoable, at, state FROM command "
                       "WHERE tournament = ?1 ORDER BY seq")
        , archive(db, "SELECT id, started, ended, end_kind, name, place, date, players, size, decided, winner "
                      "FROM tournament WHERE ended IS NOT NULL ORDER BY ended DESC, id DESC")
        , running(db, "SELECT id FROM tournament WHERE ended IS NULL")
        , reopen(db, "UPDATE tournament SET ended = NULL, end_kind = NULL WHERE id = ?1")
        , remove(db, "DELETE FROM tournament WHERE id = ?1")
        , aliases(db, "SELECT alias, name FROM player_alias")
        , points(db, "SELECT place_from, place_to, points FROM ranking_points ORDER BY place_from")
        , setFlag(db, "INSERT OR REPLACE INTO tournament_flag(tournament, key, value) VALUES(?1, ?2, ?3)")
        , clearFlag(db, "DELETE FROM tournament_flag WHERE tournament = ?1 AND key = ?2")
        , flag(db, "SELECT value FROM tournament_flag WHERE tournament = ?1 AND key = ?2")
        , placings(db, "SELECT p.tournament, p.player, p.place_from, p.place_to, p.wins FROM tournament_placing p "
                       "JOIN tournament t ON t.id = p.tournament WHERE t.ended IS NOT NULL AND t.winner <> '' "
                       "AND substr(t.ended, 1, 10) BETWEEN ?1 AND ?2 ORDER BY p.tournament")
        , rememberPlayer(db, kRememberPlayer)
        , players(db, "SELECT name, first_registered, last_registered FROM player ORDER BY name")
        , endedStates(db, "SELECT t.id, t.ended, c.state FROM tournament t "
                          "JOIN command c ON c.tournament = t.id AND c.seq = t.head - 1 "
                          "WHERE t.ended IS NOT NULL ORDER BY t.ended DESC, t.id DESC")
        , places(db, "SELECT window, x, y, width, height, maximized, zoom FROM window_geometry")
        , putPlace(db, "INSERT OR REPLACE INTO window_geometry(window, x, y, width, height, maximized, zoom) "
                       "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)")
    {
    }
    Stmt insertTournament, updateTournament, deleteCommands, insertCommand, tournamentHead, commands, archive, running,
        reopen, remove, aliases, points, setFlag, clearFlag, flag, placings, rememberPlayer, players, endedStates,
        places, putPlace;
};

void Journal::Closer::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

Journal::Journal(Connection db, StateCheck check)
    : m_db(std::move(db))
    , m_check(check)
    , m_st(std::make_unique<Statements>(m_db.get()))
{
}

Journal::~Journal() = default;

std::unique_ptr<Journal> Journal::openExisting(const std::string& path, StateCheck check,
                                               std::optional<History>& running)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(path, ec)))
        throw Damaged("not a file");
    if (fs::file_size(path, ec) == 0 || ec)
        throw Damaged("empty");
    Connection c = openFile(path, SQLITE_OPEN_READWRITE);
    // A file that turns out not to be ours must not be written into when it is closed.
    sqlite3_db_config(c.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    configure(c.get());
    const std::string version = scalar(c.get(), "PRAGMA user_version");
    if (version != std::to_string(kVersion) && version != "1")
        throw Damaged("version " + version); // another program's file, or a newer Zorbon's
    if (const std::string verdict = scalar(c.get(), "PRAGMA quick_check"); verdict != "ok")
        throw Damaged(verdict);
    if (version == "1")
        upgradeFrom1(c.get());
    std::unique_ptr<Journal> j;
    try {
        j.reset(new Journal(std::move(c), check));
    } catch (const JournalError& e) {
        throw Damaged(e.what()); // the statements do not fit the file's tables
    }
    std::vector<std::int64_t> ids;
    {
        Stmt& r = j->m_st->running;
        const ResetOnExit done(r);
        while (r.step())
            ids.push_back(r.integer(0));
    }
    if (ids.size() > 1)
        throw Damaged("two running tournaments");
    if (!ids.empty())
        running = readHistory(j->m_st->tournamentHead, j->m_st->commands, ids.front(), check);
    sqlite3_db_config(j->m_db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return j;
}

std::unique_ptr<Journal> Journal::createFresh(const std::string& path, StateCheck check)
{
    create(path);
    Connection c = openFile(path, SQLITE_OPEN_READWRITE);
    configure(c.get());
    return std::unique_ptr<Journal>(new Journal(std::move(c), check));
}

Journal::Opened Journal::open(const std::string& path, const std::string& stamp, StateCheck check)
{
    Opened out;
    std::error_code ec;
    try {
        if (fs::exists(fs::symlink_status(path, ec))) {
            try {
                out.journal = openExisting(path, check, out.running);
                out.how = Opening::Opened;
                return out;
            } catch (const Damaged& e) {
                out.running.reset();
                out.reason = e.what();
                out.movedTo = moveAside(path, stamp);
                out.how = Opening::Damaged;
            }
        } else if (fs::exists(fs::symlink_status(path + "-wal", ec)) ||
                   fs::exists(fs::symlink_status(path + "-shm", ec))) {
            // A log or shared-memory file without its database is what is left of a journal: it
            // goes aside like a damaged one, or SQLite would read it into the new journal.
            out.movedTo = moveCompanionsAside(path, stamp);
            out.reason = "a log without its journal";
            out.how = Opening::Damaged;
        } else {
            out.how = Opening::Created;
        }
        out.journal = createFresh(path, check);
    } catch (const Damaged& e) {
        out = Opened{};
        out.reason = e.what();
    } catch (const JournalError& e) {
        const std::string movedTo = out.movedTo;
        out = Opened{};
        out.movedTo = movedTo;
        out.reason = e.what();
    } catch (const std::filesystem::filesystem_error& e) {
        out = Opened{};
        out.reason = ioReport(e.code().value());
    }
    return out;
}

void Journal::write(History& h, const TournamentSummary& s, const std::string* endKind, const std::string* at)
{
    Transaction transaction(m_db.get());
    std::int64_t id = h.id;
    if (id == 0) {
        const ResetOnExit done(m_st->insertTournament);
        m_st->insertTournament.bind(1, h.started).run();
        id = sqlite3_last_insert_rowid(m_db.get());
    }
    const auto& entries = h.entries();
    {
        const ResetOnExit done(m_st->deleteCommands);
        m_st->deleteCommands.bind(1, id).bind(2, static_cast<std::int64_t>(h.firstUnsaved())).run();
    }
    for (std::size_t i = h.firstUnsaved(); i < entries.size(); ++i) {
        const HistoryEntry& e = entries[i];
        const ResetOnExit done(m_st->insertCommand);
        m_st->insertCommand.bind(1, id)
            .bind(2, static_cast<std::int64_t>(i))
            .bind(3, e.kind)
            .bind(4, e.params)
            .bind(5, e.description)
            .bind(6, std::int64_t{e.floor      ? 2
                                  : e.undoable ? 1
                                               : 0})
            .bind(7, e.at)
            .bindBlob(8, e.state)
            .run();
    }
    {
        Stmt& u = m_st->updateTournament;
        const ResetOnExit done(u);
        u.bind(1, id)
            .bind(2, static_cast<std::int64_t>(h.head()))
            .bind(3, s.name)
            .bind(4, s.place)
            .bind(5, s.date)
            .bind(6, std::int64_t{s.players})
            .bind(7, std::int64_t{s.size})
            .bind(8, std::int64_t{s.decided})
            .bind(9, s.winner);
        if (endKind) {
            u.bind(10, *at).bind(11, *endKind);
        } else {
            u.bindNull(10).bindNull(11);
        }
        u.run();
    }
    if (endKind && h.current())
        storePlacings(m_db.get(), id, h.current()->state);
    writeRemembered(h);
    transaction.commit();
    h.id = id;
    h.markSaved();
    m_toRemember.clear();
}

void Journal::save(History& history, const TournamentSummary& summary)
{
    reported([&] { write(history, summary, nullptr, nullptr); });
}

void Journal::end(History& history, const TournamentSummary& summary, const std::string& kind, const std::string& at)
{
    reported([&] { write(history, summary, &kind, &at); });
}

std::vector<StoredTournament> Journal::archive()
{
    return reported([&] {
        std::vector<StoredTournament> out;
        Stmt& a = m_st->archive;
        const ResetOnExit done(a);
        while (a.step()) {
            StoredTournament t;
            t.id = a.integer(0);
            t.started = a.text(1);
            t.ended = a.text(2);
            t.endKind = a.text(3);
            t.summary = {a.text(4),
                         a.text(5),
                         a.text(6),
                         static_cast<int>(a.integer(7)),
                         static_cast<int>(a.integer(8)),
                         static_cast<int>(a.integer(9)),
                         a.text(10)};
            out.push_back(std::move(t));
        }
        return out;
    });
}

History Journal::load(std::int64_t id)
{
    return reported([&] { return readHistory(m_st->tournamentHead, m_st->commands, id, m_check); });
}

void Journal::reopen(std::int64_t id)
{
    reported([&] {
        const ResetOnExit done(m_st->reopen);
        m_st->reopen.bind(1, id).run();
    });
}

void Journal::remove(std::int64_t id)
{
    reported([&] {
        const ResetOnExit done(m_st->remove);
        m_st->remove.bind(1, id).run();
    });
}

// --- The season ranking ---------------------------------------------------------------------------

Aliases Journal::aliases()
{
    return reported([&] {
        Stmt& st = m_st->aliases;
        const ResetOnExit done(st);
        Aliases out;
        while (st.step())
            out.emplace(st.text(0), st.text(1));
        return out;
    });
}

std::vector<PointsBand> Journal::rankingPoints()
{
    return reported([&] {
        Stmt& st = m_st->points;
        const ResetOnExit done(st);
        std::vector<PointsBand> out;
        while (st.step())
            out.push_back(
                {static_cast<int>(st.integer(0)), static_cast<int>(st.integer(1)), static_cast<int>(st.integer(2))});
        return out;
    });
}

void Journal::setRankingPoints(const std::vector<PointsBand>& bands)
{
    reported([&] {
        Transaction transaction(m_db.get());
        exec(m_db.get(), "DELETE FROM ranking_points");
        Stmt insert(m_db.get(), "INSERT INTO ranking_points(place_from, place_to, points) VALUES(?1, ?2, ?3)");
        for (const PointsBand& b : bands)
            insert.bind(1, b.from).bind(2, b.to).bind(3, b.points).run();
        transaction.commit();
    });
}

std::vector<ArchivedPlacings> Journal::placings(const std::string& from, const std::string& to)
{
    return reported([&] {
        Stmt& st = m_st->placings;
        const ResetOnExit done(st);
        std::vector<ArchivedPlacings> out;
        st.bind(1, from).bind(2, to);
        while (st.step()) {
            const std::int64_t id = st.integer(0);
            if (out.empty() || out.back().tournament != id)
                out.push_back({id, {}});
            out.back().placings.push_back({st.text(1), static_cast<int>(st.integer(2)), static_cast<int>(st.integer(3)),
                                           static_cast<int>(st.integer(4))});
        }
        return out;
    });
}

void Journal::setFlag(std::int64_t tournament, const std::string& key, const std::string& value)
{
    reported([&] {
        Stmt& st = value.empty() ? m_st->clearFlag : m_st->setFlag;
        const ResetOnExit done(st);
        st.bind(1, tournament).bind(2, key);
        if (!value.empty())
            st.bind(3, value);
        st.run();
    });
}

std::string Journal::flag(std::int64_t tournament, const std::string& key)
{
    return reported([&] {
        Stmt& st = m_st->flag;
        const ResetOnExit done(st);
        return st.bind(1, tournament).bind(2, key).step() ? st.text(0) : std::string();
    });
}

// --- The register of players ---------------------------------------------------------------------

void Journal::rememberPlayers(const std::vector<std::string>& names)
{
    m_toRemember.insert(m_toRemember.end(), names.begin(), names.end());
}

void Journal::writeRemembered(const History& h)
{
    const std::string at = h.current() ? h.current()->at : h.started;
    const ResetOnExit done(m_st->rememberPlayer);
    for (const std::string& name : m_toRemember)
        m_st->rememberPlayer.bind(1, name).bind(2, at).run();
}

std::vector<RegisteredPlayer> Journal::players()
{
    return reported([&] {
        Stmt& st = m_st->players;
        const ResetOnExit done(st);
        std::vector<RegisteredPlayer> out;
        while (st.step())
            out.push_back({st.text(0), st.text(1), st.text(2)});
        return out;
    });
}

std::vector<Journal::EndedState> Journal::endedStates()
{
    return reported([&] {
        Stmt& st = m_st->endedStates;
        const ResetOnExit done(st);
        std::vector<EndedState> out;
        while (st.step())
            out.push_back({st.integer(0), st.text(1), st.blob(2)});
        return out;
    });
}

namespace {

// One change of the register as one transaction.
template <class Body> void inTransaction(sqlite3* db, Body&& body)
{
    reported([&] {
        Transaction transaction(db);
        body();
        transaction.commit();
    });
}

} // namespace

void Journal::mergePlayers(const std::string& alias, const std::string& kept)
{
    if (alias == kept)
        return;
    inTransaction(m_db.get(), [&] {
        Stmt times(m_db.get(), "SELECT min(first_registered), max(last_registered) FROM player WHERE name IN (?1, ?2)");
        times.bind(1, alias).bind(2, kept);
        times.step();
        const std::string first = times.text(0), last = times.text(1);
        times.reset();
        Stmt(m_db.get(), "UPDATE player_alias SET name = ?2 WHERE name = ?1").bind(1, alias).bind(2, kept).run();
        Stmt(m_db.get(), "INSERT OR REPLACE INTO player_alias(alias, name) VALUES(?1, ?2)")
            .bind(1, alias)
            .bind(2, kept)
            .run();
        Stmt(m_db.get(), "DELETE FROM player_alias WHERE alias = ?1").bind(1, kept).run();
        Stmt(m_db.get(), "DELETE FROM player WHERE name = ?1").bind(1, alias).run();
        if (!first.empty())
            Stmt(m_db.get(), "INSERT INTO player(name, first_registered, last_registered) VALUES(?1, ?2, ?3) "
                             "ON CONFLICT(name) DO UPDATE SET first_registered = ?2, last_registered = ?3")
                .bind(1, kept)
                .bind(2, first)
                .bind(3, last)
                .run();
    });
}

void Journal::forgetPlayer(const std::string& name)
{
    inTransaction(m_db.get(), [&] {
        Stmt(m_db.get(), "DELETE FROM player_alias WHERE name = ?1 OR alias = ?1").bind(1, name).run();
        Stmt(m_db.get(), "DELETE FROM player WHERE name = ?1").bind(1, name).run();
    });
}

// --- Where the windows were ------------------------------------------------------------------------

std::vector<WindowPlace> Journal::windowPlaces()
{
    Stmt& q = m_st->places;
    return reported([&] {
        const ResetOnExit done(q);
        std::vector<WindowPlace> out;
        while (q.step())
            out.push_back({q.text(0), static_cast<int>(q.integer(1)), static_cast<int>(q.integer(2)),
                           static_cast<int>(q.integer(3)), static_cast<int>(q.integer(4)), q.integer(5) != 0,
                           q.real(6)});
        return out;
    });
}

void Journal::saveWindowPlace(const WindowPlace& p)
{
    // Most exits leave a window where it was: no write then, so no synced commit on the way out.
    for (const WindowPlace& stored : windowPlaces())
        if (stored == p)
            return;
    Stmt& put = m_st->putPlace;
    reported([&] {
        const ResetOnExit done(put);
        put.bind(1, p.window)
            .bind(2, std::int64_t{p.x})
            .bind(3, std::int64_t{p.y})
            .bind(4, std::int64_t{p.width})
            .bind(5, std::int64_t{p.height})
            .bind(6, std::int64_t{p.maximized ? 1 : 0})
            .bindReal(7, p.zoom)
            .run();
    });
}

} // namespace zorbon
