#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>
#include <sstream>

#include "cli/Commands.h"
#include "cli/SettingCommands.h"
#include "profiles/DataFolderSetup.h"
#include "device/EmulatedDevices.h"
#include "platform/FileIo.h"
#include "profiles/FactoryFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

// Runs a command in a fresh home folder.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        PrepareDataFolder(err, "qv530ctl");
    }
    std::vector<std::string> OutLines() {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }

    test::TempDir home;
    std::ostringstream out, err;
};

TEST_F(CliTest, ApplyToAnEmulatedMouseTracesTheWholeApplyAndSaves) {
    EXPECT_TRUE(FileExists(Data("config.bin")));
    // A stored report rate of 0 goes out and is saved as 500 Hz, as the window sends it.
    std::ostringstream ignored;
    ASSERT_EQ(RunSet({"rate", "code", "0"}, ignored, err), 0) << err.str();
    ASSERT_EQ(RunApply({"--emulate", "a11d", "--fast", "--trace", "-"}, out, err), 0) << err.str();
    const auto lines = OutLines();
    ASSERT_EQ(lines.size(), 23u + 3 + 40 + 26 + 1 + 40); // reports, a pause after each, the extra pause
    EXPECT_EQ(lines.front(), "a11d set-feature 00 81 00 00 00 00 00 00 7e");
    EXPECT_EQ(lines.back(), "a11d sleep 50");
    EXPECT_TRUE(FileExists(Data("config0.bin")));
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.starts_with("a11d set-feature 00 01 02 "); }),
              lines.end());
    std::ostringstream rate;
    ASSERT_EQ(RunGet({"rate"}, rate, err), 0);
    EXPECT_EQ(rate.str(), "rate 500\n");

    // The pad and the second variant join with --emulate both --pad.
    out.str("");
    ASSERT_EQ(RunReset({"--emulate", "both", "--pad", "--fast", "--trace", "-"}, out, err), 0) << err.str();
    EXPECT_EQ(OutLines().back(), "pad sleep 50");
}

TEST_F(CliTest, WatchSleepsUntilASignalEndsIt) {
    // SIGTERM is blocked here first so that the watching thread, which
    // inherits the mask, holds it pending until its wait takes it.
    sigset_t term, previous;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &term, &previous), 0);
    int status = -1;
    std::thread watch([&] { status = RunWatch({}, out, err); });
    ASSERT_EQ(::pthread_kill(watch.native_handle(), SIGTERM), 0);
    watch.join();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_NE(out.str().find("watching; press Ctrl+C to stop"), std::string::npos);
    EXPECT_EQ(RunWatch({"extra"}, out, err), 2);
}

