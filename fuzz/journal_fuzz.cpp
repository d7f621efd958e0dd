// Fuzz target for the journal and the state codec. The first byte chooses what the rest is:
//   0  a state blob as stored: decodeState must not crash, and what it reads must encode back to
//      the very same bytes;
//   1  a state's body, given the codec's header and a correct checksum so that the checks behind
//      the checksum are reached: what decodes must re-encode to a state that reads back the same,
//      and the command layer must take it (resume, "Hraj", results, clicks, standings, undo);
//   2  a whole journal file;
//   3  a valid journal (one of those made at start) with patches: [offset: 4][length][bytes]...;
//   4  a valid journal with the rest as its write-ahead log.
// An input that starts like an SQLite file is a whole journal file too, so the corpus can hold
// journals exactly as the program writes them. For every journal Journal::open must not crash or
// hang, a damaged file must lie byte for byte where it was moved to, and a running tournament it
// returns must decode and resume.
//
// ZORBON_FUZZ_SEEDS=<folder> writes the seed corpus (journals made by the real code) and exits.

#include "fuzz_common.h"
#include "journal/journal.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <fstream>
#include <iterator>
#include <optional>

using namespace zorbon;
using namespace zorbon::fuzz;
namespace fs = std::filesystem;

namespace {

std::optional<std::string> readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& p, std::string_view bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Nothing of the previous input's journal may be left: each input starts from its own files.
void clearJournals()
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kSetupDir, ec))
        if (e.path().filename().string().rfind("turnaj.db", 0) == 0)
            fs::remove_all(e.path(), ec);
}

bool strict()
{
    static const bool s = std::getenv("ZORBON_FUZZ_STRICT") != nullptr;
    return s;
}

// --- Journals made by the real code at start -----------------------------------------------------------

std::vector<std::string>& baseJournals()
{
    static std::vector<std::string> j;
    return j;
}

// Plays `steps` commands of a tournament with `players` and leaves it running; `closeFirst` plays a
// small one to its end before it, so the archive holds one.
std::string makeJournal(int players, int steps, bool closeFirst)
{
    clearJournals();
    WriteRecord({});
    SaveRoster({});
    {
        Journal::Opened o = Journal::open(kJournalPath, "seed", &isReadableState);
        Tournament t(std::move(o.journal), std::move(o.running), o.reason,
                     [](Tournament::TimeFormat) { return std::string("2026-05-01 10:00:00"); });
        const Say quiet = [](const std::string&) {};
        auto play = [&](int n, int commands, const std::string& suffix) {
            (void)t.acceptNewTournament({"Turnaj", "Brno", "1. 5."});
            for (int i = 1; i <= n; ++i)
                (void)t.addPlayer("Hráč " + std::to_string(i) + suffix);
            if (commands < 0)
                return;
            (void)t.draw(7);
            (void)t.setBoardCount(2, Tournament::BoardCountFrom::Draw);
            for (int k = 0; k < commands || commands == 1000; ++k) {
                const Bracket* b = t.session().active();
                if (!b || b->state(b->table().finalNumber()) == BoxState::Finished)
                    break;
                (void)t.callReadyMatches(quiet);
                for (int n2 = 1; n2 <= b->boardCount(); ++n2)
                    if (b->board(n2).state == BoardState::Occupied) {
                        (void)t.enterResult(n2, k % 2 ? "1" : "3", k % 2 ? "3" : "1");
                        break;
                    }
            }
        };
        if (closeFirst) {
            play(4, 1000, " A");
            (void)t.showStandings();
            (void)t.closeTournament();
        }
        if (players > 0)
            play(players, steps, "");
    }
    return readFile(kJournalPath).value_or("");
}

// --- The checks ---------------------------------------------------------------------------------------------

// The command layer on a decoded state: everything an operator can do to it must keep to the rules.
void playOn(const std::string& state)
{
    History h;
    h.started = "2026-05-01 10:00:00";
    h.push({"fuzz", "", "fuzz", false, true, state, "2026-05-01 10:00:00"});
    Tournament t(nullptr, std::move(h), {});
    const Outcome resumed = t.resume();
    if (!resumed.ok())
        return; // a working file could not be written
    FUZZ_CHECK(decodeState(encodeState(t.session())).has_value(), "the resumed session does not encode readably");
    const Bracket* b = t.session().active();
    if (!b)
        return;
    const Say quiet = [](const std::string&) {};
    for (int round = 0; round < 4; ++round) {
        (void)t.callReadyMatches(quiet);
        for (int n = 1; n <= b->boardCount(); ++n)
            if (b->board(n).state == BoardState::Occupied)
                (void)t.enterResult(n, round % 2 ? "0" : "2", round % 2 ? "2" : "0");
        FUZZ_CHECK(decodeState(encodeState(t.session())).has_value(), "a command left an unreadable state");
    }
    for (int box = 1; box <= b->table().boxCount(); ++box)
        (void)t.clickBox(box, quiet);
    (void)t.showStandings();
    t.showResultsList();
    while (t.undo().ok()) {
    }
    FUZZ_CHECK(decodeState(encodeState(t.session())).has_value(), "undo left an unreadable state");
}

