// Fuzz target for the tournament engine, driven through the command layer by a byte stream of
// operator commands: the draw, board counts, "Hraj", clicks on boxes and boards, results with any
// score text, corrections opened, declined, applied and cancelled, undo and redo, standings with
// their printed, saved and exported lines, and a record damaged between commands. After every
// command the bracket is checked against what double elimination promises, and every undo and redo
// against the bracket as it stood after the command it returns to; a broken promise aborts.
//
// Input: [players][seed: 4 bytes][name shift] then commands, each an opcode byte and its arguments.

#include "boards/calling.h"
#include "bracket/correction.h"
#include "bracket/result.h"
#include "draw/draw.h"
#include "fuzz_common.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "results/exports.h"
#include "results/standings.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

using namespace zorbon;
using namespace zorbon::fuzz;
namespace fs = std::filesystem;

namespace {

// Legal names that sit close to the bracket's own texts, to markup and to each other.
const char* const kNamePool[] = {"Jiří Čermák", " ? ",        "Volný los ", "volný los", "Eva",         "Eva ",
                                 " Eva",        "<i>Ota</i>", "A&B",        "   ",       "Šárka Žitná", "\"0\""};
constexpr int kPool = static_cast<int>(std::size(kNamePool));

struct Fuzz {
    Stream in;
    Tournament t;
    Brackets& brackets = t.editableSession().brackets;
    // The bracket after each command in effect, by the history's head: what undo must bring back.
    std::map<std::size_t, std::string> afterCommand;
    int size = 0;                          // the bracket in play; 0 when the last draw was refused
    int players = 0;                       // PlayerCount the draw was made with
    std::int32_t reserved = 0;             // the record's field 3, carried through by every write
    std::vector<std::string> names;        // the registered players
    std::unordered_set<std::string> known; // the same, for looking up
    std::vector<std::string> said;         // messages shown by the last command
    std::vector<BoxState> lastStates;      // box states after the previous command
    bool recordIntact = true;
    bool trace = std::getenv("ZORBON_FUZZ_TRACE") != nullptr; // prints each command, for reading a finding

    explicit Fuzz(Stream s)
        : in(s)
    {
    }

    Bracket& bracket() { return brackets.bySize(size == 0 ? 8 : size); }
    Say say()
    {
        return [this](const std::string& text) { said.push_back(text); };
    }

    // The bracket in play as one comparable text (the others are checked to stay reset).
    // `withCorrection`: also whether a correction is open and for which box (undo never reopens one).
    std::string snapshot(bool withCorrection = true) { return snapshotOf(bracket(), withCorrection); }

    static std::string snapshotOf(const Bracket& bracket, bool withCorrection)
    {
        std::string s;
        for (const Bracket* b : {&bracket}) {
            for (SlotId i = 0; i < static_cast<SlotId>(b->table().slotSpecs.size()); ++i)
                s += b->name(i) + "|" + b->score(i) + "|";
            for (int m = 1; m <= b->table().boxCount(); ++m)
                s += std::to_string(static_cast<int>(b->state(m)));
            for (int n = 1; n <= b->boardCount(); ++n)
                s += std::to_string(static_cast<int>(b->board(n).state)) + b->board(n).player1 + "|" +
                     b->board(n).player2 + "|" + std::to_string(b->board(n).match);
            s += b->winnerLine + "|" + b->porazeny + "|";
            if (!withCorrection)
                continue;
            s += b->correctionMode ? "M" : "-";
            if (b->correction)
                s += std::to_string(b->correction->box);
        }
        return s;
    }

    // --- Commands ---------------------------------------------------------------------------

