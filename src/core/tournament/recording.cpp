#include "tournament/recording.h"

#include "records/record.h"
#include "records/roster.h"
#include "tournament/state_codec.h"

#include <ctime>
#include <stdexcept>

// How commands are recorded: the working files through the session's copy, the commit of each
// command to the journal, the endings the journal could not take yet, and the backup warning.

namespace zorbon {

bool worthKeeping(const Session& s)
{
    const Lobby& l = s.lobby;
    return s.activeSize != 0 || !l.registered.empty() || !l.registrationList.empty() || s.record.PlayerCount != 0;
}

std::string Tournament::localTime(TimeFormat format)
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, format == TimeFormat::FileName ? "%Y%m%d-%H%M%S" : "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

Tournament::Tournament(std::unique_ptr<Journal> journal, std::optional<History> running, std::string journalProblem,
                       Clock clock)
    : m_journal(std::move(journal))
    , m_running(std::move(running))
    , m_journalProblem(std::move(journalProblem))
    , m_clock(std::move(clock))
{
}

Tournament::Tournament()
    : Tournament(nullptr, std::nullopt, {})
{
}

Tournament::~Tournament() = default;

void Tournament::attachJournal(std::unique_ptr<Journal> journal, std::optional<History> running,
                               std::string journalProblem)
{
    // A command recorded before would be missing from the journal: that is a programming error.
    if (!m_history.entries().empty() || m_journal)
        throw std::logic_error("the journal is attached before the first command, once");
    m_journal = std::move(journal);
    m_running = std::move(running);
    m_journalProblem = std::move(journalProblem);
}

void Tournament::closeJournal()
{
    m_journal.reset();
}

unsigned Tournament::takeChanges()
{
    return std::exchange(m_changes, 0u);
}

std::string Tournament::takeBackupWarning()
{
    return std::exchange(m_backupWarning, std::string());
}

// --- Working files -------------------------------------------------------------------------------

TournamentRecord Tournament::readRecord()
{
    m_session.record = ReadRecord();
    return m_session.record;
}

void flushWorkingFiles()
{
    flushToDisk({kRecordPath, kRosterPath});
}

Flush Tournament::fileFlush()
{
    if (!m_deferFlush)
        return Flush::Now;
    m_unflushed = true;
    return Flush::Deferred;
}

void Tournament::writeRecord(const TournamentRecord& record)
{
    WriteRecord(record, fileFlush());
    m_session.record = record;
}

std::vector<std::string> Tournament::readRoster()
{
    m_session.roster = ReadRoster();
    return m_session.roster;
}

void Tournament::saveRoster(const std::vector<std::string>& names)
{
    SaveRoster(names, fileFlush());
    m_session.roster = names;
}

// --- Commands and the journal ----------------------------------------------------------------------

bool Tournament::commit(Scope& scope)
{
    std::string state = encodeState(m_session);
    const HistoryEntry* head = m_history.current();
    if (equalStates(state, head ? head->state : scope.before))
        return head != nullptr && m_journalHolds; // nothing changed
    if (m_history.empty())
        m_history.started = m_clock(TimeFormat::Readable);
    HistoryEntry entry{scope.kind,
                       scope.params,
                       scope.describe ? scope.describe() : scope.kind,
                       scope.undoable,
                       scope.floor,
                       std::move(state),
                       m_clock(TimeFormat::Readable)};
    if (scope.stored)
        m_history.replaceCurrent(std::move(entry));
    else
        m_history.push(std::move(entry));
    scope.stored = true;
    m_changes |= kHistoryChanged;
    return saveJournal();
}

bool Tournament::saveJournal()
{
    m_journalHolds = false;
    if (!m_journal) {
        // A layer made without a journal (tests, tools) keeps none and has nothing to tell.
        if (!m_journalProblem.empty())
            backupFailed(m_journalProblem);
        return false;
    }
    if (!flushPendingEnds())
        return false;
    try {
        // The session is the state of the entry in effect: just committed, undone or redone.
        m_journal->save(m_history, summarize(m_session));
    } catch (const JournalError& e) {
        backupFailed(e.what());
        return false;
    }
    m_journalHolds = true;
    return true;
}

bool Tournament::flushPendingEnds()
{
    while (!m_pendingEnds.empty()) {
        PendingEnd& e = m_pendingEnds.front();
        try {
            if (e.kind.empty()) {
                if (e.history.id != 0)
                    m_journal->remove(e.history.id);
            } else {
                m_journal->end(e.history, e.summary, e.kind, e.at);
            }
        } catch (const JournalError& error) {
            backupFailed(error.what());
            return false;
        }
        m_pendingEnds.erase(m_pendingEnds.begin());
    }
    return true;
}

void Tournament::backupFailed(const std::string& reason)
{
    if (m_warned)
        return;
    m_warned = true;
    m_backupWarning = backupWarning(reason);
}

void Tournament::startNewHistory()
{
    m_history = History{};
    m_journalHolds = false;
    m_warned = false;
    m_flags.clear();
}

void Tournament::setFlag(const std::string& key, const std::string& value)
{
    if (value.empty())
        m_flags.erase(key);
    else
        m_flags[key] = value;
    if (!m_journal || m_history.id == 0)
        return;
    try {
        m_journal->setFlag(m_history.id, key, value);
    } catch (const JournalError& e) {
        backupFailed(e.what());
    }
}

std::string Tournament::flag(const std::string& key) const
{
    // A resumed or reopened tournament's choices are in the journal; they are read when asked for.
    if (m_journal && m_history.id != 0) {
        try {
            return m_journal->flag(m_history.id, key);
        } catch (const JournalError&) {
            // fall back to what this run was told
        }
    }
    const auto it = m_flags.find(key);
    return it == m_flags.end() ? std::string() : it->second;
}

// The tournament ends: it joins the archive with the state of its last command (the one before the
// ending), or is dropped when there was nothing in it.
void Tournament::endTournament(const std::string& kind)
{
    if (!m_history.empty() && m_journal) {
        const std::optional<Session> last = decodeState(m_history.current() ? m_history.current()->state : "");
        const bool keep = last && worthKeeping(*last);
        m_pendingEnds.push_back({m_history, keep ? summarize(*last) : TournamentSummary{}, keep ? kind : std::string(),
                                 m_clock(TimeFormat::Readable)});
        flushPendingEnds();
    }
    startNewHistory();
    m_changes |= kTournamentChanged | kHistoryChanged;
}

} // namespace zorbon
