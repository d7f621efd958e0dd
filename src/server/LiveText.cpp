// What a request's head and an answer's tag are: plain text work that both the program and the
// serving module need.

#include "server/LiveServer.h"

#include <cstdio>

namespace zorbon {

std::string entityTag(std::string_view body)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : body) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    char text[24];
    std::snprintf(text, sizeof text, "\"z%016llx\"", static_cast<unsigned long long>(h));
    return text;
}

HeadCheck checkHead(std::string_view bytes, const ServerLimits& limits)
{
    const std::size_t firstEnd = bytes.find('\n');
    if ((firstEnd == std::string_view::npos && bytes.size() > limits.requestLine) ||
        (firstEnd != std::string_view::npos && firstEnd > limits.requestLine))
        return {HeadCheck::LineTooLong};
    // The head ends with an empty line; count the lines before it.
    int lines = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            break;
        const std::size_t len = end - start;
        if (len == 0 || (len == 1 && bytes[start] == '\r')) {
            if (end + 1 > limits.headBytes)
                return {HeadCheck::HeadTooLarge};
            return {HeadCheck::Complete, end + 1};
        }
        if (++lines > limits.headLines + 1)
            return {HeadCheck::HeadTooLarge};
        start = end + 1;
    }
    if (bytes.size() >= limits.headBytes)
        return {HeadCheck::HeadTooLarge};
    return {HeadCheck::NeedMore};
}

} // namespace zorbon