    void draw(int n, std::uint32_t seed, int shift, int mismatch)
    {
        players = n;
        reserved = static_cast<std::int32_t>(seed ^ 0x5A5A5A5Au);
        WriteRecord({n, 9, 3, reserved});
        recordIntact = true;
        names.clear();
        for (int i = 0; i < std::max(n, 0) && i < 80; ++i) {
            std::string name = kNamePool[(i + shift) % kPool];
            if (i >= kPool)
                name += std::to_string(i);
            FUZZ_CHECK(checkName(name).ok(), name);
            names.push_back(name);
        }
        known = std::unordered_set<std::string>(names.begin(), names.end());
        auto list = names;
        // A main-window list that disagrees with the record's count, as after a damaged record.
        if (mismatch == 1 && !list.empty())
            list.pop_back();
        else if (mismatch == 2)
            list.push_back("Navíc");
        t.editableSession().lobby.registered = list;
        const Outcome drawn = t.draw(seed);
        list = t.session().lobby.registered;
        struct {
            int size;
            std::string refusal;
        } out{drawn.ok() ? t.session().activeSize : 0, drawn.message()};
        FUZZ_CHECK(!drawn.isFailed(), "the draw failed on an intact record: " + drawn.message());
        if (trace)
            std::fprintf(stderr, "  %d players, list %zu, size %d %s\n", n, names.size(), out.size,
                         out.refusal.c_str());
        const bool fits = n >= 4 && n <= 64;
        const TournamentRecord r = ReadRecord();
        FUZZ_CHECK(r.BoardCount == 0 && r.PlayerCount == n && r.Reserved == reserved, "record after the draw");
        if (fits && mismatch == 0) {
            FUZZ_CHECK(out.size == bracketSizeFor(n) && out.refusal.empty(), out.refusal);
            FUZZ_CHECK(list.empty(), "the draw left names in the list");
            FUZZ_CHECK(r.FirstOpenMatch == firstOpenMatchFor(n), "FirstOpenMatch");
            size = out.size;
            // Every name once in the first round, the byes in the rest, every board off.
            std::multiset<std::string> first;
            const Bracket& b = bracket();
            for (int k = 1; k <= size; ++k)
                first.insert(b.name(b.table().seedSlot(k)));
            for (const auto& name : names)
                FUZZ_CHECK(first.count(name) == 1, "first round: " + name);
            FUZZ_CHECK(static_cast<int>(first.count(std::string(kBye))) == size - n, "byes");
            for (int k = 1; k <= b.boardCount(); ++k)
                FUZZ_CHECK(b.board(k).state == BoardState::Off, "a board in play right after the draw");
        } else {
            FUZZ_CHECK(out.size == 0 && !out.refusal.empty(), "a draw that must be refused was made");
            FUZZ_CHECK(r.FirstOpenMatch == 1, "FirstOpenMatch after a refusal");
            size = 0;
            names.clear();
            known.clear();
        }
        lastStates.clear();
    }

    void hraj()
    {
        Bracket& b = bracket();
        int freeBoards = 0;
        for (int n = 1; n <= b.table().rules.boards; ++n)
            freeBoards += b.board(n).state == BoardState::Free ? 1 : 0;
        check(t.callReadyMatches(say()));
        int calls = 0;
        for (const auto& s : said)
            calls += s.rfind("Na terč č.", 0) == 0 ? 1 : 0;
        FUZZ_CHECK(calls <= freeBoards, "more calls than free boards");
    }

    void boxClick()
    {
        Bracket& b = bracket();
        const int box = in.u8() % (b.table().boxCount() + 2);
        const bool ano = in.u8() & 1;
        const bool wasReady = b.table().hasBox(box) && b.ready(box);
        const bool correctable = canCorrect(b, box);
        const std::string before = snapshot();
        const Result<std::optional<CorrectionContext>> clicked = t.clickBox(box, say());
        const std::optional<CorrectionContext>& ctx = clicked.value();
        check(clicked);
        if (wasReady) {
            FUZZ_CHECK(!ctx, "a ready box offered a correction");
            return;
        }
        FUZZ_CHECK(snapshot() == before, "a click on a box that was not ready changed something before Ano");
        FUZZ_CHECK(ctx.has_value() == correctable, "correction offered against its own conditions");
        if (ctx && ano)
            t.openCorrection(*ctx);
        check(Outcome::done());
    }

