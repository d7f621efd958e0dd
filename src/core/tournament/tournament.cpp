#include "tournament/tournament.h"

#include "bracket/result.h"
#include "draw/draw.h"
#include "lobby/seeding.h"
#include "ranking/ranking_export.h"
#include "records/errors.h"
#include "records/roster.h"
#include "results/exports.h"
#include "results/standings.h"
#include "tournament/state_codec.h"

#include <ctime>

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

namespace {

std::string scoreOf(const std::string& text)
{
    try {
        return std::to_string(parseInt(text));
    } catch (const ConvertError&) {
        return text;
    }
}

// Runs a step that reads or writes a file: done, or failed with the run-time's report.
template <class Step> Outcome attempt(Step&& step)
{
    try {
        step();
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    } catch (const ConvertError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

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

// The archive keeps tournaments that were drawn or had players registered; three header texts
// alone are not worth a line in it.
bool worthKeeping(const Session& s)
{
    const Lobby& l = s.lobby;
    return s.activeSize != 0 || !l.registered.empty() || !l.registrationList.empty() || s.record.PlayerCount != 0;
}

} // namespace

std::string Tournament::localTime(bool forFileName)
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, forFileName ? "%Y%m%d-%H%M%S" : "%Y-%m-%d %H:%M:%S", &tm);
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

void Tournament::writeRecord(const TournamentRecord& record)
{
    WriteRecord(record);
    m_session.record = record;
}

std::vector<std::string> Tournament::readRoster()
{
    m_session.roster = ReadRoster();
    return m_session.roster;
}

void Tournament::saveRoster(const std::vector<std::string>& names)
{
    SaveRoster(names);
    m_session.roster = names;
}

// --- Commands and the journal ----------------------------------------------------------------------

template <class Body> Outcome Tournament::run(Scope& scope, Body&& body)
{
    if (m_history.empty())
        scope.before = encodeState(m_session);
    Outcome outcome;
    try {
        outcome = body();
    } catch (const IoError& e) {
        outcome = Outcome::failed(e.what());
    } catch (const ConvertError& e) {
        outcome = Outcome::failed(e.what());
    }
    // Whatever the command got to stays done, so it is committed as it stands.
    commit(scope);
    return outcome;
}

void Tournament::commit(Scope& scope)
{
    std::string state = encodeState(m_session);
    const HistoryEntry* head = m_history.current();
    if (equalStates(state, head ? head->state : scope.before))
        return; // nothing changed
    if (m_history.empty())
        m_history.started = m_clock(false);
    HistoryEntry entry{scope.kind,     scope.params, scope.describe ? scope.describe() : scope.kind,
                       scope.undoable, scope.floor,  std::move(state),
                       m_clock(false)};
    if (scope.stored)
        m_history.replaceCurrent(std::move(entry));
    else
        m_history.push(std::move(entry));
    scope.stored = true;
    m_changes |= kHistoryChanged;
    saveJournal();
}

void Tournament::saveJournal()
{
    if (!m_journal) {
        // A layer made without a journal (tests, tools) keeps none and has nothing to tell.
        if (!m_journalProblem.empty())
            backupFailed(m_journalProblem);
        return;
    }
    if (!flushPendingEnds())
        return;
    try {
        // The session is the state of the entry in effect: just committed, undone or redone.
        m_journal->save(m_history, summarize(m_session));
    } catch (const JournalError& e) {
        backupFailed(e.what());
    }
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
    std::string why = reason.empty() ? std::string("I/O error") : reason;
    if (why.back() != '.')
        why += '.';
    m_backupWarning = "Zálohu turnaje nelze uložit: " + why + " Turnaj pokračuje bez zálohy.";
}

void Tournament::startNewHistory()
{
    m_history = History{};
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
        m_pendingEnds.push_back(
            {m_history, keep ? summarize(*last) : TournamentSummary{}, keep ? kind : std::string(), m_clock(false)});
        flushPendingEnds();
    }
    startNewHistory();
    m_changes |= kTournamentChanged | kHistoryChanged;
}

