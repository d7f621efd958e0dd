// The phones page served over HTTP: the connections, their bounds and the three answers. Built into
// a module of its own that the program loads when the page is first turned on, so that the HTTP
// library and what it pulls in (TLS, compression) are not loaded by every start.

#include "server/LiveServer.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <set>
#include <vector>

namespace zorbon {
namespace {

using Clock = std::chrono::steady_clock;

// Set on the accepting thread while it turns a connection away itself, instead of queueing it.
thread_local bool tl_turnAway = false;
// Set by a handler whose request leaves unread bytes behind (a body, a method we do not serve).
thread_local bool tl_closeAfter = false;

const char* const kPaths[] = {"/", "/stav.json", "/pavouk.svg"};

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

bool waitFor(int fd, short events, int ms)
{
    pollfd p{fd, events, 0};
    return ::poll(&p, 1, ms) > 0;
}

bool sameTag(const std::string& header, const std::string& tag)
{
    // If-None-Match may list several tags, or "*".
    std::size_t pos = 0;
    while (pos < header.size()) {
        std::size_t end = header.find(',', pos);
        if (end == std::string::npos)
            end = header.size();
        std::string_view one(header.data() + pos, end - pos);
        while (!one.empty() && (one.front() == ' ' || one.front() == '\t'))
            one.remove_prefix(1);
        while (!one.empty() && (one.back() == ' ' || one.back() == '\t'))
            one.remove_suffix(1);
        if (one.starts_with("W/"))
            one.remove_prefix(2);
        if (one == tag || one == "*")
            return true;
        pos = end + 1;
    }
    return false;
}

// Answers served from a request head already read whole: reads never wait, and never go past it.
class HeadStream : public httplib::Stream {
public:
    HeadStream(int fd, const std::atomic<bool>& stopping, int writeMs)
        : m_fd(fd)
        , m_stopping(stopping)
        , m_writeMs(writeMs)
    {
    }
    void setHead(std::string head)
    {
        m_head = std::move(head);
        m_pos = 0;
    }
    bool is_readable() const override { return m_pos < m_head.size(); }
    bool is_writable() const override { return !m_stopping.load(); }
    ssize_t read(char* ptr, size_t size) override
    {
        const std::size_t n = std::min(size, m_head.size() - m_pos);
        std::copy_n(m_head.data() + m_pos, n, ptr);
        m_pos += n;
        return static_cast<ssize_t>(n);
    }
    ssize_t write(const char* ptr, size_t size) override
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(m_writeMs);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t k = ::send(m_fd, ptr + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (k > 0) {
                done += static_cast<std::size_t>(k);
                continue;
            }
            if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                if (m_stopping.load() || msLeft(deadline) == 0)
                    return -1;
                waitFor(m_fd, POLLOUT, std::min(100, msLeft(deadline)));
                continue;
            }
            return -1;
        }
        return static_cast<ssize_t>(size);
    }
    void get_remote_ip_and_port(std::string& ip, int& port) const override { address(true, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { address(false, ip, port); }
    socket_t socket() const override { return m_fd; }

private:
    void address(bool remote, std::string& ip, int& port) const
    {
        sockaddr_storage a{};
        socklen_t len = sizeof a;
        const int r = remote ? ::getpeername(m_fd, reinterpret_cast<sockaddr*>(&a), &len)
                             : ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        ip.clear();
        port = 0;
        if (r != 0 || a.ss_family != AF_INET)
            return;
        const auto* in = reinterpret_cast<const sockaddr_in*>(&a);
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
        ip = text;
        port = ntohs(in->sin_port);
    }

    int m_fd;
    const std::atomic<bool>& m_stopping;
    int m_writeMs;
    std::string m_head;
    std::size_t m_pos = 0;
};

// A fixed set of workers and a bounded queue: a connection beyond it is answered 503 at once by the
// accepting thread rather than waiting without end.
class BoundedQueue : public httplib::TaskQueue {
public:
    BoundedQueue(int workers, int queued, std::atomic<int>& waiting)
        : m_queued(static_cast<std::size_t>(queued))
        , m_waiting(waiting)
    {
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { work(); });
    }
    void enqueue(std::function<void()> fn) override
    {
        {
            std::unique_lock lock(m_mutex);
            if (m_jobs.size() < m_queued) {
                m_jobs.push_back(std::move(fn));
                ++m_waiting;
                lock.unlock();
                m_cond.notify_one();
                return;
            }
        }
        tl_turnAway = true;
        fn();
        tl_turnAway = false;
    }
    void shutdown() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_shutdown = true;
        }
        m_cond.notify_all();
        for (auto& t : m_threads)
            t.join();
    }