    void result(const std::string& s1, const std::string& s2, int board)
    {
        Bracket& b = bracket();
        if (b.correctionMode)
            return; // the boards are disabled while a correction is open
        const Outcome click = t.boardClick(board);
        if (!click.ok()) {
            FUZZ_CHECK(click.message() == kBoardIsFree, click.message());
            return;
        }
        const int match = b.board(board).match;
        if (trace)
            std::fprintf(stderr, "  board %d box %d '%s':'%s'\n", board, match, s1.c_str(), s2.c_str());
        const std::string before = snapshot();
        const Outcome r = t.enterResult(board, s1, s2);
        check(r);
        if (r.isFailed()) {
            FUZZ_CHECK(snapshot() == before, "a result stopped by a file or a number changed the bracket");
            return;
        }
        if (!r.ok()) {
            FUZZ_CHECK(snapshot() == before, "a refused result changed the bracket");
            FUZZ_CHECK(r.message() == kBadResult, r.message());
            return;
        }
        FUZZ_CHECK(b.state(match) == BoxState::Finished, "an accepted result left its box unfinished");
        FUZZ_CHECK(b.board(board).state == BoardState::Free, "an accepted result kept its board");
    }

    void correctionOk()
    {
        Bracket& b = bracket();
        if (!b.correctionMode)
            return; // the controls are hidden
        const std::string s1 = scoreText(in);
        const std::string s2 = scoreText(in);
        std::vector<BoxState> states;
        for (int m = 1; m <= b.table().boxCount(); ++m)
            states.push_back(b.state(m));
        const std::string before = snapshot();
        const Outcome r = t.applyCorrection(s1, s2);
        check(r);
        for (int m = 1; m <= b.table().boxCount(); ++m)
            FUZZ_CHECK(b.state(m) == states[static_cast<std::size_t>(m - 1)], "a correction changed a box state");
        if (b.correctionMode) {
            FUZZ_CHECK(snapshot() == before, "a refused correction wrote something");
            FUZZ_CHECK(b.correctionMode, "a refused correction closed the controls");
        } else {
            FUZZ_CHECK(!b.correctionMode, "the controls stayed open");
        }
    }

    void boardCount()
    {
        const std::uint8_t raw = in.u8();
        const int k = raw & 0x80 ? static_cast<std::int8_t>(raw) : raw % 12;
        if (!t.checkBoardCountChange().ok())
            return; // "Terče" refuses while a board is occupied
        TournamentRecord before;
        try {
            before = ReadRecord();
        } catch (const IoError&) {
        }
        if (const Outcome o = t.setBoardCount(k, Tournament::BoardCountFrom::Terce); !o.ok()) {
            check(o);
            return;
        }
        const TournamentRecord after = ReadRecord();
        FUZZ_CHECK(after.BoardCount == k && after.PlayerCount == before.PlayerCount &&
                       after.FirstOpenMatch == before.FirstOpenMatch && after.Reserved == before.Reserved,
                   "the board count wrote more than its field");
    }

    void outputs()
    {
        const TournamentHeader header{utf8Text(in, 40), utf8Text(in, 20), utf8Text(in, 20)};
        const auto shown = displayedOrder(standings(bracket()));
        const auto print = printLines(header, players, shown);
        FUZZ_CHECK(print.size() == 14 + shown.size(), "print lines");
        const auto html = htmlLines(header, players, shown);
        FUZZ_CHECK(html.size() == 16 + shown.size(), "html lines");
        for (const std::string* text : {&header.name, &header.place, &header.date}) {
            const std::string escaped = htmlEscape(*text);
            FUZZ_CHECK(escaped.find_first_of("<>\"") == std::string::npos, "markup left in " + escaped);
            FUZZ_CHECK(fitsCp1250(escaped), "an escaped text the export cannot write");
        }
        joinLinesCp1250(html); // throws, and so aborts, if a line cannot be written

        if (!(in.u8() & 1))
            return;
        // Every name saves: what no file system takes becomes "-", and the file stays in its folder.
        const std::string txt = exportPath("vysledky", header.name, ".txt");
        FUZZ_CHECK(txt.rfind("vysledky/", 0) == 0 && txt.find('/', 9) == std::string::npos,
                   "a text file outside its folder: " + txt);
        const ResultsSheet sheet{header, std::nullopt, shown};
        if (const Outcome saved = t.saveResultsText(sheet); saved.ok()) {
            FUZZ_CHECK(readWholeFile(txt) == joinLinesCp1250(shown), "saved text");
            fs::remove(txt);
        } else {
            FUZZ_CHECK(saved.message() == std::string(("Cannot create file " + txt).c_str()), saved.message());
        }
        const std::string htm = exportPath("export", header.name, ".htm");
        if (t.exportResultsHtml(sheet).ok()) {
            FUZZ_CHECK(recordIntact, "exported without a record");
            fs::remove(htm);
        } else {
            FUZZ_CHECK(!recordIntact, "export failed");
        }
        checkFolders();
    }

