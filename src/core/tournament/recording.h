#pragma once
// Inside the command layer: how a command is recorded (its scope, the one way a file failure ends
// it, the commit to the journal). Only the layer's own units include this.

#include "journal/journal.h"
#include "records/errors.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

namespace zorbon {

// One command in progress: what it is, and whether it has already stored its entry (the calls of
// one "Hraj" share one).
struct Tournament::Scope {
    explicit Scope(std::string kind_, bool undoable_ = false, std::function<std::string()> describe_ = {},
                   std::string params_ = {})
        : kind(std::move(kind_))
        , undoable(undoable_)
        , describe(std::move(describe_))
        , params(std::move(params_))
    {
    }
    std::string kind;
    bool undoable = false;
    std::function<std::string()> describe; // the description, built when the command commits
    std::string params;
    bool stored = false;
    std::string before; // the state before the command, while the tournament has no entry yet
    bool floor = false; // undo stops here (the draw)
};

// The record and the roster flushed to the disk after writes that deferred it.
void flushWorkingFiles();

// Runs a step that reads or writes a file or the journal: its own outcome (done for a step that
// returns nothing), or failed with the run-time's report. The one place such failures are caught.
template <class Step> Outcome guarded(Step&& step)
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Step>>) {
            std::forward<Step>(step)();
            return Outcome::done();
        } else {
            return std::forward<Step>(step)();
        }
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    } catch (const ConvertError& e) {
        return Outcome::failed(e.what());
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
}

template <class Body> Outcome Tournament::run(Scope& scope, Body&& body)
{
    if (m_history.empty())
        scope.before = encodeState(m_session);
    // The working files a command writes need not wait for the disk while a journal records the
    // command: its commit is synced, and resume writes the files back from it. Should the commit not
    // come (a refusal, a journal that fails), they are flushed before the command returns.
    struct Deferral {
        Tournament& t;
        bool outermost;
        ~Deferral()
        {
            if (outermost)
                t.m_deferFlush = false;
        }
    } deferral{*this, !m_deferFlush};
    if (deferral.outermost)
        m_deferFlush = m_journal != nullptr;
    Outcome outcome = guarded(std::forward<Body>(body));
    // A refusal did nothing worth an entry: what moved since the last one (a dialog's list loaded,
    // a record read) waits for the next command. Whatever a failed command got to stays done, so it
    // is committed as it stands.
    const bool recorded = !outcome.isRefused() && commit(scope);
    if (deferral.outermost && std::exchange(m_unflushed, false) && !recorded)
        flushWorkingFiles();
    return outcome;
}

// The archive keeps tournaments that were drawn or had players registered; three header texts
// alone are not worth a line in it.
bool worthKeeping(const Session& s);

} // namespace zorbon
