// qv530ctl under faults: a damaged profile list, a full disk, special
// files, a failed save, two runs at once. Grouped by what must hold.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/SettingCommands.h"
#include "platform/FaultPoint.h"
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/FactoryFiles.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

constexpr std::size_t kRateByte = 1 + 5; // flag byte, then the record's report rate
const std::vector<std::string> kApply{"--emulate", "a11d", "--fast", "--trace", "-"};

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("LC_ALL", "C", 1); // English captions ("Setting-EN")
        ::alarm(120); // a read that blocks must fail the test, not hang it
    }
    void TearDown() override { ::alarm(0); }
    void Prepare() { PrepareDataFolder(err, "qv530ctl"); }
    std::string Data(const std::string& name) const { return home.path() + "/.config/QV530-10800rad/" + name; }
    void ProfileList(const std::string& count) {
        ASSERT_EQ(WriteProfileString(Data("str.ini"), "Profile", "ItemCount", count), 0);
    }
    // A configuration file with the factory settings at the given report rate code.
    void Config(const std::string& name, char rate) {
        std::string image = FactoryConfigImage();
        image[kRateByte] = rate;
        ASSERT_EQ(WriteFileAtomic(Data(name), image), 0);
    }
    char SavedRate(const std::string& name) const { return (*ReadWholeFile(Data(name)))[kRateByte]; }
    bool Said(const std::string& text) const { return err.str().find(text) != std::string::npos; }
    bool Traced(const std::string& text) const { return out.str().find(text) != std::string::npos; }

    test::TempDir home;
    std::ostringstream out, err;
};

// ---- a record that was never loaded is neither sent nor saved ----

TEST_F(FaultTest, AnInvalidProfileListLoadsTheFirstProfileAndSaysSo) {
    Prepare();
    Config("config0.bin", 8);
    ASSERT_EQ(WriteProfileString(Data("str0.ini"), "Profile", "IsDefault", "Y"), 0);
    for (const char* count : {"0", "", "x"}) {
        ProfileList(count);
        err.str("");
        const auto before = ReadWholeFile(Data("config0.bin"));
        ASSERT_EQ(RunGet({"sensitivity-x"}, out, err), 0) << err.str();
        EXPECT_TRUE(Said("names no profiles (ItemCount is not 1 to 6)")) << err.str();
        EXPECT_TRUE(Said("config0.bin, was loaded")) << err.str();
        EXPECT_EQ(ReadWholeFile(Data("config0.bin")), before); // never overwritten by the fallback
    }
    ProfileList("0");
    ASSERT_EQ(RunApply(kApply, out, err), 0) << err.str();
    EXPECT_TRUE(Traced("a11d set-feature 00 01 08")) << out.str(); // the profile's 125 Hz went out
    EXPECT_EQ(SavedRate("config0.bin"), 8);
}

TEST_F(FaultTest, WithoutListOrFirstProfileTheDefaultsAreSentNeverZeros) {
    Prepare();
    ProfileList("0");
    ASSERT_EQ(RunApply(kApply, out, err), 0) << err.str();
    EXPECT_TRUE(Said("could not be read either, so the factory settings are shown")) << err.str();
    EXPECT_TRUE(Traced("a11d set-feature 00 01 02")) << out.str(); // 500 Hz, the default
    EXPECT_FALSE(Traced("a11d set-feature 00 01 00"));
    EXPECT_EQ(SavedRate("config0.bin"), 2);
}

TEST_F(FaultTest, AFirstStartOnAFullDiskSendsTheDefaultsAndDoesNotSaySaved) {
    // Every write past 0 bytes fails, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
    Prepare();
    const int status = RunApply(kApply, out, err);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(Said("warning: cannot create")) << err.str();
    EXPECT_TRUE(Said("the factory settings are shown")) << err.str();
    EXPECT_TRUE(Said(": File too large")) << err.str();
    EXPECT_TRUE(Said("could not be saved")) << err.str();
    EXPECT_TRUE(Traced("a11d set-feature 00 01 02")) << out.str();
    EXPECT_FALSE(Traced("a11d set-feature 00 01 00"));
}