// --- Main window -------------------------------------------------------------------------------------

Outcome Tournament::showMainWindow()
{
    m_changes |= kLobbyChanged;
    try {
        const int count = readRecord().PlayerCount;
        Lobby& l = m_session.lobby;
        // The count shows even when the roster then fails.
        l.count = count;
        l.shownCount = count;
        loadMainWindow(l, count, readRoster());
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

Outcome Tournament::check(Command command)
{
    try {
        int players = 0;
        if (readsRecord(command)) {
            players = readRecord().PlayerCount;
            if (command == Command::Rozlosuj) {
                m_session.lobby.count = players;
                m_changes |= kLobbyChanged;
            }
        }
        return checkCommand(command, m_session.lobby, players);
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    }
}

Opens Tournament::opens(Command command) const
{
    return opensFor(command, m_session.lobby);
}

Outcome Tournament::checkRemoval(const std::string& chosen) const
{
    return zorbon::checkRemoval(chosen);
}

Outcome Tournament::acceptNewTournament(const TournamentHeader& typed)
{
    Scope scope{"novy-turnaj", false, [this] { return "založení turnaje " + m_session.lobby.header.name; }};
    m_changes |= kLobbyChanged;
    return run(scope, [&] { return zorbon::acceptNewTournament(m_session.lobby, typed); });
}

void Tournament::newTournamentClosed(const TournamentHeader& typed)
{
    zorbon::newTournamentClosed(m_session.lobby, typed);
    m_changes |= kLobbyChanged;
}

Outcome Tournament::startOver()
{
    Scope scope{"novy-turnaj-znovu", false, [] { return std::string("nový turnaj místo založeného"); }};
    m_changes |= kLobbyChanged;
    return run(scope, [&] {
        zorbon::startOver(m_session.lobby);
        return Outcome::done();
    });
}

Outcome Tournament::showRegistration()
{
    m_changes |= kLobbyChanged;
    return attempt([&] {
        const int count = readRecord().PlayerCount;
        m_session.lobby.count = count;
        loadRegistration(m_session.lobby, count, readRoster());
    });
}

void Tournament::registrationClosed()
{
    zorbon::registrationClosed(m_session.lobby);
    m_changes |= kLobbyChanged;
}

Outcome Tournament::addPlayer(const std::string& name)
{
    Scope scope{"registrace", false, [name] { return "registrace hráče " + name; }, name};
    m_changes |= kLobbyChanged;
    return run(scope, [&] {
        readRecord();
        if (Outcome refusal = checkName(name); !refusal.ok())
            return refusal;
        if (isRegistered(readRoster(), name))
            return Outcome::refused(kAlreadyRegistered);
        TournamentRecord record = readRecord();
        const int count = plusOne(record.PlayerCount);
        record.PlayerCount = count;
        // The count is written before the name joins the lists: a folder that cannot be written then
        // leaves no name on screen that is not registered. Should only the roster fail after it, the
        // name stays in the dialog's list and the next save writes it, so count and roster meet again.
        writeRecord(record);
        acceptName(m_session.lobby, name, count);
        saveRoster(m_session.lobby.registrationList);
        return Outcome::done();
    });
}

Outcome Tournament::deleteAllPlayers()
{
    Scope scope{"smazani-registrace", false, [] { return std::string("smazání registrace"); }};
    m_changes |= kLobbyChanged;
    return run(scope, [&] {
        TournamentRecord record = readRecord();
        record.PlayerCount = 0;
        writeRecord(record);
        clearRegistrations(m_session.lobby);
        saveRoster(m_session.lobby.registrationList);
        setCount(m_session.lobby, 0);
        m_changes |= kNameFieldCleared;
        return Outcome::done();
    });
}

Outcome Tournament::removalChoices(std::vector<std::string>& names)
{
    return attempt([&] { names = readRoster(); });
}

Outcome Tournament::removePlayer(const std::string& name, std::vector<std::string>& kept)
{
    Scope scope{"odebrani", false, [name] { return "odebrání hráče " + name; }, name};
    m_changes |= kLobbyChanged;
    return run(scope, [&] {
        kept.clear();
        m_session.lobby.registered.clear();
        kept = keepOthers(m_session.lobby, readRoster(), name);
        keepRegisteredSeeds(m_session.lobby);
        saveRoster(kept);
        const int count = static_cast<int>(kept.size());
        setCount(m_session.lobby, count);
        TournamentRecord record = readRecord();
        record.PlayerCount = count;
        writeRecord(record);
        return Outcome::done();
    });
}

Outcome Tournament::checkSeeding() const
{
    return zorbon::checkSeeding(m_session.lobby);
}

Outcome Tournament::setSeeds(const std::vector<std::string>& seeds)
{
    Scope scope{"nasazeni-hracu", false, [this] {
                    const std::vector<std::string>& s = m_session.lobby.seeds;
                    std::string text = "nasazení hráčů do losování (";
                    for (std::size_t i = 0; i < s.size(); ++i)
                        text += (i ? ", " : "") + s[i];
                    return text + ")";
                }};
    m_changes |= kLobbyChanged;
    return run(scope, [&] {
        const int count = readRecord().PlayerCount;
        if (Outcome refusal = checkSeeds(seeds, m_session.lobby.registered, count); !refusal.ok())
            return refusal;
        m_session.lobby.seeds = seeds;
        return Outcome::done();
    });
}

Outcome Tournament::draw(std::uint32_t seed)
{
    Scope scope{"rozlosovani", false, [] { return std::string("rozlosování"); }, "seed=" + std::to_string(seed)};
    scope.floor = true;
    m_changes |= kLobbyChanged | kBracketChanged;
    return run(scope, [&] {
        Lcg rng(seed);
        TournamentRecord record = readRecord();
        const int n = record.PlayerCount;
        // The start values are stored before the count is tested, so a refused draw leaves them too;
        // the first open match follows once the bracket is chosen.
        setDrawStartValues(record);
        writeRecord(record);
        int size = 0;
        // The three brackets are reset: none is in play until the first round is filled.
        m_session.activeSize = 0;
        if (Outcome refusal = chooseBracket(m_session.brackets, m_session.lobby.registered, n, size); !refusal.ok())
            return refusal;
        record.FirstOpenMatch = firstOpenMatchFor(n);
        writeRecord(record);
        fillFirstRound(m_session.brackets.bySize(size), m_session.lobby.registered, rng, n, m_session.lobby.seeds);
        m_session.activeSize = size;
        m_changes |= kTournamentChanged;
        return Outcome::done();
    });
}

Outcome Tournament::exitProgram()
{
    Outcome outcome;
    try {
        TournamentRecord record = readRecord();
        record.PlayerCount = 0;
        writeRecord(record);
        m_session.lobby.registrationList.clear();
        saveRoster(m_session.lobby.registrationList);
    } catch (const IoError& e) {
        outcome = Outcome::failed(e.what());
    }
    endTournament("konec");
    return outcome;
}

// --- Board count ---------------------------------------------------------------------------------

Outcome Tournament::boardCountLimit(int& limit)
{
    return attempt([&] { limit = boardLimitFor(readRecord().PlayerCount); });
}

Outcome Tournament::setBoardCount(int k, BoardCountFrom from)
{
    Scope scope{"terce", from == BoardCountFrom::Terce, [k] { return "nastavení počtu terčů na " + std::to_string(k); },
                "k=" + std::to_string(k)};
    m_changes |= kBracketChanged;
    return run(scope, [&] {
        TournamentRecord record = readRecord();
        record.BoardCount = k;
        writeRecord(record);
        applyBoardCount(m_session.brackets, k, record);
        return Outcome::done();
    });
}

void Tournament::chooseBoardCount(int k)
{
    m_session.boardCountChoice = k;
}

// --- Bracket window ---------------------------------------------------------------------------------

Outcome Tournament::checkBoardCountChange() const
{
    const Bracket* b = m_session.active();
    return b ? zorbon::checkBoardCountChange(*b) : Outcome::refused();
}

namespace {

// The boards holding a match that was not on them when the command began: what the command called.
std::string callsSince(const Bracket& b, const std::vector<int>& before)
{
    std::string text;
    for (int n = 1; n <= b.boardCount(); ++n) {
        const Board& board = b.board(n);
        if (board.state != BoardState::Occupied || before[static_cast<std::size_t>(n - 1)] == board.match)
            continue;
        if (!text.empty())
            text += ", ";
        text += "zápas " + std::to_string(board.match) + " na " + boardName(n);
    }
    return text;
}

std::vector<int> boardMatches(const Bracket& b)
{
    std::vector<int> m;
    for (int n = 1; n <= b.boardCount(); ++n)
        m.push_back(b.board(n).state == BoardState::Occupied ? b.board(n).match : 0);
    return m;
}

} // namespace

Outcome Tournament::callReadyMatches(const Say& say)
{
    Bracket* b = m_session.active();
    if (!b)
        return Outcome::refused();
    const std::vector<int> before = boardMatches(*b);
    Scope scope{"hraj", true, [b, before] { return "nasazení na terče (" + callsSince(*b, before) + ")"; }};
    m_changes |= kBracketChanged;
    // Each call is committed before its announcement is read out.
    const Say committing = [&](const std::string& text) {
        commit(scope);
        say(text);
    };
    return run(scope, [&] {
        const int boardCount = b->table().rules.callNeedsBoardCount ? readRecord().BoardCount : 0;
        CallReadyMatches(*b, boardCount, committing);
        return Outcome::done();
    });
}

Outcome Tournament::clickBox(int box, const Say& say, std::optional<CorrectionContext>& correction)
{
    correction.reset();
    Bracket* b = m_session.active();
    if (!b)
        return Outcome::refused();
    const std::vector<int> before = boardMatches(*b);
    Scope scope{"nasazeni", true,
                [b, box, before] {
                    const BoxSpec& cells = b->table().box(box);
                    std::string text = "nasazení zápasu " + std::to_string(box);
                    for (int n = 1; n <= b->boardCount(); ++n)
                        if (b->board(n).state == BoardState::Occupied && b->board(n).match == box)
                            text += " na " + boardName(n);
                    return text + " (" + b->name(cells.upper) + " a " + b->name(cells.lower) + ")";
                },
                "box=" + std::to_string(box)};
    m_changes |= kBracketChanged;
    const Say committing = [&](const std::string& text) {
        commit(scope);
        say(text);
    };
    return run(scope, [&] {
        if (!clickToCall(*b, box, committing))
            correction = prepareCorrection(*b, box);
        return Outcome::done();
    });
}

void Tournament::openCorrection(const CorrectionContext& context)
{
    if (Bracket* b = m_session.active()) {
        zorbon::openCorrection(*b, context);
        m_changes |= kBracketChanged;
    }
}

Outcome Tournament::boardClick(int board) const
{
    const Bracket* b = m_session.active();
    return b ? zorbon::boardClick(*b, board) : Outcome::refused();
}

Outcome Tournament::enterResult(int board, const std::string& score1, const std::string& score2)
{
    Bracket* b = m_session.active();
    if (!b)
        return Outcome::refused();
    int match = 0;
    std::string player1, player2;
    if (board >= 1 && board <= b->boardCount()) {
        match = b->board(board).match;
        player1 = b->board(board).player1;
        player2 = b->board(board).player2;
    }
    Scope scope{"vysledek", true,
                [=] {
                    return "výsledek zápasu " + std::to_string(match) + " (" + player1 + " " + scoreOf(score1) + " : " +
                           scoreOf(score2) + " " + player2 + ")";
                },
                "board=" + std::to_string(board) + " s1=" + score1 + " s2=" + score2};
    m_changes |= kBracketChanged;
    return run(scope, [&] {
        // Every OK reads the record afresh, so a lost record stops result entry in every size alike.
        readRecord();
        return zorbon::enterResult(*b, board, score1, score2);
    });
}

Outcome Tournament::applyCorrection(const std::string& score1, const std::string& score2)
{
    Bracket* b = m_session.active();
    if (!b)
        return Outcome::refused();
    const std::optional<CorrectionContext> c = b->correction;
    Scope scope{"oprava", true,
                [b, c, score1, score2] {
                    if (!c)
                        return std::string("oprava výsledku");
                    return "oprava výsledku zápasu " + std::to_string(c->box) + " (" + b->name(c->name1) + " " +
                           scoreOf(score1) + " : " + scoreOf(score2) + " " + b->name(c->name2) + ")";
                },
                "s1=" + score1 + " s2=" + score2};
    m_changes |= kBracketChanged;
    return run(scope, [&] { return zorbon::applyCorrection(*b, score1, score2); });
}

void Tournament::cancelCorrection()
{
    if (Bracket* b = m_session.active()) {
        zorbon::cancelCorrection(*b);
        m_changes |= kBracketChanged;
    }
}

Outcome Tournament::showStandings()
{
    const Bracket* b = m_session.active();
    if (!b)
        return Outcome::refused();
    Scope scope{"vysledkova-listina", false, [] { return std::string("výsledková listina"); }};
    m_changes |= kResultsChanged;
    return run(scope, [&] {
        m_session.placings = standings(*b);
        return Outcome::done();
    });
}

void Tournament::showResultsList()
{
    m_session.displayed = displayedOrder(m_session.placings);
    m_changes |= kResultsChanged;
}

Outcome Tournament::closeTournament()
{
    Scope scope{"zavreni", false, [] { return std::string("zavření pavouka (nedokončené)"); }};
    m_changes |= kLobbyChanged | kResultsChanged | kBoardChoiceChanged;
    Outcome outcome;
    try {
        TournamentRecord record = readRecord();
        record.PlayerCount = 0;
        record.BoardCount = 0;
        writeRecord(record);
        clearRegistrations(m_session.lobby);
        saveRoster(m_session.lobby.registrationList);
        setCount(m_session.lobby, 0);
    } catch (const IoError& e) {
        // The clear-down stops where a working file fails and the tournament goes on.
        commit(scope);
        return Outcome::failed(e.what());
    }
    m_changes |= kNameFieldCleared;
    m_session.placings.clear();
    m_session.displayed.clear();
    clearTournament(m_session.lobby);
    m_session.boardCountChoice = 0;
    m_session.activeSize = 0;
    endTournament("zavreni");
    return outcome;
}

// --- Undo ----------------------------------------------------------------------------------------------

std::optional<std::string> Tournament::undoDescription() const
{
    const HistoryEntry* e = m_history.toUndo();
    return e ? std::optional(e->description) : std::nullopt;
}

std::optional<std::string> Tournament::redoDescription() const
{
    const HistoryEntry* e = m_history.toRedo();
    return e ? std::optional(e->description) : std::nullopt;
}

Outcome Tournament::undo()
{
    return step(true);
}

Outcome Tournament::redo()
{
    return step(false);
}

// Undo or redo: the history moves one command and the session becomes the state in effect then.
Outcome Tournament::step(bool back)
{
    if (const Bracket* b = m_session.active(); b && b->correctionMode)
        return Outcome::refused();
    if (!(back ? m_history.undo() : m_history.redo()))
        return Outcome::refused(back ? kNothingToUndo : kNothingToRedo);
    m_changes |= kHistoryChanged;
    const Outcome restored = restore(m_history.current()->state, true, true);
    saveJournal();
    return restored;
}

// The session becomes the saved state; the files are written back where they differ from it.
Outcome Tournament::restore(const std::string& state, bool writeFiles, bool keepOtherBrackets)
{
    std::optional<Session> saved = decodeState(state);
    if (!saved)
        return Outcome::failed("Uložený stav turnaje nelze přečíst");
    if (keepOtherBrackets) {
        // Only the bracket in play is saved; the other two stay as the draw left them.
        for (const int size : kBracketSizes)
            if (size != saved->activeSize)
                saved->brackets.bySize(size) = m_session.brackets.bySize(size);
    }
    const TournamentRecord onDisk = m_session.record;
    const std::vector<std::string> rosterOnDisk = m_session.roster;
    m_session = std::move(*saved);
    m_changes |= kEverything;
    if (!writeFiles)
        return Outcome::done();
    try {
        if (m_session.record != onDisk)
            WriteRecord(m_session.record);
        if (m_session.roster != rosterOnDisk)
            SaveRoster(m_session.roster);
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

// --- Results list ---------------------------------------------------------------------------------------

ResultsSheet Tournament::runningSheet() const
{
    return {m_session.lobby.header, std::nullopt, m_session.displayed};
}

Outcome Tournament::sheetPlayers(const ResultsSheet& sheet, int& players)
{
    if (sheet.players) {
        players = *sheet.players;
        return Outcome::done();
    }
    return attempt([&] { players = readRecord().PlayerCount; });
}

Outcome Tournament::saveResultsText(const ResultsSheet& sheet, std::string& confirmation)
{
    return attempt([&] { confirmation = zorbon::saveResultsText(sheet.header.name, sheet.displayed); });
}

Outcome Tournament::exportResultsHtml(const ResultsSheet& sheet, std::string& confirmation,
                                      std::vector<std::string>& lines)
{
    int players = 0;
    if (Outcome o = sheetPlayers(sheet, players); !o.ok())
        return o;
    lines = htmlLines(sheet.header, players, sheet.displayed);
    return attempt([&] { confirmation = zorbon::exportResultsHtml(sheet.header, players, sheet.displayed); });
}

Outcome Tournament::exportResultsCsv(const ResultsSheet& sheet, std::string& confirmation)
{
    return attempt([&] { confirmation = zorbon::exportResultsCsv(sheet.header.name, sheet.displayed); });
}

Outcome Tournament::exportBracketPdf(const std::function<std::string()>& makePdf, std::string& confirmation)
{
    const std::string& name = m_session.lobby.header.name;
    return attempt([&] { confirmation = zorbon::exportBracketPdf(name, makePdf()); });
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
    const Outcome restored = restore(m_history.current()->state, false, false);
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
    return attempt([&] {
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
                             keep ? std::string("nepokracovano") : std::string(), m_clock(false)});
    flushPendingEnds();
}

std::vector<ArchivedTournament> Tournament::archive(std::string* problem)
{
    if (!m_journal) {
        if (problem)
            *problem = m_journalProblem;
        return {};
    }
    try {
        return m_journal->archive();
    } catch (const JournalError& e) {
        if (problem)
            *problem = e.what();
        return {};
    }
}

Outcome Tournament::archivedSheet(std::int64_t id, ResultsSheet& sheet)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    try {
        const History h = m_journal->load(id);
        const std::optional<Session> s = decodeState(h.current() ? h.current()->state : "");
        if (!s)
            return Outcome::failed("Uložený stav turnaje nelze přečíst");
        sheet.header = s->lobby.header;
        sheet.players = s->record.PlayerCount;
        sheet.displayed.clear();
        if (const Bracket* b = s->active())
            sheet.displayed = displayedOrder(standings(*b));
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    } catch (const ConvertError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

Outcome Tournament::reopen(std::int64_t id)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    try {
        if (m_session.activeSize != 0 || !m_session.lobby.registered.empty() || readRecord().PlayerCount != 0)
            return Outcome::refused("Předchozí turnaj lze znovu otevřít, jen když neběží žádný turnaj a nejsou "
                                    "registrováni žádní hráči !!!");
    } catch (const IoError& e) {
        return Outcome::failed(e.what());
    }
    History reopened;
    try {
        reopened = m_journal->load(id);
        if (!reopened.current() || !decodeState(reopened.current()->state))
            return Outcome::failed("Uložený stav turnaje nelze přečíst");
        // What runs now (at most a header) gives way to it.
        endTournament("nahrazen");
        m_journal->reopen(id);
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
    m_history = std::move(reopened);
    const Outcome restored = restore(m_history.current()->state, false, false);
    if (!restored.ok())
        return restored;
    return writeBackFiles();
}

Outcome Tournament::deleteArchived(std::int64_t id)
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    try {
        m_journal->remove(id);
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

// --- Season ranking -------------------------------------------------------------------------------------

Outcome Tournament::ranking(const std::string& from, const std::string& to, RankingSheet& sheet)
{
    sheet = RankingSheet{from, to, defaultPoints(), {}};
    if (!m_journal)
        return Outcome::failed(m_journalProblem.empty() ? std::string("Zálohu turnajů nelze otevřít")
                                                        : m_journalProblem);
    try {
        std::vector<PointsBand> stored = m_journal->rankingPoints();
        // Points the file holds in another shape than this program writes are not trusted.
        if (validPoints(stored))
            sheet.bands = std::move(stored);
        sheet.rows = seasonRanking(m_journal->placings(from, to), sheet.bands, m_journal->aliases());
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

Outcome Tournament::setRankingPoints(const std::vector<PointsBand>& bands)
{
    if (!validPoints(bands))
        return Outcome::refused("Body za umístění musí být celá čísla od 0 do " + std::to_string(kMaxBandPoints) +
                                " !!!");
    if (!m_journal)
        return Outcome::failed(m_journalProblem.empty() ? std::string("Zálohu turnajů nelze otevřít")
                                                        : m_journalProblem);
    try {
        m_journal->setRankingPoints(bands);
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
    return Outcome::done();
}

std::pair<std::string, std::string> Tournament::thisSeason() const
{
    const std::string now = m_clock(false); // "2026-12-09 14:05:31"
    const std::string today = now.substr(0, 10);
    return {today.substr(0, 4) + "-01-01", today};
}

Outcome Tournament::seedsFromRanking(int wanted, std::vector<std::string>& seeds)
{
    if (seedLimit(m_session.lobby.count) == 0)
        return Outcome::refused(seedLimitText(m_session.lobby.count));
    const auto [from, to] = thisSeason();
    RankingSheet sheet;
    if (Outcome o = ranking(from, to, sheet); !o.ok())
        return o;
    std::vector<std::string> ranked;
    for (const RankingRow& row : sheet.rows)
        ranked.push_back(row.player);
    Aliases aliases;
    try {
        aliases = m_journal->aliases();
    } catch (const JournalError& e) {
        return Outcome::failed(e.what());
    }
    seeds = seedsByRanking(m_session.lobby.registered, ranked, aliases, wanted, m_session.lobby.count);
    if (seeds.empty())
        return Outcome::refused("V letošním žebříčku není žádný z registrovaných hráčů");
    return Outcome::done();
}

Outcome Tournament::exportRankingCsv(const RankingSheet& sheet, std::string& confirmation)
{
    return attempt([&] { confirmation = exportRankingFile(sheet, ".csv", rankingCsv(sheet)); });
}

Outcome Tournament::exportRankingHtml(const RankingSheet& sheet, std::string& confirmation)
{
    return attempt([&] { confirmation = exportRankingFile(sheet, ".htm", rankingHtml(sheet)); });
}

Outcome Tournament::exportRankingPdf(const RankingSheet& sheet, const std::function<std::string()>& makePdf,
                                     std::string& confirmation)
{
    return attempt([&] { confirmation = exportRankingFile(sheet, ".pdf", makePdf()); });
}

} // namespace zorbon
