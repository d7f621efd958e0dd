#include "tournament/tournament.h"

#include "bracket/result.h"
#include "draw/draw.h"
#include "lobby/seeding.h"
#include "ranking/ranking_export.h"
#include "records/errors.h"
#include "records/roster.h"
#include "results/exports.h"
#include "results/standings.h"
#include "tournament/recording.h"

// The operator's commands, one function each; how they are recorded lives in recording.cpp, the
// resume and the archive in resume.cpp.

namespace zorbon {

namespace {

std::string scoreOf(const std::string& text)
{
    try {
        return std::to_string(parseInt(text));
    } catch (const ConvertError&) {
        return text;
    }
}

} // namespace

// --- Main window -------------------------------------------------------------------------------------

Outcome Tournament::showMainWindow()
{
    m_changes |= kLobbyChanged;
    return guarded([&] {
        const int count = readRecord().PlayerCount;
        Lobby& l = m_session.lobby;
        // The count shows even when the roster then fails.
        l.count = count;
        l.shownCount = count;
        loadMainWindow(l, count, readRoster());
    });
}

Outcome Tournament::check(Command command)
{
    return guarded([&] {
        int players = 0;
        if (readsRecord(command)) {
            players = readRecord().PlayerCount;
            if (command == Command::Rozlosuj) {
                m_session.lobby.count = players;
                m_changes |= kLobbyChanged;
            }
        }
        return checkCommand(command, m_session.lobby, players);
    });
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
    return guarded([&] {
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
        remember({name});
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

Result<std::vector<std::string>> Tournament::removalChoices()
{
    std::vector<std::string> names;
    Outcome outcome = guarded([&] { names = readRoster(); });
    return {std::move(outcome), std::move(names)};
}

Result<std::vector<std::string>> Tournament::removePlayer(const std::string& name)
{
    Scope scope{"odebrani", false, [name] { return "odebrání hráče " + name; }, name};
    m_changes |= kLobbyChanged;
    std::vector<std::string> kept;
    Outcome outcome = run(scope, [&] {
        m_session.lobby.registered.clear();
        kept = keepOthers(m_session.lobby, readRoster(), name);
        keepRegisteredSeeds(m_session.lobby);
        saveRoster(kept);
        const int count = static_cast<int>(kept.size());
        setCount(m_session.lobby, count);
        TournamentRecord record = readRecord();
        record.PlayerCount = count;
        writeRecord(record);
    });
    return {std::move(outcome), std::move(kept)};
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
    Outcome outcome = guarded([&] {
        TournamentRecord record = readRecord();
        record.PlayerCount = 0;
        writeRecord(record);
        m_session.lobby.registrationList.clear();
        saveRoster(m_session.lobby.registrationList);
    });
    endTournament("konec");
    return outcome;
}

// --- Board count ---------------------------------------------------------------------------------

Result<int> Tournament::boardCountLimit()
{
    int limit = 0;
    Outcome outcome = guarded([&] { limit = boardLimitFor(readRecord().PlayerCount); });
    return {std::move(outcome), limit};
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

Result<std::optional<CorrectionContext>> Tournament::clickBox(int box, const Say& say)
{
    std::optional<CorrectionContext> correction;
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
    Outcome outcome = run(scope, [&] {
        if (!clickToCall(*b, box, committing))
            correction = prepareCorrection(*b, box);
    });
    return {std::move(outcome), correction};
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
    Outcome cleared = guarded([&] {
        TournamentRecord record = readRecord();
        record.PlayerCount = 0;
        record.BoardCount = 0;
        writeRecord(record);
        clearRegistrations(m_session.lobby);
        saveRoster(m_session.lobby.registrationList);
        setCount(m_session.lobby, 0);
    });
    if (!cleared.ok()) {
        // The clear-down stops where a working file fails and the tournament goes on.
        commit(scope);
        return cleared;
    }
    m_changes |= kNameFieldCleared;
    m_session.placings.clear();
    m_session.displayed.clear();
    clearTournament(m_session.lobby);
    m_session.boardCountChoice = 0;
    m_session.activeSize = 0;
    endTournament("zavreni");
    return Outcome::done();
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
    return step(Direction::Back);
}

Outcome Tournament::redo()
{
    return step(Direction::Forward);
}

// Undo or redo: the history moves one command and the session becomes the state in effect then.
Outcome Tournament::step(Direction direction)
{
    const bool back = direction == Direction::Back;
    if (const Bracket* b = m_session.active(); b && b->correctionMode)
        return Outcome::refused();
    if (!(back ? m_history.undo() : m_history.redo()))
        return Outcome::refused(back ? kNothingToUndo : kNothingToRedo);
    m_changes |= kHistoryChanged;
    Outcome restored = restore(m_history.current()->state, Files::WriteBack, OtherBrackets::KeepOnScreen);
    saveJournal();
    return restored;
}

// --- Results list ---------------------------------------------------------------------------------------

ResultsSheet Tournament::runningSheet() const
{
    return {m_session.lobby.header, std::nullopt, m_session.displayed};
}

namespace {

// A file the results window writes: the confirmation to show, or the file's failure.
template <class Write> Result<std::string> confirmed(Write&& write)
{
    std::string confirmation;
    Outcome outcome = guarded([&] { confirmation = write(); });
    return {std::move(outcome), std::move(confirmation)};
}

} // namespace

Result<int> Tournament::sheetPlayers(const ResultsSheet& sheet)
{
    if (sheet.players)
        return *sheet.players;
    int players = 0;
    Outcome outcome = guarded([&] { players = readRecord().PlayerCount; });
    return {std::move(outcome), players};
}

Result<std::string> Tournament::saveResultsText(const ResultsSheet& sheet)
{
    return confirmed([&] { return zorbon::saveResultsText(sheet.header.name, sheet.displayed); });
}

Result<HtmlExport> Tournament::exportResultsHtml(const ResultsSheet& sheet)
{
    const Result<int> players = sheetPlayers(sheet);
    if (!players.ok())
        return Outcome(players);
    HtmlExport out;
    out.lines = htmlLines(sheet.header, *players, sheet.displayed);
    Result<std::string> written =
        confirmed([&] { return zorbon::exportResultsHtml(sheet.header, *players, sheet.displayed); });
    out.confirmation = std::move(written.value());
    return {Outcome(written), std::move(out)};
}

Result<std::string> Tournament::exportResultsCsv(const ResultsSheet& sheet)
{
    return confirmed([&] { return zorbon::exportResultsCsv(sheet.header.name, sheet.displayed); });
}

Result<std::string> Tournament::exportBracketPdf(const std::function<std::string()>& makePdf)
{
    const std::string& name = m_session.lobby.header.name;
    return confirmed([&] { return zorbon::exportBracketPdf(name, makePdf()); });
}

// --- Season ranking -------------------------------------------------------------------------------------

Result<RankingSheet> Tournament::ranking(const std::string& from, const std::string& to)
{
    RankingSheet sheet{from, to, defaultPoints(), {}};
    if (!m_journal)
        return {Outcome::failed(noJournal(m_journalProblem)), std::move(sheet)};
    Outcome read = guarded([&] {
        std::vector<PointsBand> stored = m_journal->rankingPoints();
        // Points the file holds in another shape than this program writes are not trusted.
        if (validPoints(stored))
            sheet.bands = std::move(stored);
        sheet.rows = seasonRanking(m_journal->placings(from, to), sheet.bands, m_journal->aliases());
    });
    return {std::move(read), std::move(sheet)};
}

Outcome Tournament::setRankingPoints(const std::vector<PointsBand>& bands)
{
    if (!validPoints(bands))
        return Outcome::refused("Body za umístění musí být celá čísla od 0 do " + std::to_string(kMaxBandPoints) +
                                " !!!");
    if (!m_journal)
        return Outcome::failed(noJournal(m_journalProblem));
    return guarded([&] { m_journal->setRankingPoints(bands); });
}

std::pair<std::string, std::string> Tournament::thisSeason() const
{
    const std::string now = m_clock(TimeFormat::Readable); // "2026-12-09 14:05:31"
    const std::string today = now.substr(0, 10);
    return {today.substr(0, 4) + "-01-01", today};
}

Result<std::vector<std::string>> Tournament::seedsFromRanking(int wanted)
{
    if (seedLimit(m_session.lobby.count) == 0)
        return Outcome::refused(seedLimitText(m_session.lobby.count));
    const auto [from, to] = thisSeason();
    const Result<RankingSheet> sheet = ranking(from, to);
    if (!sheet.ok())
        return Outcome(sheet);
    std::vector<std::string> ranked;
    for (const RankingRow& row : sheet->rows)
        ranked.push_back(row.player);
    Aliases aliases;
    if (Outcome read = guarded([&] { aliases = m_journal->aliases(); }); !read.ok())
        return read;
    std::vector<std::string> seeds =
        seedsByRanking(m_session.lobby.registered, ranked, aliases, wanted, m_session.lobby.count);
    if (seeds.empty())
        return Outcome::refused("V letošním žebříčku není žádný z registrovaných hráčů");
    return seeds;
}

Result<std::string> Tournament::exportRankingCsv(const RankingSheet& sheet)
{
    return confirmed([&] { return exportRankingFile(sheet, ".csv", rankingCsv(sheet)); });
}

Result<std::string> Tournament::exportRankingHtml(const RankingSheet& sheet)
{
    return confirmed([&] { return exportRankingFile(sheet, ".htm", rankingHtml(sheet)); });
}

Result<std::string> Tournament::exportRankingPdf(const RankingSheet& sheet, const std::function<std::string()>& makePdf)
{
    return confirmed([&] { return exportRankingFile(sheet, ".pdf", makePdf()); });
}

} // namespace zorbon
