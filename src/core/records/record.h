#pragma once
// The tournament record: four counters that carry the registration from one command to the next.

#include "records/files.h"

#include <cstdint>

namespace zorbon {

inline constexpr const char* kRecordPath = "data/setup/ulozeni.dta";
inline constexpr const char* kRosterPath = "data/setup/Hráči.szn";
inline constexpr const char* kSetupDir = "data/setup";

struct TournamentRecord {
    std::int32_t PlayerCount = 0;
    std::int32_t FirstOpenMatch = 0;
    std::int32_t BoardCount = 0;
    std::int32_t Reserved = 0;
    bool operator==(const TournamentRecord&) const = default;
};

// Reads the first 16 bytes of the record file; IoError ("File not found", "Read beyond end of file", ...).
TournamentRecord ReadRecord();

// Replaces the record file with exactly 16 bytes; IoError when it cannot.
void WriteRecord(const TournamentRecord& record, Flush flush = Flush::Now);

// Creates what is missing of the working layout (the setup folder with a zeroed record and an empty
// roster, "vysledky/", "export/") and never touches what exists. Returns false if something could
// not be created; the commands then report the missing file themselves.
bool ensureWorkingLayout();

} // namespace zorbon
