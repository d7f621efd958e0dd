#pragma once
// The journal: one SQLite database beside the record that holds every tournament's commands with
// the whole state after each, the running one and the ended ones (the archive). Committed in one
// transaction per command, in WAL mode with full syncs, so a kill or a power cut loses nothing that
// was committed and never leaves half a command.

#include "club/register.h"
#include "ranking/ranking.h"
#include "tournament/history.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace zorbon {

inline constexpr const char* kJournalPath = "data/setup/turnaj.db";

// The journal cannot be read or written; what() is the reason in the run-time's words ("Disk full").
class JournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the archive and the resume question tell about a tournament.
struct TournamentSummary {
    std::string name;
    std::string place;
    std::string date;
    int players = 0;
    int size = 0;    // 0 before the draw
    int decided = 0; // matches with a result
    std::string winner;
    bool operator==(const TournamentSummary&) const = default;
};

// Where a window was left: its frame's place and size on the desktop, maximised or not, its zoom.
struct WindowPlace {
    std::string window; // the window's name (its objectName)
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
    double zoom = 1.0;
    bool operator==(const WindowPlace&) const = default;
};

struct StoredTournament {
    std::int64_t id = 0;
    TournamentSummary summary;
    std::string started;
    std::string ended; // empty while it runs
    std::string endKind;
};

class Journal {
public:
    enum class Opening {
        Opened,   // an existing journal, checked
        Created,  // there was none
        Damaged,  // it could not be read: moved aside, a new one made
        Unusable, // no journal can be made here (the reason says why); the program goes on without
    };
    struct Opened {
        std::unique_ptr<Journal> journal; // null when Unusable
        Opening how = Opening::Unusable;
        std::string movedTo;            // Damaged: where the old file went
        std::string reason;             // Damaged or Unusable: why
        std::optional<History> running; // the tournament that did not end, checked whole
    };

    // Tells whether a stored state can be read back (the command layer's decoder).
    using StateCheck = bool (*)(const std::string& state);

    // Opens the journal at `path`, creating it when missing. A file that is not a journal of this
    // program or of this version, is damaged, or holds a running tournament with a state that
    // `check` refuses is renamed to path + ".poskozeno-" + `stamp` (with its -wal and -shm files;
    // never deleted, never written) and a new one is made.
    static Opened open(const std::string& path, const std::string& stamp, StateCheck check);

    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Stores what `history` holds and the journal does not: its row (a new one for id 0), the
    // unsaved entries, head and the summary. One transaction; JournalError leaves the journal as it was.
    void save(History& history, const TournamentSummary& summary);
    // The same, and the tournament ends: it joins the archive.
    void end(History& history, const TournamentSummary& summary, const std::string& kind, const std::string& at);
    // The ended tournaments, newest first.
    std::vector<StoredTournament> archive();
    // A stored tournament's commands, every state checked as at the opening; JournalError when one
    // cannot be read.
    History load(std::int64_t id);
    // An ended tournament runs again.
    void reopen(std::int64_t id);
    void remove(std::int64_t id);
    // A choice of the operator's kept with a tournament across a resume ("mobil" -> "1"); an empty
    // value removes it. JournalError when the journal cannot be written or read.
    void setFlag(std::int64_t tournament, const std::string& key, const std::string& value);
    std::string flag(std::int64_t tournament, const std::string& key);

    // --- The season ranking --------------------------------------------------------------------------
    // Every merged spelling and the name it counts as.
    Aliases aliases();
    // The points for each placing band, as last stored.
    std::vector<PointsBand> rankingPoints();
    // Replaces them, in one transaction.
    void setRankingPoints(const std::vector<PointsBand>& bands);
    // The placings of every ended tournament whose final was decided and which ended on a day from
    // `from` to `to` ("2026-01-01"), both included; stored when each ended.
    std::vector<ArchivedPlacings> placings(const std::string& from, const std::string& to);
    // --- The register of players -------------------------------------------------------------------
    // Names to remember as registered; stored with the next save, in its transaction and at the
    // time of the command it saves, so a registration and its place in the register are committed
    // together. A merged spelling counts for the name it was merged into.
    void rememberPlayers(const std::vector<std::string>& names);
    // The register, ordered by name as stored (the windows sort for the reader).
    std::vector<RegisteredPlayer> players();
    // `alias` becomes a spelling of `kept`: it leaves the register, its tournaments count for `kept`,
    // and spellings merged into it before follow it. One transaction.
    void mergePlayers(const std::string& alias, const std::string& kept);
    // The player leaves the register, and the spellings merged into him with him; archived
    // tournaments keep his name.
    void forgetPlayer(const std::string& name);
    // The state every ended tournament ended with, newest first.
    struct EndedState {
        std::int64_t id = 0;
        std::string ended;
        std::string state;
    };
    std::vector<EndedState> endedStates();

    // Where the windows were left, for the next start. JournalError when it cannot be read or stored.
    std::vector<WindowPlace> windowPlaces();
    void saveWindowPlace(const WindowPlace& place);

    // The schema version this program writes (PRAGMA user_version). A version 1 journal is upgraded
    // in place when opened.
    static constexpr int kVersion = 2;

    // Closes a connection when its owner goes.
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    using Connection = std::unique_ptr<sqlite3, Closer>;

private:
    Journal(Connection db, StateCheck check);
    // The journal at `path`, checked; Damaged (inside the unit) when it is not one to keep.
    static std::unique_ptr<Journal> openExisting(const std::string& path, StateCheck check,
                                                 std::optional<History>& running);
    // A new empty journal at `path`, made whole under another name first.
    static std::unique_ptr<Journal> createFresh(const std::string& path, StateCheck check);
    void write(History& history, const TournamentSummary& summary, const std::string* endKind, const std::string* at);
    void writeRemembered(const History& history);
    struct Statements;
    Connection m_db; // declared first: the statements are finalised before it closes
    StateCheck m_check;
    std::unique_ptr<Statements> m_st;
    std::vector<std::string> m_toRemember;
};

} // namespace zorbon