TEST_F(CliTest, ApplyWithAConfigFileAndBadOptions) {
    const std::string file = home.path() + "/mine.bin";
    std::string image = FactoryConfigImage();
    image[1 + 5] = 8; // 125 Hz
    ASSERT_EQ(WriteFileAtomic(file, image), 0);
    ASSERT_EQ(RunApply({"--config", file, "--emulate", "a1dc", "--fast", "--trace", "-"}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("a1dc set-feature 00 01 08 01 00 00 00 00 f5"), std::string::npos);
    EXPECT_EQ((*ReadWholeFile(Data("config0.bin")))[1 + 5], 8); // saved as the current profile

    ASSERT_EQ(WriteFileAtomic(file, image.substr(0, 1884)), 0);
    EXPECT_EQ(RunApply({"--config", file, "--emulate", "a11d", "--fast"}, out, err), 1);
    EXPECT_NE(err.str().find("1884 bytes"), std::string::npos);
    EXPECT_EQ(RunApply({"--fast"}, out, err), 2);
    EXPECT_EQ(RunApply({"--emulate", "mouse"}, out, err), 2);
    EXPECT_EQ(RunApply({"--trace"}, out, err), 2);
}

TEST_F(CliTest, DumpNamesEveryFieldAndWarnsOnOddSizes) {
    const std::string file = home.path() + "/x.bin";
    ASSERT_EQ(RunDefaults({file}, out, err), 0);
    out.str("");
    ASSERT_EQ(RunDump({file}, out, err), 0);
    const std::string text = out.str();
    for (const char* expected : {"FirstRunFlag: 1\n", "DpiStageA[6]: code 180 = 10800 dpi\n",
                                 "DpiStageB[6]: code 120 = 12000 dpi\n", "DpiStageColor[5]: #FF8000\n",
                                 "ButtonFunction[3]: 0x11 FnKey\n", "ButtonFunction[7]: 0x0d Disabled\n",
                                 "PointerPrecision: 255 (off)\n", "ReportRate: 2 (500 Hz)\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_TRUE(err.str().empty());

    ASSERT_EQ(WriteFileAtomic(file, std::string(1000, '\1')), 0);
    EXPECT_EQ(RunDump({file}, out, err), 0);
    EXPECT_NE(err.str().find("warning"), std::string::npos);
    EXPECT_EQ(RunDump({home.path() + "/none.bin"}, out, err), 1);
    ASSERT_EQ(WriteFileAtomic(file, std::string()), 0);
    EXPECT_EQ(RunDump({file}, out, err), 1);
    EXPECT_EQ(RunDump({}, out, err), 2);
    EXPECT_EQ(RunDefaults({home.path() + "/no/such/folder/x.bin"}, out, err), 1);
}

TEST_F(CliTest, ListShowsRolesAndSaysWhenNothingIsThere) {
    EmulatedBackend backend;
    ASSERT_EQ(RunList({}, out, err, &backend), 0);
    EXPECT_EQ(out.str(), "no device found\n");
    out.str("");
    backend.Plug(std::make_shared<EmulatedMouse>(MouseVariant::A11D));
    backend.Plug(std::make_shared<EmulatedPad>());
    ASSERT_EQ(RunList({}, out, err, &backend), 0);
    const auto lines = OutLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("command", 0), 0u);
    EXPECT_NE(lines[0].find("04D9:A11D firmware 0302 usage FF01:0001 feature 9 input 65 output 65"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("notification", 0), 0u);
    EXPECT_EQ(lines[2].rfind("pad", 0), 0u);
}

TEST_F(CliTest, GetAndSetShareOneTableAndRefuseBadInputWithoutSaving) {
    ASSERT_EQ(RunSet({"Sensitivity-X", "9"}, out, err), 0) << err.str();
    EXPECT_EQ((*ReadWholeFile(Data("config0.bin")))[1 + field::kSensitivityX], 9);
    out.str("");
    ASSERT_EQ(RunGet({"sensitivity-x"}, out, err), 0);
    EXPECT_EQ(out.str(), "sensitivity-x 9\n");

    // Every bad input changes nothing and exits 2 with one line that says what is accepted.
    for (const Args& bad : std::vector<Args>{{"sensitivity-x", "0"}, {"sensitivity-x", "12"}, {"sensitivity-x", "9x"},
                                             {"sensitivity-x"}, {"no-such-name", "1"}, {}}) {
        err.str("");
        EXPECT_EQ(RunSet(bad, out, err), 2) << (bad.empty() ? "" : bad[0]);
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ((*ReadWholeFile(Data("config0.bin")))[1 + field::kSensitivityX], 9);
    EXPECT_EQ(RunGet({"no-such-name"}, out, err), 2);

    // get's lines fed back to set give the same profile.
    out.str("");
    ASSERT_EQ(RunGet({}, out, err), 0);
    const std::string before = *ReadWholeFile(Data("config0.bin"));
    for (const std::string& line : OutLines()) {
        std::istringstream words(line);
        Args args;
        for (std::string word; words >> word;) args.push_back(word);
        std::ostringstream ignored;
        ASSERT_EQ(RunSet(args, ignored, err), 0) << line << ": " << err.str();
    }
    EXPECT_EQ(*ReadWholeFile(Data("config0.bin")), before);
}

} // namespace
} // namespace qv530::cli
