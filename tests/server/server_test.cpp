// The phones page's server in-process: every route, 304, the limits on request heads, and hostile
// clients. Loopback only; every loop and wait is bounded.

#include "client.h"
#include "server/LiveServer.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <thread>
#include <vector>

using namespace zorbon;
using namespace zorbon::test;
using namespace std::chrono_literals;

namespace {

// Ports away from the program's own, so a Zorbon running on this machine disturbs nothing.
constexpr int kFirst = 18321;
constexpr int kLast = 18330;

class Server : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto s = std::make_shared<LiveSnapshot>();
        s->json = R"({"turnaj":{"nazev":"T","misto":"","datum":""},"verze":1})";
        s->jsonTag = entityTag(s->json);
        s->svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>&lt;script&gt;</text></svg>";
        s->svgTag = entityTag(s->svg);
        server.publish(s);
        port = server.start("127.0.0.1", kFirst, kLast);
        ASSERT_NE(port, 0);
    }
    // The server still answers an ordinary request at once.
    void expectHealthy()
    {
        const auto t0 = std::chrono::steady_clock::now();
        const Reply r = request(port, "GET", "/stav.json");
        EXPECT_EQ(r.status, 200);
        EXPECT_LT(std::chrono::steady_clock::now() - t0, 1s);
    }
    LiveServer server;
    int port = 0;
};

} // namespace

TEST_F(Server, EveryRouteAnswersGetAndHead)
{
    struct Case {
        const char* path;
        const char* type;
        const char* inBody;
    };
    const Case cases[] = {
        {"/", "text/html; charset=utf-8", "Moje jméno"},
        {"/stav.json", "application/json; charset=utf-8", "\"verze\":1"},
        {"/pavouk.svg", "image/svg+xml; charset=utf-8", "&lt;script&gt;"},
    };
    for (const Case& c : cases) {
        const Reply get = request(port, "GET", c.path);
        EXPECT_EQ(get.status, 200) << c.path;
        EXPECT_EQ(get.header("Content-Type"), c.type) << c.path;
        EXPECT_NE(get.body.find(c.inBody), std::string::npos) << c.path;
        EXPECT_FALSE(get.header("ETag").empty()) << c.path;
        EXPECT_EQ(get.header("X-Content-Type-Options"), "nosniff");
        EXPECT_FALSE(get.header("Content-Security-Policy").empty());
        const Reply head = request(port, "HEAD", c.path);
        EXPECT_EQ(head.status, 200) << c.path;
        EXPECT_TRUE(head.body.empty()) << c.path;
        EXPECT_EQ(head.header("Content-Length"), std::to_string(get.body.size())) << c.path;
    }
}

TEST_F(Server, TheSameTagGets304AndANewStateA200)
{
    const Reply first = request(port, "GET", "/stav.json");
    const std::string tag = first.header("ETag");
    ASSERT_FALSE(tag.empty());
    const Reply again = request(port, "GET", "/stav.json", "If-None-Match: " + tag + "\r\n");
    EXPECT_EQ(again.status, 304);
    EXPECT_TRUE(again.body.empty());
    EXPECT_EQ(again.header("ETag"), tag);
    EXPECT_EQ(request(port, "GET", "/stav.json", "If-None-Match: \"x\", " + tag + "\r\n").status, 304);
    EXPECT_EQ(request(port, "GET", "/stav.json", "If-None-Match: \"jiny\"\r\n").status, 200);

    auto next = std::make_shared<LiveSnapshot>(*server.snapshot());
    next->json = R"({"verze":2})";
    next->jsonTag = entityTag(next->json);
    server.publish(next);
    const Reply changed = request(port, "GET", "/stav.json", "If-None-Match: " + tag + "\r\n");
    EXPECT_EQ(changed.status, 200);
    EXPECT_EQ(changed.body, next->json);
    EXPECT_NE(changed.header("ETag"), tag);
}

