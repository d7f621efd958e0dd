#pragma once
// One program per working folder: a second one would write the same journal and working files.

#include <string>

namespace zorbon {

// Holds an exclusive lock on the working folder itself while it lives. The kernel drops the lock
// when the process ends however it ends, so a killed program never blocks the next start, and taking
// it creates and changes no file.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder = ".");
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the folder.
    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

inline constexpr const char* kAlreadyRunning = "Zorbon už v této složce běží.";

} // namespace zorbon
