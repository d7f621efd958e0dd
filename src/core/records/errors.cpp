#include "records/errors.h"

#include <cerrno>
#include <climits>

namespace zorbon {

std::string ioReport(int err)
{
    switch (err) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return "Access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENAMETOOLONG:
        return "Invalid filename";
    case 0:
        return "Read beyond end of file";
    default:
        return "I/O error " + std::to_string(err);
    }
}

void throwIo(int err)
{
    throw IoError(ioReport(err));
}

int parseInt(const std::string& text)
{
    auto bad = [&text]() -> ConvertError { return ConvertError("'" + text + "' is not a valid integer value"); };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw bad();
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw bad();
        value = value * 10 + (c - '0');
        // A value past 32 bits is refused like any other bad number instead of wrapping round.
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw bad();
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        throw bad();
    return static_cast<int>(value);
}

} // namespace zorbon