TEST_F(Server, OnlyItsOwnPathsAndNoFile)
{
    const char* paths[] = {"/../data/setup/turnaj.db",
                           "/%2e%2e/data/setup/turnaj.db",
                           "/%2E%2E%2Fdata%2Fsetup%2Fturnaj.db",
                           "/..%2f..%2fetc%2fpasswd",
                           "/.%2e/.%2e/etc/passwd",
                           "//etc/passwd",
                           "/stav.json/../../../etc/passwd",
                           "/index.html",
                           "/data/setup/turnaj.db",
                           "/stav.json%00.txt",
                           "/%c0%ae%c0%ae/etc/passwd",
                           "*"};
    for (const char* p : paths) {
        const Reply r = request(port, "GET", p);
        EXPECT_TRUE(r.status == 404 || r.status == 400) << p << " -> " << r.status;
        EXPECT_EQ(r.body.find("SQLite"), std::string::npos) << p;
        EXPECT_EQ(r.body.find("root:"), std::string::npos) << p;
    }
    expectHealthy();
}

TEST_F(Server, OtherMethodsAre405)
{
    for (const char* m : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "TRACE", "CONNECT", "BREW"}) {
        const Reply r = request(port, m, "/stav.json", "Content-Length: 5\r\n");
        EXPECT_EQ(r.status, 405) << m;
        EXPECT_EQ(r.header("Allow"), "GET, HEAD") << m;
    }
    expectHealthy();
}

TEST_F(Server, AHugeRequestLineIs414)
{
    const int fd = connectLocal(port);
    ASSERT_GE(fd, 0);
    std::thread writer([fd] { sendAll(fd, "GET /" + std::string(1 << 20, 'a') + " HTTP/1.1\r\n\r\n"); });
    const Reply r = parseReply(readAll(fd));
    writer.join();
    ::close(fd);
    EXPECT_EQ(r.status, 414);
    expectHealthy();
}

TEST_F(Server, TenThousandHeadersAre431)
{
    std::string headers;
    for (int i = 0; i < 10000; ++i)
        headers += "X-H" + std::to_string(i) + ": " + std::to_string(i) + "\r\n";
    const int fd = connectLocal(port);
    ASSERT_GE(fd, 0);
    std::thread writer([&] { sendAll(fd, "GET / HTTP/1.1\r\nHost: x\r\n" + headers + "\r\n"); });
    const Reply r = parseReply(readAll(fd));
    writer.join();
    ::close(fd);
    EXPECT_EQ(r.status, 431);
    expectHealthy();
}

TEST_F(Server, BinaryJunkIsRefusedAndTheServerGoesOn)
{
    std::string junk;
    std::uint32_t x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        junk += static_cast<char>(x >> 24);
    }
    const std::string variants[] = {junk, junk.substr(0, 300) + "\r\n\r\n", std::string("\0\0\0\r\n\r\n", 7),
                                    "GET / HTTP/9.9\r\n\r\n", "\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03"};
    for (const std::string& v : variants) {
        const int fd = connectLocal(port);
        ASSERT_GE(fd, 0);
        sendAll(fd, v);
        const Reply r = parseReply(readAll(fd, 8000));
        ::close(fd);
        EXPECT_NE(r.status, 200);
    }
    expectHealthy();
}

TEST_F(Server, ASlowClientIsCutOffWithinTheHeadTime)
{
    const int fd = connectLocal(port);
    ASSERT_GE(fd, 0);
    const std::string request = "GET /stav.json HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Pomalu: ano\r\n\r\n";
    const auto t0 = std::chrono::steady_clock::now();
    bool cut = false;
    // One byte a second, for at most 12 seconds; the server gives a head 5 seconds.
    for (std::size_t i = 0; i < request.size() && i < 12; ++i) {
        if (!sendAll(fd, request.substr(i, 1)))
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) > 0) {
            cut = true;
            break;
        }
    }
    const Reply r = parseReply(readAll(fd, 3000));
    ::close(fd);
    EXPECT_TRUE(cut);
    EXPECT_EQ(r.status, 408);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 8s);
    expectHealthy();
}

