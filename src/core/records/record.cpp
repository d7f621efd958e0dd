#include "records/record.h"

#include "records/errors.h"
#include "records/files.h"
#include "records/roster.h"

#include <filesystem>
#include <system_error>

namespace zorbon {
namespace {

std::int32_t readLe(const std::string& d, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(d[at + i])) << (8 * i);
    return static_cast<std::int32_t>(v);
}

void writeLe(std::string& d, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        d.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

TournamentRecord ReadRecord()
{
    const std::string d = readFilePrefix(kRecordPath, 16);
    if (d.size() < 16)
        throw IoError("Read beyond end of file");
    return {readLe(d, 0), readLe(d, 4), readLe(d, 8), readLe(d, 12)};
}

void WriteRecord(const TournamentRecord& r, Flush flush)
{
    std::string d;
    d.reserve(16);
    writeLe(d, r.PlayerCount);
    writeLe(d, r.FirstOpenMatch);
    writeLe(d, r.BoardCount);
    writeLe(d, r.Reserved);
    replaceFile(kRecordPath, d, flush);
}

bool ensureWorkingLayout()
{
    namespace fs = std::filesystem;
    bool ok = true;
    std::error_code ec;
    for (const char* dir : {kSetupDir, "vysledky", "export"}) {
        fs::create_directories(dir, ec);
        ok = ok && fs::is_directory(dir, ec);
        // A write cut short by a crash leaves its temporary file; the real file is intact, so drop it.
        for (const auto& entry : fs::directory_iterator(dir, ec))
            if (entry.path().filename().string().rfind(".zorbon-", 0) == 0)
                fs::remove(entry.path(), ec);
    }
    try {
        if (!fs::exists(kRecordPath, ec) && !ec)
            WriteRecord({});
        if (!fs::exists(kRosterPath, ec) && !ec)
            SaveRoster({});
    } catch (const IoError&) {
        ok = false;
    }
    return ok;
}

} // namespace zorbon
