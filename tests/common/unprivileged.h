#pragma once
// Running a test step as a user without root's rights, where root would write into read-only
// folders and files anyway.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

// Runs body without the right to write into read-only folders, and fails if it failed: as root, in
// a child that has become the unprivileged user, whose gtest failures come back as its exit status.
inline void withoutRoot(const std::function<void()>& body)
{
    if (::geteuid() != 0) {
        body();
        return;
    }
    std::fflush(stdout);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        body();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged child died";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged child failed (see above)";
}
