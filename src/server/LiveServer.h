#pragma once
// The phones page's server: answers GET and HEAD for "/", "/stav.json" and "/pavouk.svg" from the
// snapshot last published, on its own threads, so the window thread never waits for the network.
// Bounded in every way an open venue network could abuse: the request head's size, lines and
// time, the idle time between requests, and the number of connections.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace zorbon {

// One state of the tournament as served: made whole on the window thread, never changed after.
struct LiveSnapshot {
    std::string json;
    std::string svg;
    // Derived from the bodies, so a phone's ETag from an earlier run never matches another state.
    std::string jsonTag;
    std::string svgTag;
    // Why a drawn bracket has no picture (its module is missing), answered instead of the picture.
    std::string svgProblem;
};

// A strong ETag for these bytes ("\"z<16 hex digits>\"").
std::string entityTag(std::string_view body);

// The one page: its CSS and script inline, nothing fetched from anywhere but this server.
std::string_view livePage();

struct ServerLimits {
    int workers = 48;               // connections served at once
    int queued = 192;               // accepted connections waiting for a worker; beyond: 503
    std::size_t requestLine = 2048; // longer: 414
    std::size_t headBytes = 16384;  // a longer head: 431
    int headLines = 64;             // more header lines: 431
    int headMs = 5000;              // a whole request head must arrive within this
    int idleMs = 3000;              // wait for the first byte of a request
    int keepAlive = 20;             // requests on one connection while the server is not busy
    int writeMs = 3000;             // a client that does not read its answer is dropped
};

// What a request head's first bytes tell: wait for more, the head is whole (its length), or too
// long a request line or head.
struct HeadCheck {
    enum Kind { NeedMore, Complete, LineTooLong, HeadTooLarge } kind = NeedMore;
    std::size_t length = 0; // Complete: bytes up to and including the blank line
};
HeadCheck checkHead(std::string_view bytes, const ServerLimits& limits);

class LiveServer {
public:
    explicit LiveServer(ServerLimits limits = {});
    ~LiveServer(); // stops
    LiveServer(const LiveServer&) = delete;
    LiveServer& operator=(const LiveServer&) = delete;

    // Listens on `host` at the first free port of first..last and returns it, or 0 when none is
    // free (or the server already runs).
    int start(const std::string& host, int first, int last);
    // Closes the port and every connection; returns when the server's threads have ended.
    void stop();
    bool running() const { return m_port != 0; }
    int port() const { return m_port; }

    // The state to serve from now on (safe from any thread).
    void publish(std::shared_ptr<const LiveSnapshot> snapshot) { m_snapshot.store(std::move(snapshot)); }
    std::shared_ptr<const LiveSnapshot> snapshot() const { return m_snapshot.load(); }

    // Called on the server's thread before each answer with the path asked for (tests hold a poll
    // here until they have changed the state). Set it before start().
    std::function<void(const std::string& path)> beforeAnswer;

    // Requests answered and connections turned away since start (for tests and the benchmark).
    std::uint64_t answered() const { return m_answered.load(); }
    std::uint64_t refused() const { return m_refused.load(); }

    // What serves the connections, made by the serving module on the first start.
    class Engine {
    public:
        virtual ~Engine() = default;
        virtual bool bind(const std::string& host, int port) = 0; // false when the port is taken
        virtual void run() = 0;                                   // on the server's thread until shut down
        virtual bool isRunning() const = 0;
        virtual void shutdown() = 0; // refuses from now on, stops listening, wakes every connection
    };
    struct Impl;

private:
    ServerLimits m_limits;
    std::unique_ptr<Engine> m_engine;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<std::shared_ptr<const LiveSnapshot>> m_snapshot;
    std::atomic<std::uint64_t> m_answered{0};
    std::atomic<std::uint64_t> m_refused{0};
};

// The address a phone on the venue's network reaches this computer at: the first IPv4 address of
// an interface that is up and not the loopback, or "127.0.0.1" when there is none.
std::string lanAddress();

} // namespace zorbon
