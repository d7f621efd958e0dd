#include "journal/lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zorbon {

FolderLock::FolderLock(const std::string& folder)
{
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_held = true; // a folder that cannot be opened cannot be shared either; the commands report it
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_held = true;
        return;
    }
    // Only another holder refuses; a file system without locks lets the program run unguarded.
    m_held = errno != EWOULDBLOCK;
    if (!m_held) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace zorbon
