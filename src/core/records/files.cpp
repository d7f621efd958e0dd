#include "records/files.h"

#include "records/errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zorbon {
namespace {

// A missing folder is "Path not found", as the run-time tells it apart from a missing file.
[[noreturn]] void throwForPath(const std::filesystem::path& path, int err)
{
    if (err == ENOENT) {
        std::error_code ec;
        const auto parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
            err = ENOTDIR;
    }
    throwIo(err);
}

class Fd {
public:
    explicit Fd(int fd)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

std::atomic<std::uint64_t> g_flushes{0};

int syncData(int fd)
{
    ++g_flushes;
    return ::fdatasync(fd);
}

// Makes a rename in the folder durable; a failure here loses nothing already written.
void syncFolder(const std::filesystem::path& dir)
{
    Fd dirFd(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) {
        ++g_flushes;
        ::fsync(dirFd.get());
    }
}

} // namespace

std::string readWholeFile(const std::filesystem::path& path)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throwForPath(path, errno);
    std::string data;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwIo(errno);
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    return data;
}

std::string readFilePrefix(const std::filesystem::path& path, std::size_t count)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throwForPath(path, errno);
    std::string data(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd.get(), data.data() + got, count - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwIo(errno);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return data;
}

void replaceFile(const std::filesystem::path& path, std::string_view bytes, Flush flush)
{
    const auto dir = path.parent_path();
    std::string tmpl = (dir.empty() ? std::filesystem::path(".") : dir) / (".zorbon-XXXXXX");
    Fd fd(::mkstemp(tmpl.data()));
    if (fd.get() < 0)
        throwForPath(path, errno);
    auto fail = [&](int err) {
        ::unlink(tmpl.c_str());
        throwForPath(path, err);
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd.get(), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; a working file is as readable as any other the operator saves.
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    ::fchmod(fd.get(), 0644 & ~mask);
    if (flush == Flush::Now && syncData(fd.get()) != 0)
        fail(errno);
    if (::close(fd.release()) != 0)
        fail(errno);
    if (::rename(tmpl.c_str(), path.c_str()) != 0)
        fail(errno);
    if (flush == Flush::Now)
        syncFolder(dir);
}

void flushToDisk(std::initializer_list<std::filesystem::path> paths)
{
    std::vector<std::filesystem::path> folders;
    for (const auto& path : paths) {
        Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() >= 0)
            syncData(fd.get());
        if (std::find(folders.begin(), folders.end(), path.parent_path()) == folders.end())
            folders.push_back(path.parent_path());
    }
    for (const auto& dir : folders)
        syncFolder(dir);
}

std::uint64_t flushCount()
{
    return g_flushes.load();
}

} // namespace zorbon
