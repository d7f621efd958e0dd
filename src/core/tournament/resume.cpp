#include "tournament/recording.h"

#include "records/record.h"
#include "records/roster.h"
#include "results/standings.h"
#include "tournament/state_codec.h"

// Resuming the tournament the journal holds, the archive of ended ones, and the restore of a saved
// state that undo and redo share with them.

namespace zorbon {
namespace {

// Matches with a result, the byes and walkovers apart.
int decidedMatches(const Bracket& b)
{
    int decided = 0;
    for (const auto& box : b.table().boxes)
        if (b.state(box.number) == BoxState::Finished && b.name(box.upper) != kBye && b.name(box.lower) != kBye)
            ++decided;
    return decided;
}

std::string winnerOf(const Bracket& b)
{
    const BoxSpec& fin = b.table().box(b.table().finalNumber());
    if (b.state(fin.number) != BoxState::Finished)
        return {};
    try {
        return b.name(parseInt(b.score(fin.lower)) > parseInt(b.score(fin.upper)) ? fin.lower : fin.upper);
    } catch (const ConvertError&) {
        return {};
    }
}

} // namespace

// The session becomes the saved state; the files are written back where they differ from it.
Outcome Tournament::restore(const std::string& state, Files files, OtherBrackets others)
{
    std::optional<Session> saved = decodeState(state);
    if (!saved)
        return Outcome::failed(kUnreadableState);
    if (others == OtherBrackets::KeepOnScreen) {
        // Only the bracket in play is saved; the other two stay as the draw left them.
        for (const int size : kBracketSizes)
            if (size != saved->activeSize)
                saved->brackets.bySize(size) = m_session.brackets.bySize(size);
    }
    const TournamentRecord onDisk = m_session.record;
    const std::vector<std::string> rosterOnDisk = m_session.roster;
    m_session = std::move(*saved);
    m_changes |= kEverything;
    if (files == Files::LeaveAlone)
        return Outcome::done();
    return guarded([&] {
        if (m_session.record != onDisk)
            WriteRecord(m_session.record);
        if (m_session.roster != rosterOnDisk)
            SaveRoster(m_session.roster);
    });
}

// --- Resume and archive -------------------------------------------------------------------------------------

TournamentSummary Tournament::summarize(const Session& s)
{
    TournamentSummary out;
    out.name = s.lobby.header.name;
    out.place = s.lobby.header.place;
    out.date = s.lobby.header.date;
    out.players = s.record.PlayerCount;
    out.size = s.activeSize;
    if (const Bracket* b = s.active()) {
        out.decided = decidedMatches(*b);
        out.winner = winnerOf(*b);
    }
    return out;
}

std::string Tournament::describe(const Session& s)
{
    std::string line;
    for (const std::string* part : {&s.lobby.header.name, &s.lobby.header.place, &s.lobby.header.date}) {
        if (part->empty())
            continue;
        if (!line.empty())
            line += ", ";
        line += *part;
    }
    if (line.empty())
        line = "(turnaj bez názvu)";
    if (const Bracket* b = s.active())
        line += " – pavouk " + std::to_string(s.activeSize) +
                " hráčů, rozhodnuté zápasy: " + std::to_string(decidedMatches(*b));
    else
        line += " – rozlosování ještě nebylo provedeno";
    return line;
}

std::optional<std::string> Tournament::resumeDescription() const
{
    if (!m_running || !m_running->current())
        return std::nullopt;
    const std::optional<Session> s = decodeState(m_running->current()->state);
    if (!s)
        return std::nullopt;
    return describe(*s);
}

Outcome Tournament::resume()
{
    if (!m_running || !m_running->current())
        return Outcome::refused();
    m_history = std::move(*m_running);
    m_running.reset();
    m_warned = false;
    Outcome restored = restore(m_history.current()->state, Files::LeaveAlone, OtherBrackets::Replace);
    if (!restored.ok())
        return restored;
    // Before the draw the main window loads its list from the roster when it is shown.
    if (m_session.activeSize == 0)
        m_session.lobby.registered.clear();
    return writeBackFiles();
}

// The record and the roster as the restored state knew them.
Outcome Tournament::writeBackFiles()
{
    return guarded([&] {
        writeRecord(m_session.record);
        saveRoster(m_session.roster);
    });
}

void Tournament::abandon()
{
    if (!m_running)
        return;
    History running = std::move(*m_running);
    m_running.reset();
    if (!m_journal)
        return;
    const std::optional<Session> last = decodeState(running.current() ? running.current()->state : "");
    const bool keep = last && worthKeeping(*last);
    m_pendingEnds.push_back({std::move(running), keep ? summarize(*last) : TournamentSummary{},
                             keep ? std::string("nepokracovano") : std::string(), m_clock(TimeFormat::Readable)});
    flushPendingEnds();
}

Result<std::vector<ArchivedTournament>> Tournament::archive()
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    std::vector<ArchivedTournament> list;
    Outcome outcome = guarded([&] { list = m_journal->archive(); });
    return {std::move(outcome), std::move(list)};
}

Result<ResultsSheet> Tournament::archivedSheet(std::int64_t id)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    ResultsSheet sheet;
    Outcome outcome = guarded([&] {
        const History h = m_journal->load(id);
        const std::optional<Session> s = decodeState(h.current() ? h.current()->state : "");
        if (!s)
            return Outcome::failed(kUnreadableState);
        sheet.header = s->lobby.header;
        sheet.players = s->record.PlayerCount;
        if (const Bracket* b = s->active())
            sheet.displayed = displayedOrder(standings(*b));
        return Outcome::done();
    });
    if (!outcome.ok())
        return outcome;
    return sheet;
}

Outcome Tournament::reopen(std::int64_t id)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    Outcome allowed = guarded([&] {
        if (m_session.activeSize != 0 || !m_session.lobby.registered.empty() || readRecord().PlayerCount != 0)
            return Outcome::refused(kReopenRefused);
        return Outcome::done();
    });
    if (!allowed.ok())
        return allowed;
    History reopened;
    Outcome loaded = guarded([&] {
        reopened = m_journal->load(id);
        if (!reopened.current() || !decodeState(reopened.current()->state))
            return Outcome::failed(kUnreadableState);
        // What runs now (at most a header) gives way to it.
        endTournament("nahrazen");
        m_journal->reopen(id);
        return Outcome::done();
    });
    if (!loaded.ok())
        return loaded;
    m_history = std::move(reopened);
    Outcome restored = restore(m_history.current()->state, Files::LeaveAlone, OtherBrackets::Replace);
    if (!restored.ok())
        return restored;
    return writeBackFiles();
}

Outcome Tournament::deleteArchived(std::int64_t id)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    return guarded([&] { m_journal->remove(id); });
}

} // namespace zorbon