TEST_F(FaultTest, IsDefaultIsMarkedOnlyOnceTheDefaultsAreSaved) {
    Prepare();
    // config0.bin cannot be written: the disk is full.
    ArmFaultFailure(Data("config0.bin"), ENOSPC);
    EXPECT_EQ(RunGet({}, out, err), 1);
    EXPECT_TRUE(Said("cannot write " + Data("config0.bin"))) << err.str();
    EXPECT_FALSE(FileExists(Data("config0.bin")));
    // The defaults and their mark are one change, kept in the journal until
    // the configuration file can be written: the next start finishes it.
    EXPECT_TRUE(FileExists(Data("QV530.journal")));
    ArmFaultFailure("", 0);
    err.str("");
    EXPECT_EQ(RunGet({}, out, err), 0) << err.str();
    EXPECT_EQ(ReadProfileString(Data("str0.ini"), "Profile", "IsDefault"), "Y");
    EXPECT_EQ(SavedRate("config0.bin"), 2);
}

// ---- every failed write is reported with its file and reason ----

TEST_F(FaultTest, AFailedSaveNeverSaysSavedNorExitsZero) {
    Prepare();
    ASSERT_EQ(RunGet({}, out, err), 0);
    ArmFaultFailure(Data("config0.bin"), ENOSPC);
    out.str("");
    EXPECT_EQ(RunSet({"sensitivity-x", "7"}, out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(Said("cannot write " + Data("config0.bin") + ": No space left on device")) << err.str();
    EXPECT_EQ(RunApply({"--emulate", "a11d", "--fast"}, out, err), 1);
    EXPECT_EQ(out.str(), "");
    ArmFaultFailure("", 0);
}

TEST_F(FaultTest, AFailedCaptionWriteIsReported) {
    Prepare();
    ASSERT_EQ(RunGet({}, out, err), 0);
    ArmFaultFailure(Data("str0.ini"), ENOSPC);
    err.str("");
    out.str("");
    EXPECT_EQ(RunSet({"sensitivity-x", "7"}, out, err), 1);
    EXPECT_TRUE(Said("cannot write " + Data("str0.ini") + ": No space left on device")) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(RunApply(kApply, out, err), 1);
    ArmFaultFailure("", 0);
}

TEST_F(FaultTest, AReadOnlyDataFolderGivesAClearErrorAndKeepsTheFiles) {
    Prepare();
    ASSERT_EQ(RunGet({}, out, err), 0);
    const auto before = ReadWholeFile(Data("config0.bin"));
    // Root writes into read-only folders: the set runs as an ordinary user.
    const test::UnprivilegedRun run = test::RunUnprivileged({home.path()}, [&](std::ostream& report) {
        ::chmod(Data("").c_str(), 0500);
        std::ostringstream setOut, setErr;
        const int status = RunSet({"sensitivity-x", "7"}, setOut, setErr);
        report << setOut.str() << "|" << setErr.str();
        return status;
    });
    ::chmod(Data("").c_str(), 0700);
    ASSERT_TRUE(run.dropped) << "the set ran with root rights";
    EXPECT_EQ(run.exitCode, 1) << run.report;
    EXPECT_EQ(run.report.find('|'), 0u) << "something was said on standard output: " << run.report;
    EXPECT_NE(run.report.find(": Permission denied; nothing was changed"), std::string::npos) << run.report;
    EXPECT_NE(run.report.find("could not be saved as " + Data("config0.bin")), std::string::npos) << run.report;
    EXPECT_EQ(ReadWholeFile(Data("config0.bin")), before);
}

TEST_F(FaultTest, ATraceThatCannotBeWrittenFailsTheRun) {
    Prepare();
    EXPECT_EQ(RunApply({"--emulate", "a11d", "--fast", "--trace", "/dev/full"}, out, err), 1);
    EXPECT_TRUE(Said("cannot write the trace to /dev/full: No space left on device")) << err.str();
}

// ---- a mouse unplugged during Apply ----

TEST_F(FaultTest, AMouseUnpluggedMidApplyLeavesTheOthersSentTheProfileSavedAndIsNamed) {
    Prepare();
    ASSERT_EQ(RunGet({}, out, err), 0);
    std::string image = FactoryConfigImage();
    image[kRateByte] = 8;
    ASSERT_EQ(WriteFileAtomic(home / "sent.bin", image), 0);
    const auto traceOf = [&](const std::string& name, const std::string& device) {
        std::vector<std::string> lines;
        std::ifstream in(home / name);
        for (std::string line; std::getline(in, line);)
            if (line.starts_with(device + " ")) lines.push_back(line);
        return lines;
    };
    // What every device gets when nothing goes wrong.
    ASSERT_EQ(RunApply({"--config", home / "sent.bin", "--emulate", "both", "--pad", "--fast", "--trace",
                        home / "whole.trace"},
                       out, err),
              0)
        << err.str();
    ASSERT_FALSE(traceOf("whole.trace", "a1dc").empty());
    ASSERT_FALSE(traceOf("whole.trace", "pad").empty());

    struct Case {
        const char* emulate;
        const char* unplugAfter;
        int exitCode;
        const char* said; // on standard error; empty: nothing
        std::vector<std::string> untouched; // devices that must get their whole sequence
    };
    const Case cases[] = {
        {"a11d", "5", 1, "the A11D mouse did not take the settings", {"pad"}},
        {"a11d", "0", 1, "the A11D mouse did not take the settings", {"pad"}},
        {"both", "40", 1, "the A11D mouse did not take the settings", {"a1dc", "pad"}},
        {"a1dc", "60", 1, "the A1DC mouse did not take the settings", {"pad"}},
        {"a11d", "100000", 0, "", {"a11d", "pad"}}, // the sequence ends first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.emulate) + " unplugged after " + c.unplugAfter);
        ASSERT_EQ(WriteFileAtomic(Data("config0.bin"), FactoryConfigImage()), 0);
        out.str("");
        err.str("");
        const int status = RunApply({"--config", home / "sent.bin", "--emulate", c.emulate, "--pad", "--fast",
                                     "--unplug-after", c.unplugAfter, "--trace", home / "cut.trace"},
                                    out, err);
        EXPECT_EQ(status, c.exitCode) << err.str();
        for (const std::string& device : c.untouched)
            EXPECT_EQ(traceOf("cut.trace", device), traceOf("whole.trace", device)) << device;
        EXPECT_EQ(SavedRate("config0.bin"), 8); // the profile was saved all the same
        if (*c.said != '\0') {
            EXPECT_TRUE(Said(c.said)) << err.str();
            EXPECT_TRUE(Said("was it unplugged?")) << err.str();
            EXPECT_NE(out.str().find("but not to the "), std::string::npos) << out.str();
        } else {
            EXPECT_EQ(err.str(), "");
        }
        EXPECT_NE(out.str().find("saved " + Data("config0.bin")), std::string::npos) << out.str();
    }
    EXPECT_EQ(RunApply({"--unplug-after", "3"}, out, err), 2);
    EXPECT_TRUE(Said("--unplug-after unplugs an emulated mouse and needs --emulate")) << err.str();
    EXPECT_EQ(RunApply({"--emulate", "a11d", "--unplug-after", "x"}, out, err), 2);
}

// ---- special and huge files are refused, never waited on ----

TEST_F(FaultTest, FifosDevicesAndHugeFilesAreRefusedWithTheirName) {
    Prepare();
    const std::string fifo = home / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(RunDump({fifo}, out, err), 1);
    EXPECT_TRUE(Said(fifo + " is not a regular file")) << err.str();
    EXPECT_EQ(RunDump({"/dev/zero"}, out, err), 1);
    EXPECT_TRUE(Said("/dev/zero is not a regular file"));
    EXPECT_EQ(RunMacros({"list", "/dev/zero"}, out, err), 1);
    EXPECT_EQ(RunMacros({"list", fifo}, out, err), 1);
    const std::string huge = home / "huge.ini";
    std::filesystem::resize_file((std::ofstream(huge), huge), 64u << 20);
    EXPECT_EQ(RunMacros({"list", huge}, out, err), 1);
    EXPECT_TRUE(Said(huge + " is larger than")) << err.str();

    // A FIFO or a link to /dev/zero in place of the side file: read as
    // empty, never written through; a save keeps it aside and writes a file.
    ASSERT_EQ(RunGet({}, out, err), 0);
    std::filesystem::remove(Data("str0.ini"));
    ASSERT_EQ(::mkfifo(Data("str0.ini").c_str(), 0600), 0);
    err.str("");
    EXPECT_EQ(RunSet({"sensitivity-x", "7"}, out, err), 0) << err.str();
    EXPECT_TRUE(Said(Data("str0.ini") + " is not a regular file; it was kept as")) << err.str();
    EXPECT_TRUE(FileExists(Data("str0.ini")));
    std::filesystem::remove(Data("str0.ini"));
    std::filesystem::create_symlink("/dev/zero", Data("str0.ini"));
    EXPECT_EQ(RunGet({"sensitivity-x"}, out, err), 0);
    EXPECT_EQ(RunApply(kApply, out, err), 0) << err.str();
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(Data("str0.ini"))));
}