private:
    void work()
    {
        for (;;) {
            std::function<void()> fn;
            {
                std::unique_lock lock(m_mutex);
                m_cond.wait(lock, [this] { return !m_jobs.empty() || m_shutdown; });
                if (m_jobs.empty())
                    return;
                fn = std::move(m_jobs.front());
                m_jobs.pop_front();
                --m_waiting;
            }
            fn();
        }
    }
    std::size_t m_queued;
    std::atomic<int>& m_waiting;
    std::vector<std::thread> m_threads;
    std::deque<std::function<void()>> m_jobs;
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_shutdown = false;
};

void setSecurityHeaders(httplib::Response& res, const char* policy)
{
    res.set_header("Content-Security-Policy", policy);
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("Cache-Control", "no-cache");
}

constexpr const char* kPagePolicy = "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
                                    "connect-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'; "
                                    "frame-ancestors 'none'";
// The bracket picture runs nothing, whatever a name in it says.
constexpr const char* kSvgPolicy = "default-src 'none'; style-src 'unsafe-inline'; frame-ancestors 'none'";

void plain(httplib::Response& res, int status, const std::string& text)
{
    res.status = status;
    res.set_content(text, "text/plain; charset=utf-8");
    setSecurityHeaders(res, kSvgPolicy);
}

} // namespace

struct LiveServer::Impl : LiveServer::Engine, httplib::Server {
    Impl(LiveServer& owner, const ServerLimits& limits)
        : m_owner(owner)
        , m_limits(limits)
    {
        new_task_queue = [this] { return new BoundedQueue(m_limits.workers, m_limits.queued, m_waiting); };
        // Only SO_REUSEADDR: with SO_REUSEPORT a second server could share a port that is taken.
        set_socket_options([](socket_t sock) {
            int yes = 1;
            ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        set_keep_alive_max_count(static_cast<std::size_t>(limits.keepAlive));
        set_keep_alive_timeout(std::max(1, limits.idleMs / 1000));
        set_read_timeout(std::max(1, limits.headMs / 1000));
        set_write_timeout(std::max(1, limits.writeMs / 1000));
        set_payload_max_length(0);
        set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
            if (req.method != "GET" && req.method != "HEAD") {
                tl_closeAfter = true;
                plain(res, 405, "Povoleno je jen čtení (GET, HEAD).\n");
                res.set_header("Allow", "GET, HEAD");
                return HandlerResponse::Handled;
            }
            if (req.has_header("Content-Length") || req.has_header("Transfer-Encoding")) {
                tl_closeAfter = true;
                plain(res, 400, "Požadavek nemá mít tělo.\n");
                return HandlerResponse::Handled;
            }
            for (const char* path : kPaths)
                if (req.path == path)
                    return HandlerResponse::Unhandled;
            plain(res, 404, "Stránka nenalezena.\n");
            return HandlerResponse::Handled;
        });
        Get("/", [this](const httplib::Request& req, httplib::Response& res) {
            static const std::string page(livePage());
            static const std::string tag = entityTag(page);
            answer(req, res, page, tag, "text/html; charset=utf-8", kPagePolicy);
        });
        Get("/stav.json", [this](const httplib::Request& req, httplib::Response& res) {
            if (m_owner.beforeAnswer)
                m_owner.beforeAnswer(req.path);
            const auto s = m_owner.snapshot();
            if (!s)
                return plain(res, 503, "Stav ještě není k dispozici.\n");
            answer(req, res, s->json, s->jsonTag, "application/json; charset=utf-8", kSvgPolicy);
        });
        Get("/pavouk.svg", [this](const httplib::Request& req, httplib::Response& res) {
            const auto s = m_owner.snapshot();
            if (s && s->svg.empty() && !s->svgProblem.empty())
                return plain(res, 503, s->svgProblem + "\n");
            if (!s || s->svg.empty())
                return plain(res, 404, "Pavouk ještě není rozlosován.\n");
            answer(req, res, s->svg, s->svgTag, "image/svg+xml; charset=utf-8", kSvgPolicy);
        });
    }

