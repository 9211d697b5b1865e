#pragma once
// Runs part of a test as a user without special rights. The tests run as root in CI, where no
// permission refuses anything, so what permissions decide is tried as "nobody" there.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct TestUser {
    uid_t uid;
    gid_t gid;
};

// "nobody" when the test runs as root; the test's own user otherwise.
inline TestUser unprivilegedUser()
{
    if (::geteuid() != 0)
        return {::geteuid(), ::getegid()};
    const passwd* pw = ::getpwnam("nobody");
    return pw ? TestUser{pw->pw_uid, pw->pw_gid} : TestUser{65534, 65534};
}

// Hands a folder the test made over to that user.
inline void giveToUnprivilegedUser(const std::string& path)
{
    const TestUser user = unprivilegedUser();
    ASSERT_EQ(::chown(path.c_str(), user.uid, user.gid), 0) << path;
}

// Runs `part` as that user: in a child process that gives up root when the test runs as root,
// whose failures fail the test; in the test itself otherwise.
inline void asUnprivilegedUser(const std::function<void()>& part)
{
    if (::geteuid() != 0) {
        part();
        return;
    }
    const TestUser user = unprivilegedUser();
    const bool failedBefore = ::testing::Test::HasFailure();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0)
            ::_exit(3);
        part();
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() && !failedBefore ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the part run as an unprivileged user ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the part run as an unprivileged user failed (its messages are above)";
}
#endif
