#pragma once
// The command layer: one function per operator command. Each reads and writes the working files
// exactly when its command does, applies the pure rules to the session, commits the command with
// the whole state after it to the journal, and tells what changed. The windows call only this.

#include "boards/calling.h"
#include "bracket/correction.h"
#include "club/club.h"
#include "club/search.h"
#include "journal/journal.h"
#include "lobby/lobby.h"
#include "outcome.h"
#include "ranking/ranking.h"
#include "records/files.h"
#include "tournament/history.h"
#include "tournament/messages.h"
#include "tournament/session.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorbon {

// What a command changed; each window repaints what it shows of these.
enum Changed : unsigned {
    kLobbyChanged = 1u << 0,       // header, registered lists and counts, new-tournament fields
    kBracketChanged = 1u << 1,     // the bracket in play: cells, states, boards, winner line, correction
    kResultsChanged = 1u << 2,     // the placings and the displayed results list
    kBoardChoiceChanged = 1u << 3, // the board-count dialog's number
    kNameFieldCleared = 1u << 4,   // the registration dialog's name field is emptied
    kTournamentChanged = 1u << 5,  // a tournament was resumed, reopened, drawn or ended
    kHistoryChanged = 1u << 6,     // what undo and redo would do
    kEverything = 0xFFFFu,
};

// The results list as the results window prints, saves and exports it.
struct ResultsSheet {
    TournamentHeader header;
    std::optional<int> players; // none: read PlayerCount from the record when it is needed
    std::vector<std::string> displayed;
};

// What the archive window lists about an ended tournament.
using ArchivedTournament = StoredTournament;

// The results list exported as a page: the confirmation, and the lines of the page, which exist
// once the player count was read even when the file then failed.
struct HtmlExport {
    std::string confirmation;
    std::optional<std::vector<std::string>> lines;
};

class Tournament {
public:
    // Local time as "2026-12-09 14:05:31" (Readable), and as "20261209-140531" for file names.
    enum class TimeFormat { Readable, FileName };
    using Clock = std::function<std::string(TimeFormat format)>;
    static std::string localTime(TimeFormat format);

    // `journal` may be null: no journal could be made, `journalProblem` says why, and the first
    // command of every tournament tells the operator. `running` is the journal's unfinished
    // tournament, offered by resumeDescription().
    Tournament(std::unique_ptr<Journal> journal, std::optional<History> running, std::string journalProblem,
               Clock clock = &Tournament::localTime);
    // A layer that keeps no journal and warns of none, as tests and tools use it.
    Tournament();
    ~Tournament();
    // The journal opened apart from the layer (on another thread while the windows were made), with
    // what opening it found: as if given to the constructor. Only before the first command.
    void attachJournal(std::unique_ptr<Journal> journal, std::optional<History> running, std::string journalProblem);

    // The windows read the session; only a command changes it.
    const Session& session() const { return m_session; }
    // For tests, benchmarks and tools that set a state up by hand; no window calls it.
    Session& editableSession() { return m_session; }
    const History& history() const { return m_history; }
    Journal* journal() const { return m_journal.get(); }
    // At the end of the run: the journal closed, its log folded into the file, so that the process
    // may leave without tearing down. Nothing is recorded after this.
    void closeJournal();

    // What changed since the last call (Changed bits).
    unsigned takeChanges();
    // "Zálohu turnaje nelze uložit: … Turnaj pokračuje bez zálohy.", once per tournament, when the
    // journal could not take a command; empty otherwise.
    std::string takeBackupWarning();

    // --- Main window -----------------------------------------------------------------------------
    // The main window shown: the record's count and the roster's names into the window.
    Outcome showMainWindow();
    // A main-window command's precondition (reading the record where the command does).
    Outcome check(Command command);
    // What the command opens once its precondition holds.
    Opens opens(Command command) const;
    Outcome acceptNewTournament(const TournamentHeader& typed);
    void newTournamentClosed(const TournamentHeader& typed);
    Outcome startOver(); // "Ano" of the tournament-exists dialog
    Outcome showRegistration();
    void registrationClosed();
    Outcome addPlayer(const std::string& name);
    Outcome deleteAllPlayers();
    // The remove dialog's choices: the roster's names.
    Result<std::vector<std::string>> removalChoices();
    // "OK" of the remove dialog: refused while nothing is chosen.
    Outcome checkRemoval(const std::string& chosen) const;
    // The remove dialog's rebuilt list (what the roster was saved from), also when a file failed.
    Result<std::vector<std::string>> removePlayer(const std::string& name);
    // The seeding window being opened: refused while nobody is registered.
    Outcome checkSeeding() const;
    // "OK" of the seeding window: the seeds, seed 1 first, checked against the registered players
    // and the record's count (at most a quarter of the bracket).
    Outcome setSeeds(const std::vector<std::string>& seeds);
    // "Ano" of the draw dialog. Done: session().activeSize is the bracket to show.
    Outcome draw(std::uint32_t seed);
    // Exit confirmed: PlayerCount 0 and an empty roster; the tournament ends. Always ends it, even
    // when a file fails (the report comes back), since the operator has chosen to leave.
    Outcome exitProgram();

