#pragma once
// Whole-file reads and crash-safe whole-file replacement, relative to the working directory.

#include <filesystem>
#include <string>
#include <string_view>

namespace zorbon {

// Reads the whole file; IoError with the run-time's report when it cannot.
std::string readWholeFile(const std::filesystem::path& path);

// The first `count` bytes of the file (fewer when it is shorter); errors as readWholeFile. Three system
// calls, where reading to the end takes four: the record is read at every result entry.
std::string readFilePrefix(const std::filesystem::path& path, std::size_t count);

// Replaces the file with bytes: a temporary file beside it is written, flushed to disk and renamed
// over the old one, so a killed process or a power cut leaves the old content or the new, never a mix.
// IoError with the run-time's report when it cannot; the old file then stays as it was.
void replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace zorbon