TEST_F(Server, FiveHundredConnectionsAtOnce)
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_cur < 1200) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 4096);
        setrlimit(RLIMIT_NOFILE, &files);
    }
    std::vector<int> fds;
    for (int i = 0; i < 500; ++i) {
        const int fd = connectLocal(port);
        if (fd >= 0)
            fds.push_back(fd);
    }
    EXPECT_EQ(fds.size(), 500u);
    // Every one of them gets an answer or is closed within the limits; none hangs.
    int answered = 0;
    for (std::size_t i = 0; i < fds.size(); ++i)
        if (i % 2 == 0)
            sendAll(fds[i], "GET /stav.json HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    const auto t0 = std::chrono::steady_clock::now();
    for (const int fd : fds) {
        const Reply r = parseReply(readAll(fd, 15000));
        answered += r.status == 200;
        ::close(fd);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 20s);
    EXPECT_GT(answered, 0);
    expectHealthy();
}

TEST_F(Server, KeepAliveServesSeveralRequestsOnOneConnection)
{
    const int fd = connectLocal(port);
    ASSERT_GE(fd, 0);
    const std::string one = "GET /stav.json HTTP/1.1\r\nHost: x\r\n\r\n";
    sendAll(fd, one + one + "GET /stav.json HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    const std::string raw = readAll(fd);
    ::close(fd);
    std::size_t count = 0;
    for (std::size_t at = raw.find("HTTP/1.1 200"); at != std::string::npos; at = raw.find("HTTP/1.1 200", at + 1))
        ++count;
    EXPECT_EQ(count, 3u);
}

TEST_F(Server, ATakenPortIsPassedAndStopClosesIt)
{
    LiveServer second;
    const int other = second.start("127.0.0.1", kFirst, kLast);
    EXPECT_GT(other, port);
    LiveServer none;
    EXPECT_EQ(none.start("127.0.0.1", port, port), 0) << "the only port is taken";
    second.stop();
    EXPECT_LT(connectLocal(other), 0) << "stopped: nothing listens";

    // Stopping while a client sits idle on a connection does not wait for it.
    const int idle = connectLocal(port);
    ASSERT_GE(idle, 0);
    std::this_thread::sleep_for(100ms);
    const auto t0 = std::chrono::steady_clock::now();
    server.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 500ms);
    EXPECT_LT(connectLocal(port), 0);
    ::close(idle);
}

TEST(HeadCheck, FindsTheEndOfTheHeadWithinItsBounds)
{
    ServerLimits l;
    l.requestLine = 20;
    l.headBytes = 64;
    l.headLines = 3;
    struct Case {
        std::string bytes;
        HeadCheck::Kind kind;
        std::size_t length;
    };
    const Case cases[] = {
        {"", HeadCheck::NeedMore, 0},
        {"GET / HTTP/1.1\r\n", HeadCheck::NeedMore, 0},
        {"GET / HTTP/1.1\r\n\r\n", HeadCheck::Complete, 18},
        {"GET / HTTP/1.1\r\nA: b\r\n\r\nGET", HeadCheck::Complete, 24},
        {"GET / HTTP/1.1\n\n", HeadCheck::Complete, 16},
        {"GET /" + std::string(30, 'x'), HeadCheck::LineTooLong, 0},
        {"GET /" + std::string(30, 'x') + "\r\n\r\n", HeadCheck::LineTooLong, 0},
        {"GET / HTTP/1.1\r\nA: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\n\r\n", HeadCheck::HeadTooLarge, 0},
        {"GET / HTTP/1.1\r\nA: " + std::string(60, 'y'), HeadCheck::HeadTooLarge, 0},
    };
    for (const Case& c : cases) {
        const HeadCheck h = checkHead(c.bytes, l);
        EXPECT_EQ(h.kind, c.kind) << c.bytes;
        EXPECT_EQ(h.length, c.length) << c.bytes;
    }
}

TEST(LanAddress, IsAnIPv4Address)
{
    const std::string a = lanAddress();
    in_addr parsed{};
    EXPECT_EQ(inet_pton(AF_INET, a.c_str(), &parsed), 1) << a;
}
