#pragma once
// Whole-file reads and crash-safe whole-file replacement, relative to the working directory.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zorbon {

// Reads the whole file; IoError with the run-time's report when it cannot.
std::string readWholeFile(const std::filesystem::path& path);

// The first `count` bytes of the file (fewer when it is shorter); errors as readWholeFile. Three system
// calls, where reading to the end takes four: the record is read at every result entry.
std::string readFilePrefix(const std::filesystem::path& path, std::size_t count);

// Whether a write waits for the disk. A working file that a synced journal commit will restore on
// resume needs only to be whole, which the rename gives; the caller then flushes it itself when that
// commit does not come (flushToDisk).
enum class Flush { Now, Deferred };

// Replaces the file with bytes: a temporary file beside it is written, flushed to disk (unless
// deferred) and renamed over the old one, so a killed process or a power cut leaves the old content
// or the new, never a mix. IoError with the run-time's report when it cannot; the old file then stays
// as it was.
void replaceFile(const std::filesystem::path& path, std::string_view bytes, Flush flush = Flush::Now);

// Flushes files written with Flush::Deferred, and the folders holding them, to the disk. Best effort:
// a file that is gone or cannot be flushed is passed over.
void flushToDisk(std::initializer_list<std::filesystem::path> paths);

// How many files and folders have been flushed to the disk since the program started (tests).
std::uint64_t flushCount();

} // namespace zorbon