    void answer(const httplib::Request& req, httplib::Response& res, const std::string& body, const std::string& tag,
                const char* type, const char* policy)
    {
        setSecurityHeaders(res, policy);
        res.set_header("ETag", tag);
        if (sameTag(req.get_header_value("If-None-Match"), tag)) {
            res.status = 304;
            return;
        }
        res.set_content(body, type);
    }

    // Every connection passes here: the head is waited for within its bounds before the library
    // parses it, so no client holds a worker longer than the limits allow.
    bool process_and_close_socket(socket_t sock) override
    {
        if (tl_turnAway || m_stopping.load()) {
            ++m_owner.m_refused;
            static constexpr std::string_view busy = "HTTP/1.1 503 Service Unavailable\r\nRetry-After: 1\r\n"
                                                     "Content-Length: 0\r\nConnection: close\r\n\r\n";
            [[maybe_unused]] const auto sent = ::send(sock, busy.data(), busy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::shutdown(sock, SHUT_RDWR);
            ::close(sock);
            return true;
        }
        track(sock, true);
        ++m_active;
        HeadStream stream(sock, m_stopping, m_limits.writeMs);
        for (int served = 0; !m_stopping.load(); ++served) {
            std::string head;
            // While others wait for a worker, a connection that sends nothing gives its worker up soon.
            const bool crowded = m_waiting.load() > 0;
            const int idle = crowded ? std::min(m_limits.idleMs, 250)
                                     : (served == 0 ? m_limits.idleMs : std::min(m_limits.idleMs, 2000));
            const int status = readHead(sock, idle, head);
            if (status == 0)
                break; // closed, idle too long, or the server stops
            if (status != 200) {
                refuse(sock, status);
                break;
            }
            // A method the library does not know it would call a bad request; it is one we do not allow.
            if (!head.starts_with("GET ") && !head.starts_with("HEAD ")) {
                refuse(sock, 405);
                break;
            }
            stream.setHead(std::move(head));
            const bool busy = m_active.load() > m_limits.workers * 3 / 4;
            const bool closeAfter = busy || served + 1 >= m_limits.keepAlive;
            bool closed = false;
            tl_closeAfter = false;
            const bool ok = process_request(stream, closeAfter, closed, [](httplib::Request&) {});
            ++m_owner.m_answered;
            if (!ok || closed || closeAfter || tl_closeAfter)
                break;
        }
        --m_active;
        track(sock, false);
        ::shutdown(sock, SHUT_WR);
        drain(sock, 200);
        ::close(sock);
        return true;
    }

    // 200 with the head read, 0 when nothing came, or the status to refuse with.
    int readHead(int fd, int idleMs, std::string& head)
    {
        std::vector<char> buf(m_limits.headBytes + 1);
        auto deadline = Clock::now() + std::chrono::milliseconds(idleMs);
        bool started = false;
        while (!m_stopping.load()) {
            const ssize_t n = ::recv(fd, buf.data(), buf.size(), MSG_PEEK | MSG_DONTWAIT);
            if (n == 0)
                return 0;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                return 0;
            if (n > 0) {
                if (!started) {
                    started = true;
                    deadline = Clock::now() + std::chrono::milliseconds(m_limits.headMs);
                }
                const HeadCheck check = checkHead(std::string_view(buf.data(), static_cast<std::size_t>(n)), m_limits);
                if (check.kind == HeadCheck::LineTooLong)
                    return 414;
                if (check.kind == HeadCheck::HeadTooLarge)
                    return 431;
                if (check.kind == HeadCheck::Complete) {
                    head.resize(check.length);
                    const ssize_t got = ::recv(fd, head.data(), head.size(), MSG_WAITALL);
                    return got == static_cast<ssize_t>(head.size()) ? 200 : 0;
                }
            }
            const int left = msLeft(deadline);
            if (left == 0)
                return started ? 408 : 0;
            // The peek sees the same bytes until more arrive: wait for them, not in a busy loop.
            // A peer that sent part of a head keeps the socket readable: sleep a little instead.
            if (n > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, 20)));
            } else {
                waitFor(fd, POLLIN, std::min(left, 100));
            }
        }
        return 0;
    }

    void refuse(int fd, int status)
    {
        const char* reason = status == 414   ? "414 URI Too Long"
                             : status == 431 ? "431 Request Header Fields Too Large"
                             : status == 405 ? "405 Method Not Allowed\r\nAllow: GET, HEAD"
                                             : "408 Request Timeout";
        char text[160];
        const int len =
            std::snprintf(text, sizeof text, "HTTP/1.1 %s\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", reason);
        [[maybe_unused]] const auto sent = ::send(fd, text, static_cast<std::size_t>(len), MSG_NOSIGNAL | MSG_DONTWAIT);
        ::shutdown(fd, SHUT_WR);
        // What the client still sends is read and dropped for a moment, so that closing does not
        // reset the connection before it reads the answer.
        drain(fd, 300);
    }

    void drain(int fd, int ms)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        char sink[16384];
        std::size_t total = 0;
        while (total < (8u << 20) && !m_stopping.load() && msLeft(deadline) > 0) {
            if (!waitFor(fd, POLLIN, std::min(100, msLeft(deadline))))
                continue;
            const ssize_t n = ::recv(fd, sink, sizeof sink, MSG_DONTWAIT);
            if (n <= 0)
                break;
            total += static_cast<std::size_t>(n);
        }
    }

    void track(int fd, bool add)
    {
        std::lock_guard lock(m_fdMutex);
        if (add)
            m_fds.insert(fd);
        else
            m_fds.erase(fd);
    }

    bool bind(const std::string& host, int port) override
    {
        if (!bind_to_port(host, port))
            return false;
        // The library listens with a backlog of five; a room of phones connecting at once needs more.
        ::listen(svr_sock_.load(), 1024);
        return true;
    }
    void run() override { listen_after_bind(); }
    bool isRunning() const override { return is_running(); }
    void shutdown() override
    {
        m_stopping = true;
        stop();
        shutdownAll();
    }

    // Wakes every connection's thread: their sockets read end-of-file from now on.
    void shutdownAll()
    {
        std::lock_guard lock(m_fdMutex);
        for (const int fd : m_fds)
            ::shutdown(fd, SHUT_RDWR);
    }

    LiveServer& m_owner;
    ServerLimits m_limits;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_active{0};
    std::atomic<int> m_waiting{0}; // accepted connections queued for a worker
    std::mutex m_fdMutex;
    std::set<int> m_fds;
};

} // namespace zorbon

extern "C" __attribute__((visibility("default"))) zorbon::LiveServer::Engine*
zorbon_live_engine(zorbon::LiveServer& owner, const zorbon::ServerLimits& limits)
{
    return new zorbon::LiveServer::Impl(owner, limits);
}