    void damageRecord()
    {
        const std::uint8_t how = in.u8();
        const std::int32_t value = static_cast<std::int32_t>(in.u32());
        if (trace)
            std::fprintf(stderr, "  how %d value %d\n", how % 5, value);
        switch (how % 5) {
        case 0:
            fs::remove(kRecordPath);
            recordIntact = false;
            break;
        case 1: {
            std::string bytes(how % 16, '\x07');
            replaceFile(kRecordPath, bytes);
            recordIntact = false;
            break;
        }
        case 2:
            WriteRecord({value, 1, 2, reserved});
            recordIntact = true;
            break;
        case 3:
            WriteRecord({players, 1, value, reserved});
            recordIntact = true;
            break;
        default:
            WriteRecord({players, 1, (how >> 3) % 17, reserved});
            recordIntact = true;
            break;
        }
    }

    // The operator playing on: boards set when none is free, "Hraj", and a result on every occupied board.
    void playOn()
    {
        Bracket& b = bracket();
        if (b.correctionMode) {
            if (in.u8() & 1)
                t.cancelCorrection();
            else
                check(t.applyCorrection(std::to_string(in.u8() % 4), std::to_string(4 + in.u8() % 3)));
            return;
        }
        if (ChooseFreeBoard(b) == 0 && t.checkBoardCountChange().ok())
            check(t.setBoardCount(1 + in.u8() % b.table().rules.boards, Tournament::BoardCountFrom::Terce));
        check(t.callReadyMatches(say()));
        for (int n = 1; n <= b.table().rules.boards; ++n) {
            if (b.board(n).state != BoardState::Occupied)
                continue;
            const int s1 = in.u8() % 4;
            int s2 = in.u8() % 4;
            if (s2 == s1)
                s2 = s1 + 1;
            if (trace)
                std::fprintf(stderr, "  board %d box %d %d:%d\n", n, b.board(n).match, s1, s2);
            check(t.enterResult(n, std::to_string(s1), std::to_string(s2)));
        }
    }

    // "Zpět" or "Znovu": the bracket must be exactly as it was after the command it returns to.
    void undoRedo(bool undo)
    {
        Bracket& b = bracket();
        const std::size_t headBefore = t.history().head();
        const bool possible = undo ? t.undoDescription().has_value() : t.redoDescription().has_value();
        const Outcome o = undo ? t.undo() : t.redo();
        if (b.correctionMode) {
            FUZZ_CHECK(!o.ok() && t.history().head() == headBefore, "undo or redo during a correction");
            return;
        }
        FUZZ_CHECK(o.ok() == possible, "undo or redo against its own description");
        if (!o.ok()) {
            FUZZ_CHECK(t.history().head() == headBefore, "a refused undo or redo moved the history");
            return;
        }
        if (trace) {
            std::fprintf(stderr, "  head %zu -> %zu, known:", headBefore, t.history().head());
            for (const auto& [h, _] : afterCommand)
                std::fprintf(stderr, " %zu", h);
            std::fprintf(stderr, "\n");
        }
        const auto shown = afterCommand.find(t.history().head());
        FUZZ_CHECK(shown != afterCommand.end(), "undo or redo to a state never shown");
        FUZZ_CHECK(snapshot(false) == shown->second, "undo or redo did not bring back the bracket as it was");
        // The record is written back where it differed; what the fuzzer damaged may stay damaged.
        try {
            const TournamentRecord r = ReadRecord();
            recordIntact = true;
            players = r.PlayerCount;
        } catch (const IoError&) {
            recordIntact = false;
        }
        lastStates.clear(); // states may step back now
    }