// ---- two runs at once never mix their files ----

// A trace written into a FIFO with a one-page buffer: the run writing it
// stops mid-Apply, inside its lock, until the test reads on.
class HeldTrace {
public:
    explicit HeldTrace(std::string path) : path_(std::move(path)) {
        if (::mkfifo(path_.c_str(), 0600) != 0) return;
        fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd_ >= 0) ::fcntl(fd_, F_SETPIPE_SZ, 4096);
        // The test keeps a writer open too: the run's probe opens and closes
        // the FIFO before writing, which must not read as the end of its trace.
        if (fd_ >= 0) keep_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
    }
    ~HeldTrace() {
        if (keep_ >= 0) ::close(keep_);
        if (fd_ >= 0) ::close(fd_);
    }
    const std::string& path() const { return path_; }
    bool open() const { return fd_ >= 0 && keep_ >= 0; }
    // Waits for the run's first traced report: it is then sending.
    std::string FirstLine() {
        std::string line;
        pollfd ready{fd_, POLLIN, 0};
        // A run that never writes fails the test after a minute rather than hanging it.
        while (line.find('\n') == std::string::npos && ::poll(&ready, 1, 60000) == 1) {
            char c = 0;
            if (::read(fd_, &c, 1) == 1) line += c;
            else if (errno != EAGAIN) break;
        }
        return line;
    }
    // Lets the run go on and reads the rest of its trace.
    void Release() {
        ::close(keep_);
        keep_ = -1;
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        char buffer[4096];
        while (::read(fd_, buffer, sizeof buffer) > 0) {
        }
    }