    // --- Board count -----------------------------------------------------------------------------
    // The board-count dialog shown: the most boards the registered count allows.
    Result<int> boardCountLimit();
    enum class BoardCountFrom { Draw, Terce };
    // OK of the board-count dialog; the count the draw asks for is part of the draw and no undo
    // takes it back, a count set with "Terče" is a command of its own.
    Outcome setBoardCount(int k, BoardCountFrom from);
    void chooseBoardCount(int k); // the dialog's number moved

    // --- Bracket window --------------------------------------------------------------------------
    Outcome checkBoardCountChange() const;
    // "Hraj": every call is committed before its announcement; undo takes them back together.
    Outcome callReadyMatches(const Say& say);
    // A click on a box: calls it when it is ready; otherwise, if the box can be corrected, the
    // answer carries what to confirm.
    Result<std::optional<CorrectionContext>> clickBox(int box, const Say& say);
    void openCorrection(const CorrectionContext& context);
    Outcome boardClick(int board) const;
    Outcome enterResult(int board, const std::string& score1, const std::string& score2);
    Outcome applyCorrection(const std::string& score1, const std::string& score2);
    void cancelCorrection();
    // "Výsledková listina": the placings from the bracket as it stands.
    Outcome showStandings();
    // The results window being shown: its list becomes the placings, best first.
    void showResultsList();
    // The bracket window's clear-down; done: the tournament has ended.
    Outcome closeTournament();

    // --- Undo --------------------------------------------------------------------------------------
    // What "Zpět" / "Znovu" would take back or put back, or nullopt.
    std::optional<std::string> undoDescription() const;
    std::optional<std::string> redoDescription() const;
    Outcome undo();
    Outcome redo();

    // --- Results list ------------------------------------------------------------------------------
    ResultsSheet runningSheet() const;
    // PlayerCount for the printout: the sheet's own, or the record read now.
    Result<int> sheetPlayers(const ResultsSheet& sheet);
    // The saving and exporting commands answer with the confirmation to show.
    Result<std::string> saveResultsText(const ResultsSheet& sheet);
    Result<HtmlExport> exportResultsHtml(const ResultsSheet& sheet);
    Result<std::string> exportResultsCsv(const ResultsSheet& sheet);
    // "Export pavouka do PDF": the running tournament's name is checked first, then `makePdf`
    // draws the page and it is written to "export/<name> - pavouk.pdf".
    Result<std::string> exportBracketPdf(const std::function<std::string()>& makePdf);

    // --- Choices kept with the running tournament ----------------------------------------------------
    // A window's choice remembered with the tournament in the journal, so a resume restores it
    // ("mobil" -> "1"; empty: not set). Without a journal it lasts while the program runs.
    void setFlag(const std::string& key, const std::string& value);
    std::string flag(const std::string& key) const;

    // --- Resume and archive --------------------------------------------------------------------------
    // The second line of the resume question when the journal holds an unfinished tournament.
    std::optional<std::string> resumeDescription() const;
    // "Ano": the unfinished tournament as it was after its last command; the record and the roster
    // are written back. Before the draw the registered list is left for the main window to load.
    Outcome resume();
    // "Ne": it is kept in the archive as ended; nothing else changes.
    void abandon();
    // The ended tournaments, newest first; failed (and empty) without a journal or when it fails.
    Result<std::vector<ArchivedTournament>> archive();
    Result<ResultsSheet> archivedSheet(std::int64_t id);
    // "Pokračovat": an ended tournament runs again; refused while players are registered.
    Outcome reopen(std::int64_t id);
    Outcome deleteArchived(std::int64_t id);