    // A command's outcome: a failed file is only allowed when the record was damaged. One step of
    // the fuzzer may run several commands; each one's bracket is remembered for undo to compare.
    void check(const Outcome& o)
    {
        if (t.history().current())
            afterCommand[t.history().head()] = snapshot(false);
        if (o.isFailed())
            // A score that is no number fails with "'<text>' is not a valid integer value" (cut short at
            // a NUL in the text), whatever the record.
            FUZZ_CHECK(!recordIntact || o.message().rfind('\'', 0) == 0,
                       "a file error on an intact record: [" + o.message() + "]");
    }

    // --- Checks -----------------------------------------------------------------------------

    void checkFolders()
    {
        for (const auto& e : fs::directory_iterator(".")) {
            const std::string n = e.path().filename().string();
            FUZZ_CHECK(n == "data" || n == "vysledky" || n == "export", "stray file " + n);
        }
        for (const char* dir : {"vysledky", "export"})
            FUZZ_CHECK(fs::is_empty(dir), std::string("stray file in ") + dir);
    }

    void checkIdle(const Bracket& b)
    {
        for (int m = 1; m <= b.table().boxCount(); ++m)
            FUZZ_CHECK(b.state(m) == BoxState::Pending, "a bracket not in play has a box in play");
        for (SlotId i = 0; i < static_cast<SlotId>(b.table().slotSpecs.size()); ++i)
            FUZZ_CHECK(b.name(i) == kUnknown && b.score(i) == kNoScore, "a bracket not in play holds a name");
        // Its boards are left as the last tournament in that window left them: the window is hidden,
        // and the draw that next shows it turns them all off.
        FUZZ_CHECK(!b.correctionMode, "a correction open in a bracket not in play");
    }

