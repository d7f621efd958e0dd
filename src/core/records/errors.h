#pragma once
// Failures of commands, worded the way the run-time reports them to the operator.

#include <stdexcept>
#include <string>

namespace zorbon {

// An input/output failure on a working file. what() is the report shown in the error box.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should hold a decimal integer does not (an emptied score field, say).
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run-time's report for an errno value ("File not found", "Access denied", ...).
std::string ioReport(int err);

// Throws IoError with the report for err.
[[noreturn]] void throwIo(int err);

// Reads a score or counter text the way the run-time does: leading spaces skipped, an optional sign,
// decimal digits only, within 32 bits. Anything else throws ConvertError with the standard text.
int parseInt(const std::string& text);

} // namespace zorbon
