#pragma once
// Whole-file reads and crash-safe whole-file replacement, relative to the working directory.

#include <filesystem>
#include <string>
#include <string_view>

namespace zorbon {

// Reads the whole file; IoError with the run-time's report when it cannot.
std::string readWholeFile(const std::filesystem::path& path);

// Replaces the file with bytes: a temporary file beside it is written, flushed to disk and renamed
// over the old one, so a killed process or a power cut leaves the old content or the new, never a mix.
// IoError with the run-time's report when it cannot; the old file then stays as it was.
void replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace zorbon