    void checkAll()
    {
        for (Bracket* other : {&brackets.bySize(8), &brackets.bySize(16), &brackets.bySize(32)})
            if (other->size() != size)
                checkIdle(*other);
        if (size == 0)
            return;
        const Bracket& b = bracket();
        const auto& table = b.table();

        // States only ever move forward.
        if (!lastStates.empty())
            for (int m = 1; m <= table.boxCount(); ++m)
                FUZZ_CHECK(b.state(m) >= lastStates[static_cast<std::size_t>(m - 1)],
                           "box " + std::to_string(m) + " went back");
        lastStates.clear();
        for (int m = 1; m <= table.boxCount(); ++m)
            lastStates.push_back(b.state(m));

        // Boards and boxes agree.
        std::map<int, int> onBoards;
        for (int n = 1; n <= b.boardCount(); ++n) {
            const Board& board = b.board(n);
            if (n > table.rules.boards)
                FUZZ_CHECK(board.state == BoardState::Off, "a board place the size does not use is in play");
            if (board.state != BoardState::Occupied)
                continue;
            FUZZ_CHECK(table.hasBox(board.match), "a board holds no box");
            const BoxSpec& box = table.box(board.match);
            FUZZ_CHECK(b.state(box.number) == BoxState::OnBoard,
                       "board " + std::to_string(n) + " holds a box not OnBoard");
            FUZZ_CHECK(board.player1 == b.name(box.upper) && board.player2 == b.name(box.lower),
                       "board " + std::to_string(n) + " names differ from its box");
            ++onBoards[box.number];
        }
        for (int m = 1; m <= table.boxCount(); ++m)
            if (b.state(m) == BoxState::OnBoard)
                FUZZ_CHECK(onBoards[m] == 1,
                           "box " + std::to_string(m) + " OnBoard on " + std::to_string(onBoards[m]) + " boards");

        // Cells hold known texts; each player waits in one undecided box or is placed, never both.
        std::unordered_map<std::string, int> where;
        for (SlotId i = 0; i < static_cast<SlotId>(table.slotSpecs.size()); ++i) {
            const std::string& name = b.name(i);
            FUZZ_CHECK(name == kUnknown || name == kBye || known.count(name), "unknown text in a cell: " + name);
            if (b.score(i) != kNoScore)
                parseInt(b.score(i)); // throws, and so aborts, for a score cell that is not a number
        }
        for (int m = 1; m <= table.boxCount(); ++m) {
            const BoxSpec& box = table.box(m);
            const std::string& up = b.name(box.upper);
            const std::string& low = b.name(box.lower);
            const std::string at = "box " + std::to_string(m) + ": ";
            if (b.state(m) == BoxState::OnBoard)
                FUZZ_CHECK(up != kBye && low != kBye && up != kUnknown && low != kUnknown,
                           at + "called with a bye or an unknown player");
            if (b.state(m) != BoxState::Finished) {
                for (const std::string* name : {&up, &low})
                    if (*name != kUnknown && *name != kBye)
                        ++where[*name];
                continue;
            }
            if (box.isFinal()) {
                const int s1 = parseInt(b.score(box.upper));
                const int s2 = parseInt(b.score(box.lower));
                FUZZ_CHECK(!(s1 < 1 && s2 < 1), at + "final decided without a score");
                FUZZ_CHECK(b.winnerLine == std::string(table.rules.winnerPrefix) + (s2 > s1 ? low : up) +
                                               std::string(table.rules.winnerSuffix),
                           at + "winner line " + b.winnerLine);
                continue;
            }
            if (b.score(box.upper) == kNoScore && b.score(box.lower) == kNoScore) {
                FUZZ_CHECK(up == kBye || low == kBye, at + "settled without play or a bye");
                FUZZ_CHECK(b.name(box.winnerTo) == (up == kBye ? low : up),
                           at + "a settled box's winner did not go on");
                if (box.loserTo != kNoSlot)
                    FUZZ_CHECK(b.name(box.loserTo) == kBye, at + "a settled box's loser is not a bye");
                continue;
            }
            FUZZ_CHECK(up != kBye && low != kBye, at + "a bye played a match");
            const int s1 = parseInt(b.score(box.upper));
            const int s2 = parseInt(b.score(box.lower));
            FUZZ_CHECK(s1 != s2, at + "a tie stands");
            FUZZ_CHECK(b.name(box.winnerTo) == (s1 > s2 ? up : low), at + "the winner is not where the winner goes");
            if (box.loserTo != kNoSlot)
                FUZZ_CHECK(b.name(box.loserTo) == (s1 > s2 ? low : up), at + "the loser is not where the loser goes");
        }
        const bool finalDone = b.state(table.finalNumber()) == BoxState::Finished;
        if (!finalDone)
            FUZZ_CHECK(b.winnerLine == "Vítězem je : ", "a winner line before the final: " + b.winnerLine);

        // The standings: known labels, no bye, no unknown player, nobody twice.
        std::set<std::string> labels{"1. místo ", "2. místo "};
        for (const auto& l : table.rules.placeByLosersRound)
            if (!l.empty())
                labels.insert(std::string(l));
        std::set<std::string> placed;
        for (const auto& line : standings(b)) {
            const std::string_view mark = "místo ";
            const auto cut = line.find(mark);
            FUZZ_CHECK(cut != std::string::npos && labels.count(line.substr(0, cut + mark.size())),
                       "placing label: " + line);
            const std::string name = line.substr(cut + mark.size());
            FUZZ_CHECK(name != kBye && name != kUnknown && known.count(name), "placed: " + name);
            FUZZ_CHECK(placed.insert(name).second, "placed twice: " + name);
            ++where[name];
        }
        FUZZ_CHECK(where.size() == names.size(), "a player is lost from the bracket");
        for (const auto& [name, count] : where)
            FUZZ_CHECK(count == 1, "player in " + std::to_string(count) + " places: " + name);

        FUZZ_CHECK(!b.correctionMode || b.correction.has_value(), "correction mode without a context");
    }

