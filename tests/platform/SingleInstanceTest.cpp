#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/SingleInstance.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(RuntimeFolder, XdgRuntimeDirElseAPrivateFolderInTmp) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(RuntimeFolder(), "/run/user/4242");
    for (const char* unusable : {"", "relative/dir"}) {
        ::setenv("XDG_RUNTIME_DIR", unusable, 1);
        const std::string fallback = "/tmp/qv530-10800rad-" + std::to_string(::getuid());
        EXPECT_EQ(RuntimeFolder(), fallback);
        struct stat info {};
        ASSERT_EQ(::lstat(fallback.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    if (previous) ::setenv("XDG_RUNTIME_DIR", previous->c_str(), 1);
    else ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(RuntimeFolder, OnlyAPrivateFolderOfThisUserIsUsed) {
    test::TempDir temp;
    const std::string made = temp / "made";
    EXPECT_EQ(PrivateFolder(made), made);
    struct stat info {};
    ASSERT_EQ(::stat(made.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(PrivateFolder(made), made); // existing and private

    const std::string open = temp / "open";
    ASSERT_EQ(::mkdir(open.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0777), 0);
    EXPECT_EQ(PrivateFolder(open), "");
    const std::string link = temp / "link";
    ASSERT_EQ(::symlink(made.c_str(), link.c_str()), 0);
    EXPECT_EQ(PrivateFolder(link), "");
    const std::string file = temp / "file";
    ::close(::open(file.c_str(), O_CREAT | O_WRONLY, 0600));
    EXPECT_EQ(PrivateFolder(file), "");
    EXPECT_EQ(PrivateFolder(temp / "missing/deeper"), "");
}

TEST(SingleInstanceLock, OneHolderAtATimeInThisProcess) {
    test::TempDir folder;
    auto first = std::make_unique<SingleInstanceLock>();
    ASSERT_TRUE(first->Acquire(folder.path())) << first->error();
    EXPECT_TRUE(first->held());
    EXPECT_TRUE(first->Acquire(folder.path())); // again: still held, nothing changes

    SingleInstanceLock second;
    EXPECT_FALSE(second.Acquire(folder.path()));
    EXPECT_TRUE(second.AnotherCopyRuns());
    EXPECT_TRUE(second.error().empty());
    EXPECT_FALSE(second.held());

    first.reset();
    EXPECT_TRUE(second.Acquire(folder.path()));
    EXPECT_FALSE(second.AnotherCopyRuns());
    // The lock file stays; removing it would let two copies lock two files.
    EXPECT_EQ(::access((folder / kInstanceLockName).c_str(), F_OK), 0);
}

TEST(SingleInstanceLock, AnotherProcessHoldsItUntilItDies) {
    test::TempDir folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock;
        const char answer = lock.Acquire(folder.path()) ? 'y' : 'n';
        if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
        for (;;) ::pause(); // until killed: the kernel must release the lock
    }
    ::close(ready[1]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(answer, 'y');

    SingleInstanceLock lock;
    EXPECT_FALSE(lock.Acquire(folder.path()));
    EXPECT_TRUE(lock.AnotherCopyRuns());

    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(lock.Acquire(folder.path())) << lock.error();
}

TEST(SingleInstanceLock, AnUnusableFolderIsAnErrorNotAnotherCopy) {
    test::TempDir folder;
    for (const std::string& bad : {std::string{}, folder / "missing"}) {
        SingleInstanceLock lock;
        EXPECT_FALSE(lock.Acquire(bad));
        EXPECT_FALSE(lock.AnotherCopyRuns());
        EXPECT_FALSE(lock.error().empty());
    }
    // A symbolic link in place of the lock file is not followed.
    ASSERT_EQ(::symlink((folder / "elsewhere").c_str(), (folder / kInstanceLockName).c_str()), 0);
    SingleInstanceLock lock;
    EXPECT_FALSE(lock.Acquire(folder.path()));
    EXPECT_FALSE(lock.AnotherCopyRuns());
    EXPECT_EQ(::access((folder / "elsewhere").c_str(), F_OK), -1);
}

} // namespace
} // namespace qv530
