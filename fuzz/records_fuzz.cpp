// Fuzz target for everything the program reads from disk or from a text field before the draw:
// the record, the roster, the Windows-1250 conversions, number parsing, and the registration
// commands that read and rewrite those files.
//
// Input: [record length][record bytes][flags][name length][name bytes][roster bytes ...]
//   flags bit 0: no record file, bit 1: no roster file, bits 2..4: which command then runs.

#include "fuzz_common.h"
#include "lobby/lobby.h"
#include "records/errors.h"
#include "records/files.h"
#include "records/record.h"
#include "records/roster.h"
#include "records/textcodec.h"
#include "tournament/tournament.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <optional>

using namespace zorbon;
using namespace zorbon::fuzz;
namespace fs = std::filesystem;

namespace {

// The number rules written out a second way: spaces, a sign, digits only, within 32 bits.
std::optional<int> referenceParse(const std::string& s)
{
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-')
        negative = s[i++] == '-';
    if (i == s.size())
        return std::nullopt;
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9')
            return std::nullopt;
    i = std::min(s.find_first_not_of('0', i), s.size());
    if (s.size() - i > 10)
        return std::nullopt;
    long long v = s.size() == i ? 0 : std::stoll(s.substr(i));
    if (negative)
        v = -v;
    if (v < INT_MIN || v > INT_MAX)
        return std::nullopt;
    return static_cast<int>(v);
}

void checkParse(const std::string& text)
{
    const auto expected = referenceParse(text);
    try {
        const int got = parseInt(text);
        FUZZ_CHECK(expected && *expected == got, "parseInt accepted '" + text + "' as " + std::to_string(got));
    } catch (const ConvertError& e) {
        FUZZ_CHECK(!expected, "parseInt refused '" + text + "'");
        // what() is a C string: a NUL in the text ends the message there.
        FUZZ_CHECK(std::string(e.what()) == std::string(("'" + text + "' is not a valid integer value").c_str()),
                   e.what());
    }
}

void checkCodec(const std::string& bytes)
{
    // Every byte string reads as valid UTF-8 and writes back to exactly the same bytes.
    const std::string utf8 = fromCp1250(bytes);
    FUZZ_CHECK(isValidUtf8(utf8), "fromCp1250 made invalid UTF-8");
    const auto back = toCp1250(utf8);
    FUZZ_CHECK(back && *back == bytes, "Windows-1250 text did not survive a read and a write");
    FUZZ_CHECK(fitsCp1250(utf8), "a read text does not fit the code page");

    // The same bytes taken as UTF-8 either encode, and then decode back to themselves, or are refused.
    const auto encoded = toCp1250(bytes);
    FUZZ_CHECK(encoded.has_value() == fitsCp1250(bytes), "fitsCp1250 disagrees with toCp1250");
    if (encoded) {
        FUZZ_CHECK(isValidUtf8(bytes), "invalid UTF-8 was accepted for the roster");
        FUZZ_CHECK(fromCp1250(*encoded) == bytes, "a storable text comes back different");
    }
}

// The roster as its rules read it: lines end at LF, a CR just before the LF belongs to the line end.
std::vector<std::string> referenceLines(const std::string& bytes)
{
    std::vector<std::string> raw;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            raw.push_back(bytes.substr(start));
            break;
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        raw.push_back(line);
        start = end + 1;
    }
    return raw;
}