void checkState(std::string_view bytes, bool checksumMadeHere)
{
    const std::optional<Session> s = decodeState(bytes);
    if (!s)
        return;
    const std::string again = encodeState(*s);
    // A state of an older format is read and written in the current one: only a state already in
    // the current format must come back byte for byte.
    const bool currentFormat = bytes.size() > 3 && again.size() > 3 && bytes[3] == again[3];
    if ((!checksumMadeHere || strict()) && currentFormat)
        FUZZ_CHECK(again == bytes, "a state decodes but encodes to other bytes");
    const std::optional<Session> back = decodeState(again);
    FUZZ_CHECK(back.has_value(), "a state re-encoded from a decoded one does not decode");
    FUZZ_CHECK(encodeState(*back) == again, "encoding is not stable");
    if (checksumMadeHere)
        playOn(again);
}

void checkJournal(const std::string& file, const std::optional<std::string>& wal)
{
    clearJournals();
    writeFile(kJournalPath, file);
    if (wal)
        writeFile(std::string(kJournalPath) + "-wal", *wal);
    Journal::Opened o = Journal::open(kJournalPath, "fuzz", &isReadableState);
    switch (o.how) {
    case Journal::Opening::Created:
        FUZZ_CHECK(false, "an existing file was taken for a missing journal");
        break;
    case Journal::Opening::Unusable:
        // No journal could be made; the file must be where it was, untouched.
        FUZZ_CHECK(readFile(kJournalPath) == file, "an unusable journal was changed: " + o.reason);
        return;
    case Journal::Opening::Damaged:
        FUZZ_CHECK(readFile(o.movedTo) == file, "a damaged journal was changed on its way aside: " + o.reason);
        if (wal)
            FUZZ_CHECK(readFile(o.movedTo + "-wal") == *wal, "its log was changed on its way aside");
        FUZZ_CHECK(o.journal != nullptr, "no new journal after a damaged one");
        FUZZ_CHECK(!o.running.has_value(), "a new journal with a running tournament");
        FUZZ_CHECK(o.journal->archive().empty(), "a new journal with an archive");
        return;
    case Journal::Opening::Opened:
        break;
    }
    FUZZ_CHECK(o.journal != nullptr, "an opened journal without a connection");
    if (o.running) {
        FUZZ_CHECK(o.running->current() != nullptr, "a running tournament without a state in effect");
        for (const auto& e : o.running->entries())
            FUZZ_CHECK(decodeState(e.state).has_value(), "a running tournament's state does not decode");
    }
    Tournament t(std::move(o.journal), std::move(o.running), {});
    t.resumeDescription();
    for (const auto& a : t.archive().value())
        (void)t.archivedSheet(a.id);
    if (t.resumeDescription())
        (void)t.resume();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    prepareWorkDir(argc, argv);
    InWorkDir here;
    ensureWorkingLayout();
    auto& base = baseJournals();
    base.push_back(makeJournal(0, 0, false));  // empty
    base.push_back(makeJournal(5, -1, false)); // registration only
    base.push_back(makeJournal(6, 4, false));  // an 8 in play
    base.push_back(makeJournal(11, 6, true));  // one ended, a 16 in play
    if (const char* seeds = std::getenv("ZORBON_FUZZ_SEEDS")) {
        const fs::path out = workDir().home / seeds;
        fs::create_directories(out);
        writeFile(out / "journal-empty", base[0]);
        writeFile(out / "journal-registration", base[1]);
        writeFile(out / "journal-8-in-play", base[2]);
        writeFile(out / "journal-truncated", base[2].substr(0, base[2].size() / 2 + 100));
        // Journal 2 with four bytes at offset 0 replaced, and journal 1 with a log that is not one.
        writeFile(out / "journal-patched-header", std::string("\x03\x02\x00\x00\x00\x00\x04XXXX", 11));
        writeFile(out / "journal-with-log", std::string("\x04\x01", 2) + std::string(32, '\x37'));
        // States as stored, and one body for the checks behind the checksum.
        Journal::Opened o = Journal::open(kJournalPath, "seed", &isReadableState);
        if (o.running) {
            const auto& entries = o.running->entries();
            writeFile(out / "state-drawn", std::string("\x00", 1) + entries.back().state);
            const std::string& s = entries.back().state;
            writeFile(out / "state-body", std::string("\x01", 1) + s.substr(4, s.size() - 12));
        }
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    InWorkDir here;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    if (all.rfind(std::string_view("SQLite format 3\0", 16), 0) == 0) {
        checkJournal(std::string(all), std::nullopt);
        return 0;
    }
    const std::string rest(all.substr(1));
    switch (data[0] % 5) {
    case 0:
        checkState(rest, false);
        break;
    case 1: {
        std::string state = std::string("ZBS\x01", 4) + rest;
        const std::uint64_t sum = stateChecksum(state);
        for (int i = 0; i < 8; ++i)
            state.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
        checkState(state, true);
        break;
    }
    case 2:
        checkJournal(rest, std::nullopt);
        break;
    case 3: {
        Stream in(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
        const auto& base = baseJournals();
        std::string file = base[in.u8() % base.size()];
        while (!in.empty() && !file.empty()) {
            const std::size_t at = in.u32() % file.size();
            const std::string bytes = in.bytes(64);
            file.replace(at, std::min(bytes.size(), file.size() - at), bytes.substr(0, file.size() - at));
        }
        checkJournal(file, std::nullopt);
        break;
    }
    default: {
        const auto& base = baseJournals();
        const std::size_t which = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % base.size();
        checkJournal(base[which], rest.size() > 1 ? rest.substr(1) : std::string());
        break;
    }
    }
    return 0;
}