private:
    std::string path_;
    int fd_ = -1;
    int keep_ = -1;
};

TEST_F(FaultTest, TwoOverlappingAppliesLeaveTheLaterRunsConfigurationAndCaptionPair) {
    Prepare();
    ASSERT_EQ(RunGet({}, out, err), 0);
    // Run A sends 125 Hz with caption "A", run B 250 Hz with caption "B".
    for (const auto& [name, rate] : {std::pair{"a", 8}, std::pair{"b", 4}}) {
        std::string image = FactoryConfigImage();
        image[kRateByte] = static_cast<char>(rate);
        ASSERT_EQ(WriteFileAtomic(home / (std::string(name) + ".bin"), image), 0);
        ASSERT_EQ(WriteProfileString(home / (std::string(name) + ".ini"), "Setting-EN", "Item1",
                                     std::string(1, static_cast<char>(std::toupper(name[0])))),
                  0);
    }
    const auto run = [&](const char* name, const std::string& trace) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::ostringstream quiet;
            Args args{"--config", home / (std::string(name) + ".bin"), "--emulate", "a11d", "--fast"};
            if (!trace.empty()) args.insert(args.end(), {"--trace", trace});
            ::_exit(RunApply(args, quiet, quiet));
        }
        return child;
    };
    const auto succeeded = [](pid_t child) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HeldTrace held(home / ("a" + std::to_string(round) + ".trace"));
        ASSERT_TRUE(held.open());
        const pid_t a = run("a", held.path());
        EXPECT_NE(held.FirstLine().find("a11d set-feature"), std::string::npos);
        // A is half-way through its Apply and holds the data folder.
        EXPECT_TRUE(FolderLock(Data(""), std::chrono::milliseconds(0)).busy());
        const pid_t b = run("b", "");
        held.Release();
        EXPECT_TRUE(succeeded(a));
        EXPECT_TRUE(succeeded(b));
        // B started while A held the folder, so B saved last, both files.
        EXPECT_EQ(SavedRate("config0.bin"), 4);
        EXPECT_EQ(ReadProfileString(Data("str0.ini"), "Setting-EN", "Item1"), "B");
    }
    for (const auto& entry : std::filesystem::directory_iterator(Data("")))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

} // namespace
} // namespace qv530::cli
