#include "records/roster.h"

#include "records/errors.h"
#include "records/files.h"
#include "records/record.h"
#include "records/textcodec.h"

namespace zorbon {

std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = bytes.size();
        std::size_t stop = end;
        if (!last && stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.push_back(fromCp1250(std::string_view(bytes).substr(start, stop - start)));
        start = last ? end : end + 1;
    }
    return lines;
}

std::string joinLinesCp1250(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines) {
        auto bytes = toCp1250(line);
        if (!bytes)
            throw IoError("Text cannot be written in the Windows-1250 code page: " + line);
        out += *bytes;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> ReadRoster()
{
    return splitLines(readWholeFile(kRosterPath));
}

void SaveRoster(const std::vector<std::string>& names, Flush flush)
{
    replaceFile(kRosterPath, joinLinesCp1250(names), flush);
}

} // namespace zorbon
