#pragma once
// A plain socket client for the server tests: talks only to 127.0.0.1, and every wait is bounded.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

namespace zorbon::test {

inline int connectLocal(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

inline bool sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Everything the server sends until it closes, or until `ms` pass.
inline std::string readAll(int fd, int ms = 5000)
{
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char buf[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

struct Reply {
    int status = 0;
    std::string head;
    std::string body;
    std::string header(std::string_view name) const
    {
        std::string lower(head);
        for (auto& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string key = "\r\n" + std::string(name) + ":";
        for (auto& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const auto at = lower.find(key);
        if (at == std::string::npos)
            return {};
        auto start = at + key.size();
        while (start < head.size() && head[start] == ' ')
            ++start;
        return head.substr(start, head.find("\r\n", start) - start);
    }
};

inline Reply parseReply(const std::string& raw)
{
    Reply r;
    const auto end = raw.find("\r\n\r\n");
    r.head = raw.substr(0, end);
    if (end != std::string::npos)
        r.body = raw.substr(end + 4);
    if (raw.size() > 12 && raw.starts_with("HTTP/1.1 "))
        r.status = std::stoi(raw.substr(9, 3));
    return r;
}

// One request on its own connection, closed after the answer.
inline Reply request(int port, const std::string& method, const std::string& target, const std::string& headers = {})
{
    const int fd = connectLocal(port);
    if (fd < 0)
        return {};
    sendAll(fd, method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + headers + "\r\n");
    const std::string raw = readAll(fd);
    ::close(fd);
    return parseReply(raw);
}

} // namespace zorbon::test