void put(const char* path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string fileOrNone(const char* path)
{
    try {
        return readWholeFile(path);
    } catch (const IoError&) {
        return "<none>";
    }
}

// Nothing but the two working files may be in the setup folder after a command.
void checkSetupFolder()
{
    for (const auto& e : fs::directory_iterator(kSetupDir)) {
        const std::string n = e.path().filename().string();
        FUZZ_CHECK(n == "ulozeni.dta" || n == "Hráči.szn", "stray file " + n);
    }
}

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
    Stream in(data, size);
    const std::string recordBytes = in.bytes(255);
    const std::uint8_t flags = in.u8();
    const std::string typed = utf8Text(in, 64);
    std::string rosterBytes(reinterpret_cast<const char*>(data) + (size - in.left()), in.left());

    checkParse(recordBytes);
    checkParse(typed);
    checkCodec(recordBytes);
    checkCodec(rosterBytes);

    const bool noRecord = flags & 1;
    const bool noRoster = flags & 2;
    fs::remove(kRecordPath);
    fs::remove(kRosterPath);
    if (!noRecord)
        put(kRecordPath, recordBytes);
    if (!noRoster)
        put(kRosterPath, rosterBytes);
    const bool recordReadable = !noRecord && recordBytes.size() >= 16;

    // The record: the first 16 bytes, little-endian, or the run-time's report.
    TournamentRecord record;
    try {
        record = ReadRecord();
        FUZZ_CHECK(recordReadable, "a missing or short record was read");
        std::int32_t fields[4];
        std::memcpy(fields, recordBytes.data(), 16);
        FUZZ_CHECK(record == (TournamentRecord{fields[0], fields[1], fields[2], fields[3]}), "record fields");
    } catch (const IoError& e) {
        FUZZ_CHECK(!recordReadable, "a whole record could not be read");
        const std::string want = noRecord ? "File not found" : "Read beyond end of file";
        FUZZ_CHECK(e.what() == want, e.what());
    }

    // The roster: every line, each read by the code page, and a rewrite that keeps every line.
    std::vector<std::string> lines;
    try {
        lines = ReadRoster();
        FUZZ_CHECK(!noRoster, "a missing roster was read");
    } catch (const IoError& e) {
        FUZZ_CHECK(noRoster, e.what());
    }
    if (!noRoster) {
        const auto raw = referenceLines(rosterBytes);
        FUZZ_CHECK(lines.size() == raw.size(), "line count");
        std::string normalised;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            FUZZ_CHECK(lines[i] == fromCp1250(raw[i]), "line " + std::to_string(i));
            FUZZ_CHECK(lines[i].find('\n') == std::string::npos, "a line holds a line feed");
            normalised += raw[i] + "\r\n";
        }
        FUZZ_CHECK(joinLinesCp1250(lines) == normalised, "a rewrite changed a line");
        for (std::size_t i = 0; i < lines.size() && i < 16; ++i)
            checkParse(lines[i]);
    }

    // One command of the main window and its dialogs on these files, through the command layer.
    Tournament t;
    Lobby& lobby = t.editableSession().lobby;
    lobby.header = {"Turnaj", "", ""};
    for (Command c : {Command::NovyTurnaj, Command::Registruj, Command::Vymaz, Command::Rozlosuj, Command::OdeberHrace,
                      Command::Help, Command::Oprogramu, Command::Konec}) {
        if (t.check(c).isFailed())
            FUZZ_CHECK(!recordReadable, "a command failed on a whole record");
    }
    if (t.showMainWindow().ok()) {
        FUZZ_CHECK(recordReadable && !noRoster, "the main window loaded from a missing file");
        FUZZ_CHECK(lobby.count == record.PlayerCount && lobby.registered == lines, "main window contents");
    } else {
        FUZZ_CHECK(!recordReadable || noRoster, "the main window failed on whole files");
    }
    lobby = Lobby{};
    lobby.header = {"Turnaj", "", ""};
    if (t.showRegistration().isFailed())
        FUZZ_CHECK(!recordReadable || noRoster, "registration failed on whole files");

    const std::string recordBefore = fileOrNone(kRecordPath);
    const std::string rosterBefore = fileOrNone(kRosterPath);
    const std::string chosen = !lines.empty() && (flags & 0x20) ? lines.front() : typed;
    bool failed = false;
    const int command = flags >> 2 & 7;
    {
        switch (command) {
        case 0:
        case 1:
        case 2: {
            const Outcome o = t.addPlayer(chosen);
            if (o.isFailed()) {
                failed = true;
                break;
            }
            bool duplicate = false;
            for (const auto& l : lines)
                duplicate = duplicate || l == chosen;
            FUZZ_CHECK(o.ok() == (checkName(chosen).ok() && !duplicate), "registration of '" + chosen + "'");
            if (o.ok()) {
                auto expected = lines;
                expected.push_back(chosen);
                FUZZ_CHECK(ReadRoster() == expected, "the roster after a registration");
                FUZZ_CHECK(readWholeFile(kRosterPath) == joinLinesCp1250(expected), "roster bytes");
                TournamentRecord after = record;
                after.PlayerCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(record.PlayerCount) + 1u);
                FUZZ_CHECK(ReadRecord() == after, "the record after a registration");
                FUZZ_CHECK(lobby.registered.back() == chosen && lobby.count == after.PlayerCount, "lists");
            } else {
                FUZZ_CHECK(!o.message().empty(), "a refusal without a message");
            }
            break;
        }
        case 3: {
            const Result<std::vector<std::string>> removed = t.removePlayer(chosen);
            const std::vector<std::string>& kept = removed.value();
            if (removed.isFailed()) {
                failed = true;
                break;
            }
            const int count = lobby.count;
            std::vector<std::string> expected;
            for (const auto& l : lines)
                if (l != chosen)
                    expected.push_back(l);
            FUZZ_CHECK(kept == expected && lobby.registered == expected, "removal lists");
            FUZZ_CHECK(count == static_cast<int>(expected.size()), "removal count");
            FUZZ_CHECK(ReadRoster() == expected, "the roster after a removal");
            TournamentRecord after = record;
            after.PlayerCount = count;
            FUZZ_CHECK(ReadRecord() == after, "the record after a removal");
            break;
        }
        case 4:
            if (t.deleteAllPlayers().isFailed()) {
                failed = true;
                break;
            }
            FUZZ_CHECK(readWholeFile(kRosterPath).empty(), "roster after delete-all");
            FUZZ_CHECK(ReadRecord() == (TournamentRecord{0, record.FirstOpenMatch, record.BoardCount, record.Reserved}),
                       "record after delete-all");
            break;
        case 5:
            if (t.exitProgram().isFailed()) {
                failed = true;
                break;
            }
            FUZZ_CHECK(readWholeFile(kRosterPath).empty(), "roster after exit");
            break;
        case 6: {
            if (t.closeTournament().isFailed()) {
                failed = true;
                break;
            }
            FUZZ_CHECK(readWholeFile(kRosterPath).empty(), "roster after close");
            FUZZ_CHECK(ReadRecord() == (TournamentRecord{0, record.FirstOpenMatch, 0, record.Reserved}),
                       "record after close");
            break;
        }
        default: {
            const Result<std::vector<std::string>> choices = t.removalChoices();
            if (choices.isFailed())
                failed = true;
            else
                FUZZ_CHECK(choices.value() == lines, "removal choices");
            break;
        }
        }
    }
    if (failed) {
        // A command stopped by a missing or short file has written nothing.
        FUZZ_CHECK(!recordReadable || noRoster, "a command failed on whole files");
        FUZZ_CHECK(fileOrNone(kRecordPath) == recordBefore, "a failed command changed the record");
        if (command == 3 && !noRoster) {
            // Removal saves the roster before it reads the record, as its order of steps says.
            std::vector<std::string> expected;
            for (const auto& l : lines)
                if (l != chosen)
                    expected.push_back(l);
            FUZZ_CHECK(ReadRoster() == expected, "the roster after a removal stopped by the record");
        } else {
            FUZZ_CHECK(fileOrNone(kRosterPath) == rosterBefore, "a failed command changed the roster");
        }
    }
    checkSetupFolder();
    return 0;
}