    // Runs one command; a command stopped by a file or number error must have changed nothing.
    template <class F> void run(const char* label, F&& command, bool atomic)
    {
        said.clear();
        if (trace)
            std::fprintf(stderr, "[%s]\n", label);
        const std::string before = atomic ? snapshot() : std::string();
        try {
            command();
            if (trace)
                for (const auto& text : said)
                    std::fprintf(stderr, "  says: %s\n", text.c_str());
        } catch (const IoError& e) {
            FUZZ_CHECK(!recordIntact, std::string("a file error on an intact record: ") + e.what());
            if (atomic)
                FUZZ_CHECK(snapshot() == before,
                           std::string("a command stopped by a file error changed the bracket: ") + e.what());
        } catch (const ConvertError& e) {
            if (atomic)
                FUZZ_CHECK(snapshot() == before, std::string("a bad number changed the bracket: ") + e.what());
        }
        checkAll();
        // The state in effect, as saved, reads back as the very bracket on screen.
        if (const HistoryEntry* e = t.history().current()) {
            const std::optional<Session> saved = decodeState(e->state);
            FUZZ_CHECK(saved.has_value(), "a saved state does not read back");
            FUZZ_CHECK(encodeState(*saved) == e->state, "a saved state reads back differently");
            if (saved->activeSize == size && size != 0)
                FUZZ_CHECK(snapshotOf(saved->brackets.bySize(size), false) == snapshot(false),
                           "the bracket on screen differs from its saved state");
            afterCommand[t.history().head()] = snapshot(false);
        }
    }

    void go()
    {
        const std::uint8_t p = in.u8();
        const int n = p < 180 ? 4 + p % 61 : p - 180;
        const std::uint32_t seed = in.u32();
        const int shift = in.u8();
        run(
            "draw", [&] { draw(n, seed, shift % kPool, 0); }, false);
        for (int steps = 0; steps < 400 && !in.empty(); ++steps) {
            // After a refused draw no bracket window is shown: the main window can only draw again.
            const std::uint8_t op = size == 0 ? 8 : in.u8();
            switch (op % 16) {
            case 0:
                run(
                    "Hraj", [&] { hraj(); }, true);
                break;
            case 1:
                run(
                    "box click", [&] { boxClick(); }, false);
                break;
            case 2: {
                const int board = in.u8() % 12;
                const std::string s1 = scoreText(in);
                const std::string s2 = scoreText(in);
                run(
                    "result", [&] { result(s1, s2, board); }, true);
                break;
            }
            case 3:
                run(
                    "correction OK", [&] { correctionOk(); }, true);
                break;
            case 4:
                run(
                    "correction Storno", [&] { cancelCorrection(bracket()); }, true);
                break;
            case 5:
                run(
                    "Terče", [&] { boardCount(); }, true);
                break;
            case 6:
                run(
                    "outputs", [&] { outputs(); }, true);
                break;
            case 7:
                run(
                    "damage record", [&] { damageRecord(); }, true);
                break;
            case 8: {
                const std::uint8_t q = in.u8();
                const int m = q < 180 ? 4 + q % 61 : q - 180;
                const std::uint32_t s = in.u32();
                const std::uint8_t extra = in.u8();
                run(
                    "redraw", [&] { draw(m, s, extra % kPool, extra >> 6 == 3 ? 1 + extra % 2 : 0); }, false);
                break;
            }
            case 14:
                run(
                    "Zpět", [&] { undoRedo(true); }, false);
                break;
            case 15:
                run(
                    "Znovu", [&] { undoRedo(false); }, false);
                break;
            case 9: {
                const int times = 1 + in.u8() % 16;
                for (int i = 0; i < times && !in.empty(); ++i)
                    run(
                        "play on", [&] { playOn(); }, false);
                break;
            }
            default:
                run(
                    "play on", [&] { playOn(); }, false);
                break;
            }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    prepareWorkDir(argc, argv);
    InWorkDir inside;
    if (!ensureWorkingLayout())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InWorkDir inside;
    Fuzz fuzz(Stream(data, size));
    fuzz.go();
    return 0;
}