    // --- Season ranking ------------------------------------------------------------------------------------
    // The ranking of the tournaments that ended from `from` to `to` ("2026-01-01", both included) with
    // a decided final, with the points as stored; failed without a journal.
    // The sheet holds the dates and the default points also when the journal failed.
    Result<RankingSheet> ranking(const std::string& from, const std::string& to);
    // The points for the placing bands, kept in the journal: refused unless validPoints.
    Outcome setRankingPoints(const std::vector<PointsBand>& bands);
    // 1 January of this year and today, as the clock tells them ("2026-01-01", "2026-12-09").
    std::pair<std::string, std::string> thisSeason() const;
    // "Podle žebříčku": the registered players best placed in this season's ranking, `wanted` of them
    // or a quarter of the bracket when 0.
    Result<std::vector<std::string>> seedsFromRanking(int wanted);
    // The ranking as "export/Žebříček … až ….csv" / ".htm"; the PDF from `makePdf`. Each answers
    // with the confirmation to show.
    Result<std::string> exportRankingCsv(const RankingSheet& sheet);
    Result<std::string> exportRankingHtml(const RankingSheet& sheet);
    Result<std::string> exportRankingPdf(const RankingSheet& sheet, const std::function<std::string()>& makePdf);
    // --- The club: the register of players, importing players -------------------------------------
    // The remembered names in which a word starts with the typed text, case and accents aside.
    std::vector<std::string> suggestPlayers(const std::string& typed, std::size_t limit);
    // The register with what the archive tells of each player.
    Result<std::vector<ClubPlayer>> clubPlayers();
    // "Sloučit": `alias` becomes another spelling of `kept` and is counted as him.
    Outcome mergePlayers(const std::string& alias, const std::string& kept);
    // "Smazat": the player leaves the register; the archive keeps him in its results.
    Outcome forgetPlayer(const std::string& name);
    // Every merged spelling and the name it counts as (empty and failed without a journal).
    Result<Aliases> aliasMap();
    // The ended tournaments' players and placings, newest first.
    Result<std::vector<ArchivedPlayers>> archivedPlayers();
    // Where imported names go: the open registration dialog's list (the roster then saved from it,
    // as "Přidej" does), or straight to the registered players.
    enum class ImportInto { RegistrationList, Registered };
    // Many names registered as "Přidej" registers each, with its checks, as one command: one
    // journal commit, the files written once. The summary is there also when a file failed.
    Result<ImportSummary> importPlayers(const std::vector<std::string>& names, ImportInto into);
    // "Import…" of the registration dialog: the file read as a list of players, then imported.
    Result<ImportSummary> importPlayerFile(const std::string& path);
    // "Registrovat hráče" of the archive: the chosen tournament's players registered again.
    Result<ImportSummary> registerArchivedPlayers(std::int64_t id);

    // --- What the windows remember ------------------------------------------------------------------
    // Where the windows were left (empty without a journal), and one window's place for next time.
    std::vector<WindowPlace> windowPlaces() const;
    static std::vector<WindowPlace> windowPlaces(Journal* journal);
    void rememberWindowPlace(const WindowPlace& place);

    // A tournament's summary line: name, place and date, its bracket and the matches decided.
    static std::string describe(const Session& state);
    static TournamentSummary summarize(const Session& state);

private:
    struct Scope;
    enum class Direction { Back, Forward };
    // What a restore does besides replacing the session.
    enum class Files { LeaveAlone, WriteBack };         // the working files rewritten where they differ
    enum class OtherBrackets { Replace, KeepOnScreen }; // the brackets not in play
    template <class Body> Outcome run(Scope& scope, Body&& body);
    // Both true when the journal now holds the session's state, synced.
    bool commit(Scope& scope);
    bool saveJournal();
    void endTournament(const std::string& kind);
    void startNewHistory();
    void backupFailed(const std::string& reason);
    Outcome step(Direction direction);
    Outcome writeBackFiles();
    Outcome restore(const std::string& state, Files files, OtherBrackets others);
    // The working files, read and written through the session's copy of them.
    TournamentRecord readRecord();
    // Flush::Deferred inside a command that the journal records, noting that a flush may be owed.
    Flush fileFlush();
    void writeRecord(const TournamentRecord& record);
    std::vector<std::string> readRoster();
    void saveRoster(const std::vector<std::string>& names);

    // An ending the journal could not take yet: retried before anything else is stored, since a
    // tournament still running in the journal keeps the next one out.
    struct PendingEnd {
        History history;
        TournamentSummary summary;
        std::string kind; // empty: the tournament is dropped, not archived
        std::string at;
    };
    bool flushPendingEnds();
    // Accepted names go to the register with the command's journal commit.
    void remember(const std::vector<std::string>& names);

    Session m_session;
    History m_history;
    std::vector<PendingEnd> m_pendingEnds;
    std::unique_ptr<Journal> m_journal;
    std::optional<History> m_running;
    std::string m_journalProblem;
    Clock m_clock;
    unsigned m_changes = 0;
    std::string m_backupWarning;
    bool m_warned = false;
    // The head entry is in the journal as it stands (its last save went through).
    bool m_journalHolds = false;
    // Inside a command that a journal will record, the working files are written without waiting for
    // the disk; m_unflushed tells that some were, and must be flushed if the commit does not come.
    bool m_deferFlush = false;
    bool m_unflushed = false;
    std::map<std::string, std::string> m_flags; // of the running tournament, as the journal has them
    // The register as the completion searches it; rebuilt after the register changed.
    PlayerIndex m_playerIndex;
    bool m_playerIndexStale = true;
    // An archived tournament's players never change while it stays archived.
    std::map<std::int64_t, ArchivedPlayers> m_archivedPlayers;
};

} // namespace zorbon
