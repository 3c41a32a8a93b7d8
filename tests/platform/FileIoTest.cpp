// Reads open only regular files of a bounded size; killed saves leave no
// temporary files for ever; one lock per data folder.
#include "platform/FileIo.h"
#include "platform/FolderLock.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

// A process ID that ran and is gone.
pid_t DeadProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(BoundedReads, SpecialAndOversizedFilesAreRefusedWithoutWaiting) {
    test::TempDir dir;
    // A FIFO with no writer would block a plain open for ever.
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    errno = 0;
    EXPECT_FALSE(ReadWholeFile(fifo));
    EXPECT_EQ(errno, kNotARegularFile);
    EXPECT_FALSE(ReadFilePrefix(fifo, 1885));
    EXPECT_EQ(DescribeReadError(fifo, kNotARegularFile), fifo + " is not a regular file");

    // /dev/zero never ends; a folder is no file.
    EXPECT_FALSE(ReadWholeFile("/dev/zero"));
    EXPECT_EQ(errno, kNotARegularFile);
    EXPECT_FALSE(ReadFilePrefix("/dev/zero", 16));
    EXPECT_FALSE(ReadWholeFile(dir.path()));

    // A (sparse) file past the limit is refused before anything is read.
    const std::string huge = dir / "huge.ini";
    std::filesystem::resize_file((std::ofstream(huge), huge), kMaxTextFileBytes + 1);
    EXPECT_FALSE(ReadWholeFile(huge));
    EXPECT_EQ(errno, kFileTooLarge);
    EXPECT_NE(DescribeReadError(huge, kFileTooLarge).find("is larger than 8388608 bytes"), std::string::npos);
    EXPECT_EQ(ReadFilePrefix(huge, 4)->size(), 4u); // a prefix is bounded by itself

    // Regular files read whole up to the limit given, and not past it.
    ASSERT_EQ(WriteFileAtomic(dir / "ten", "0123456789"), 0);
    EXPECT_EQ(*ReadWholeFile(dir / "ten", 10), "0123456789");
    EXPECT_FALSE(ReadWholeFile(dir / "ten", 9));
    EXPECT_FALSE(ReadWholeFile(dir / "missing"));
    EXPECT_EQ(errno, ENOENT);
}

TEST(StaleTemporaries, OnlyThoseOfProcessesThatAreGoneAreRemoved) {
    test::TempDir dir;
    const std::string dead = dir / ("config0.bin" + std::string(kTemporarySuffix) + std::to_string(DeadProcessId()));
    const std::string alive = dir / ("str0.ini" + std::string(kTemporarySuffix) + std::to_string(::getpid()));
    const std::string other = dir / "notes.tmp-abc";
    for (const std::string& path : {dead, alive, other}) ASSERT_EQ(WriteFileAtomic(path, "x"), 0);
    EXPECT_EQ(RemoveStaleTemporaries(dir.path()), std::vector<std::string>{dead});
    EXPECT_TRUE(FileExists(alive));
    EXPECT_TRUE(FileExists(other));
}

// A 1885-byte file that carries its save's number.
std::string NumberedSave(int number) {
    std::string image = std::to_string(number) + ";";
    image.resize(1885, 'x');
    return image;
}

TEST(StaleTemporaries, ASaveKilledHalfWayLeavesTheOldOrTheNewFileAndNoTemporary) {
    test::TempDir dir;
    const std::string path = dir / "config0.bin";
    ASSERT_EQ(WriteFileAtomic(path, NumberedSave(0)), 0);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            // Saves for ever; one byte down the pipe after each finished save.
            for (int i = 1;; ++i) {
                if (WriteFileAtomic(path, NumberedSave(i)) == 0) (void)!::write(done[1], "s", 1);
            }
        }
        ::close(done[1]);
        // The writer is killed after a different number of finished saves each round.
        const int finished = 1 + round * 3;
        char byte = 0;
        for (int i = 0; i < finished; ++i) ASSERT_EQ(::read(done[0], &byte, 1), 1) << "the writer stopped saving";
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(done[0]);
        // The file is one whole save, at least as late as the last one reported.
        const auto contents = ReadWholeFile(path);
        ASSERT_TRUE(contents);
        const int number = std::atoi(contents->c_str());
        EXPECT_GE(number, finished);
        EXPECT_EQ(*contents, NumberedSave(number));
        RemoveStaleTemporaries(dir.path());
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename(), "config0.bin");
    }
}

TEST(TempDirTest, AFolderThatCannotBeMadeFailsTheTest) {
    // Nothing can be made in /proc, not even by root.
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("TMPDIR", "/proc", 1);
    EXPECT_THROW(test::TempDir(), std::runtime_error);
    if (saved != nullptr) ::setenv("TMPDIR", previous.c_str(), 1);
    else ::unsetenv("TMPDIR");
}

TEST(FolderLockTest, ASecondProcessWaitsThenGivesUpAndOneProcessMayNest) {
    test::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        FolderLock lock(dir.path());
        char byte = lock.busy() ? 'b' : 'k';
        (void)!::write(ready[1], &byte, 1);
        ::sleep(30);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'k');
    {
        FolderLock second(dir.path(), std::chrono::milliseconds(100));
        EXPECT_TRUE(second.busy());
        EXPECT_NE(second.BusyMessage().find("another copy of the program is saving in " + dir.path()), std::string::npos);
    }
    ::kill(holder, SIGKILL); // the kernel drops a dead process's lock
    ::waitpid(holder, nullptr, 0);
    FolderLock outer(dir.path(), std::chrono::milliseconds(1000));
    EXPECT_FALSE(outer.busy());
    FolderLock inner(dir.path(), std::chrono::milliseconds(0));
    EXPECT_FALSE(inner.busy());
    // A folder where no lock file can be made is not locked, and not busy.
    FolderLock nowhere(dir / "missing", std::chrono::milliseconds(0));
    EXPECT_FALSE(nowhere.busy());
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace qv530
