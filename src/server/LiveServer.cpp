#include "server/LiveServer.h"

#include "server/ModulePlaces.h"

#include <arpa/inet.h>
#include <dlfcn.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zorbon {
namespace {

using MakeEngine = LiveServer::Engine* (*)(LiveServer&, const ServerLimits&);

// The serving module, where the installed program keeps it or where the build put it. Loaded once
// and never unloaded: the engines it makes run its code until they are destroyed.
MakeEngine engineMaker()
{
    static const MakeEngine make = []() -> MakeEngine {
        std::error_code ec;
        for (const auto& place : modulePlaces(ZORBON_PHONES_FILE, ZORBON_PHONES_BUILD_DIR)) {
            if (!std::filesystem::exists(place, ec))
                continue;
            if (void* module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL))
                if (void* entry = ::dlsym(module, "zorbon_live_engine"))
                    return reinterpret_cast<MakeEngine>(entry);
        }
        return nullptr;
    }();
    return make;
}

} // namespace

LiveServer::LiveServer(ServerLimits limits)
    : m_limits(limits)
{
}

LiveServer::~LiveServer()
{
    stop();
}

int LiveServer::start(const std::string& host, int first, int last)
{
    if (m_engine)
        return 0;
    const MakeEngine make = engineMaker();
    if (!make)
        return 0;
    std::unique_ptr<Engine> engine(make(*this, m_limits));
    int port = 0;
    for (int p = first; p <= last && !port; ++p)
        if (engine->bind(host, p))
            port = p;
    if (!port)
        return 0;
    Engine* raw = engine.get();
    m_engine = std::move(engine);
    m_answered = 0;
    m_refused = 0;
    m_thread = std::thread([raw] { raw->run(); });
    // stop() can close the port only once the loop runs.
    for (int i = 0; i < 2000 && !raw->isRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    m_port = port;
    return port;
}

void LiveServer::stop()
{
    if (!m_engine)
        return;
    m_engine->shutdown();
    if (m_thread.joinable())
        m_thread.join();
    m_engine.reset();
    m_port = 0;
}

std::string lanAddress()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return "127.0.0.1";
    std::string found;
    for (const ifaddrs* i = list; i && found.empty(); i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP) ||
            (i->ifa_flags & IFF_LOOPBACK))
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        if ((ntohl(in->sin_addr.s_addr) >> 24) == 127)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            found = text;
    }
    ::freeifaddrs(list);
    return found.empty() ? std::string("127.0.0.1") : found;
}

} // namespace zorbon
