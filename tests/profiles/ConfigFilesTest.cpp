#include "profiles/ConfigFiles.h"

#include <cstring>
#include <fstream>
#include <sys/stat.h>

#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/FactoryFiles.h"
#include "settings/IniFile.h"
#include "profiles/ProfileList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

std::string Image(std::uint8_t flag, std::uint8_t fill, std::size_t size) {
    std::string bytes(size, static_cast<char>(fill));
    if (size > 0) bytes[0] = static_cast<char>(flag);
    return bytes;
}

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override { folder = dir.path() + "/"; }
    void Write(const std::string& name, const std::string& bytes) { ASSERT_EQ(WriteFileAtomic(folder + name, bytes), 0); }
    void ProfileList(const std::string& lines) { Write("str.ini", "[Profile]\r\n" + lines); }

    test::TempDir dir;
    std::string folder;
    MouseSettings settings;
    DeviceState state;
    ConfigFiles Files() { return ConfigFiles(folder); }
};

TEST_F(ConfigFilesTest, AFileOfAnotherSizeIsNoProfileAndLeavesTheRecordAlone) {
    ProfileList("ItemCount=1\r\nItem0=P\r\nCurProfileName=P\r\n");
    auto files = Files();
    for (const std::size_t size : {std::size_t{0}, std::size_t{1000}, std::size_t{1884}, std::size_t{1886}, std::size_t{3000}}) {
        for (auto& b : settings.bytes) b = 0xEE;
        Write("config0.bin", Image(7, 0x11, size));
        const ProfileLoad load = files.LoadCurrentProfile(settings, state);
        EXPECT_TRUE(load.damaged) << size;
        EXPECT_FALSE(load.configLoaded) << size;
        // The factory settings stand in; no byte of the file is taken.
        EXPECT_NE(settings.at(998), 0x11) << size;
        EXPECT_NE(load.notice.find("a profile file has 1885"), std::string::npos) << load.notice;
    }
    Write("config0.bin", Image(7, 0x11, 1885));
    DebugCapture debug;
    EXPECT_FALSE(files.LoadCurrentProfile(settings, state).damaged);
    EXPECT_EQ(state.firstRunFlag, 7);
    EXPECT_EQ(settings.at(998), 0x11);
    EXPECT_TRUE(debug.Contains("Program First Run Flag:7\nRead Size is: 1884"));

    std::remove((folder + "config0.bin").c_str());
    debug.Clear();
    files.LoadCurrentProfile(settings, state);
    EXPECT_EQ(settings.at(998), 0x11); // a missing file leaves the record alone
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
    debug.Clear();
    files.LoadProfileFiles(3, settings, state);
    EXPECT_TRUE(debug.Contains("Config file is not exist."));
    EXPECT_EQ(files.sideFilePath(), folder + "str3.ini");
}

TEST_F(ConfigFilesTest, ProfileListResolution) {
    auto files = Files();
    state.profileFileIndex = 4;
    for (const char* count : {"", "0", "7", "abc", "-1", "2x"}) {
        ProfileList(std::string("ItemCount=") + count + "\r\nItem0=A\r\nCurProfileName=A\r\n");
        EXPECT_FALSE(files.LoadCurrentProfile(settings, state)) << count;
        // Without a valid list the first profile's files stand in.
        EXPECT_EQ(state.profileFileIndex, 0);
        EXPECT_EQ(files.configPath(), folder + "config0.bin");
    }
    // The last equal name wins; a name equal to none leaves the index as it was.
    ProfileList("ItemCount=3\r\nItem0=Same\r\nItem1=Other\r\nItem2=Same\r\nCurProfileName=Same\r\n");
    EXPECT_TRUE(files.LoadCurrentProfile(settings, state));
    EXPECT_EQ(state.profileFileIndex, 2);
    EXPECT_EQ(files.configPath(), folder + "config2.bin");
    ProfileList("ItemCount=2\r\nItem0=A\r\nItem1=B\r\nCurProfileName=b\r\n");
    EXPECT_TRUE(files.LoadCurrentProfile(settings, state));
    EXPECT_EQ(state.profileFileIndex, 2);
    // Factory files while UseFactoryFiles is set.
    state.useFactoryFiles = 1;
    EXPECT_TRUE(files.LoadCurrentProfile(settings, state));
    EXPECT_EQ(files.configPath(), folder + "config.bin");
    EXPECT_EQ(files.sideFilePath(), folder + "str.ini");
}

TEST_F(ConfigFilesTest, SaveWritesFlagAndRecordAtomically) {
    auto files = Files();
    state.profileFileIndex = 1;
    ResetToDefaults(settings);
    DebugCapture debug;
    ASSERT_TRUE(files.SaveCurrentProfile(settings, state));
    const auto saved = ReadWholeFile(folder + "config1.bin");
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->size(), 1885u);
    EXPECT_EQ((*saved)[0], 1);
    EXPECT_EQ(std::memcmp(saved->data() + 1, settings.data(), kMouseSettingsSize), 0);
    EXPECT_TRUE(debug.Contains("Data num:1 BYTE -1884 BYTE\n Struct size:1884 BYTE"));

    // A save that cannot be written leaves the previous file and says why.
    ::chmod(dir.path().c_str(), 0500);
    settings.at(5) = 8;
    debug.Clear();
    const bool saved2 = files.SaveCurrentProfile(settings, state);
    ::chmod(dir.path().c_str(), 0700);
    if (::geteuid() != 0) { // root writes anyway
        EXPECT_FALSE(saved2);
        EXPECT_TRUE(debug.Contains("Error Code is: 13 \n"));
        EXPECT_EQ(*ReadWholeFile(folder + "config1.bin"), *saved);
    }
    ConfigFiles nowhere(folder + "missing/");
    debug.Clear();
    EXPECT_FALSE(nowhere.SaveCurrentProfile(settings, state));
    EXPECT_TRUE(debug.Contains("Error Code is: 2 \n"));
}

TEST_F(ConfigFilesTest, IsDefaultStrictAndLenient) {
    auto files = Files();
    files.LoadProfileFiles(0, settings, state);
    for (auto& b : settings.bytes) b = 0x33;
    files.InitialiseIfNeeded(false, settings, state); // missing value: lenient keeps the record
    EXPECT_EQ(settings.at(5), 0x33);
    EXPECT_EQ(ReadProfileString(folder + "str0.ini", "Profile", "IsDefault"), "Y");

    WriteProfileString(folder + "str0.ini", "Profile", "IsDefault", "");
    files.InitialiseIfNeeded(true, settings, state); // empty: strict resets and saves
    EXPECT_EQ(settings.at(5), 2);
    EXPECT_EQ(settings.at(400), 0x33); // macros kept
    EXPECT_TRUE(FileExists(folder + "config0.bin"));

    for (auto& b : settings.bytes) b = 0x44;
    WriteProfileString(folder + "str0.ini", "Profile", "IsDefault", "N");
    files.InitialiseIfNeeded(false, settings, state); // "N" resets in both forms
    EXPECT_EQ(settings.at(5), 2);
    EXPECT_EQ(ReadProfileString(folder + "str0.ini", "Profile", "IsDefault"), "Y");

    for (auto& b : settings.bytes) b = 0x55;
    files.InitialiseIfNeeded(true, settings, state); // "Y": nothing changes
    EXPECT_EQ(settings.at(5), 0x55);
}

TEST_F(ConfigFilesTest, ExportNamesAndContents) {
    ProfileList("ItemCount=1\r\nItem0=P\r\nCurProfileName=P\r\n");
    auto files = Files();
    files.settingsSection = "Setting-EN";
    files.side.captions[0] = "Click";
    files.side.captions[6] = " padded ";
    ResetToDefaults(settings);
    ASSERT_TRUE(files.SaveCurrentProfile(settings, state));
    settings.at(field::kReportRate) = 8;

    EXPECT_EQ(files.ExportProfile(folder + "mine", settings, state).path, folder + "mine.bin");
    const auto exported = ReadWholeFile(folder + "mine.bin");
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->size(), 1885u);
    EXPECT_EQ((*exported)[1 + field::kReportRate], 8);
    EXPECT_EQ(ReadProfileString(folder + "mine.ini", "Setting-EN", "Item1"), "Click");
    EXPECT_EQ(ReadProfileString(folder + "mine.ini", "Setting-EN", "Item7"), " padded ");
    EXPECT_FALSE(LoadIni(folder + "mine.ini").HasKey("Setting-EN", "Item8"));

    EXPECT_EQ(files.ExportProfile(folder + "a.bin.old", settings, state).path, folder + "a.bin.old");
    EXPECT_TRUE(FileExists(folder + "a.ini.old"));
    // A ".bin" in a folder name is not touched.
    ASSERT_EQ(MakeFolders(folder + "x.bin.d"), 0);
    EXPECT_EQ(files.ExportProfile(folder + "x.bin.d/p.bin", settings, state).path, folder + "x.bin.d/p.bin");
    EXPECT_TRUE(files.ExportProfile(folder + "y.bin", settings, state).written);
    EXPECT_FALSE(files.ExportProfile(folder + "no/such/folder/z.bin", settings, state).written);
    EXPECT_TRUE(FileExists(folder + "x.bin.d/p.ini"));
    // The export reloads the current profile: unapplied edits are gone.
    EXPECT_NE(settings.at(field::kReportRate), 8);
}

TEST_F(ConfigFilesTest, ImportReadsOnlyWholeFilesButAlwaysTheSideFile) {
    auto files = Files();
    files.settingsSection = "Setting-EN";
    Write("p.ini", "[Setting-EN]\r\nItem1=Imported\r\n");
    for (std::size_t size : {1884u, 1886u}) {
        Write("p.bin", Image(1, 0x77, size));
        for (auto& b : settings.bytes) b = 0x10;
        files.side.captions[0].clear();
        EXPECT_EQ(files.ImportProfile(folder + "p.bin", settings, state), ConfigFiles::ImportResult::WrongSize);
        EXPECT_EQ(settings.at(0), 0x10) << size;
        EXPECT_EQ(files.side.captions[0], "Imported");
    }
    Write("p.bin", Image(1, 0x77, 1885));
    EXPECT_EQ(files.ImportProfile(folder + "p.bin", settings, state), ConfigFiles::ImportResult::Imported);
    EXPECT_EQ(settings.at(1883), 0x77);
    DebugCapture debug;
    EXPECT_EQ(files.ImportProfile(folder + "none.bin", settings, state), ConfigFiles::ImportResult::Missing);
    EXPECT_TRUE(debug.Contains("Config file is not exist.\n"));
    EXPECT_EQ(files.ImportProfile(folder + "p.ini", settings, state), ConfigFiles::ImportResult::NotABinFile);
}

TEST_F(ConfigFilesTest, SideFileCaptionsFollowTheLanguageSection) {
    Write("str0.ini", "[Setting-DE]\r\nItem1=Klick\r\nItem8=Aus\r\n[Skins]\r\nPath=/x\r\n[Point]\r\nMouseSpeed_Y=12\r\n");
    auto files = Files();
    files.settingsSection = "Setting-DE";
    files.ReadSideFile(folder + "str0.ini");
    EXPECT_EQ(files.side.captions[0], "Klick");
    EXPECT_EQ(files.side.captions[7], "Aus");
    EXPECT_EQ(files.side.skinPath, "/x");
    EXPECT_EQ(files.side.mouseSpeed, "12");
    // No language: no captions are read or written.
    auto none = Files();
    none.ReadSideFile(folder + "str0.ini");
    EXPECT_EQ(none.side.captions[0], "");
    none.WriteCaptions(folder + "str9.ini");
    EXPECT_FALSE(FileExists(folder + "str9.ini"));
}

TEST(FactoryFiles, ProvisioningCreatesMissingFilesOnly) {
    test::TempDir dir;
    const std::string folder = dir.path() + "/a/b/QV530-10800rad/";
    ProvisionReport report = ProvisionDataFolder(folder, "DE");
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(report.created.size(), 3u);
    const auto config = ReadWholeFile(folder + "config.bin");
    ASSERT_TRUE(config);
    MouseSettings defaults;
    ResetToDefaults(defaults);
    EXPECT_EQ((*config)[0], 1);
    EXPECT_EQ(std::memcmp(config->data() + 1, defaults.data(), kMouseSettingsSize), 0);
    const IniDocument side = LoadIni(folder + "str.ini");
    EXPECT_EQ(side.Get("Skins", "Lan"), "DE");
    EXPECT_EQ(side.Get("Profile", "Item0"), "Profil 1");
    EXPECT_EQ(side.Get("Profile", "CurProfileName"), "Profil 1");
    EXPECT_EQ(ResolveCurrentProfile(side).position, 0);
    EXPECT_EQ(side.Get("Setting-CHS", "Item1"), "左键");
    EXPECT_EQ(side.Get("Setting-EN", "Item3"), "Scroll ");
    EXPECT_EQ(side.Get("Setting-EN", "Item4"), "Fn");
    EXPECT_EQ(side.Get("Setting-EN", "Item6"), "DPI +");
    EXPECT_EQ(side.Get("Setting-EN", "Item8"), "Deactivated");
    const IniDocument store = LoadIni(folder + "record.ini");
    EXPECT_EQ(store.Get("MacroName", "MacroCount"), "0");
    EXPECT_TRUE(store.HasKey("MacroName", "0"));

    // A second run changes nothing.
    ASSERT_EQ(WriteFileAtomic(folder + "str.ini", std::string("[Skins]\r\nLan=CHS\r\n")), 0);
    report = ProvisionDataFolder(folder, "EN");
    EXPECT_TRUE(report.created.empty());
    EXPECT_EQ(ReadProfileString(folder + "str.ini", "Skins", "Lan"), "CHS");

    // A folder that cannot be made is named in the message.
    ASSERT_EQ(WriteFileAtomic(dir.path() + "/file", std::string("x")), 0);
    report = ProvisionDataFolder(dir.path() + "/file/QV530-10800rad/", "EN");
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_NE(report.errors[0].find(dir.path() + "/file/QV530-10800rad/"), std::string::npos);
}

TEST(FactoryFiles, DataFolderFollowsXdgConfigHome) {
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(DataFolder(), "/tmp/xdg/QV530-10800rad/");
    ::setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DataFolder(), "/home/u/.config/QV530-10800rad/");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(DataFolder(), "");
    ::setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
} // namespace qv530

namespace qv530 {
namespace {

TEST(ConfigFilesFirstStart, AProfileWithoutCaptionsTakesTheFactoryOnes) {
    test::TempDir dir;
    const std::string folder = dir.path() + "/";
    ProvisionDataFolder(folder, "EN");
    MouseSettings settings;
    DeviceState state;
    ConfigFiles files(folder);
    files.settingsSection = "Setting-EN";
    ASSERT_TRUE(files.LoadCurrentProfile(settings, state));
    files.ReadSideFile();
    EXPECT_EQ(files.side.captions[0], "");
    files.InitialiseIfNeeded(true, settings, state);
    EXPECT_EQ(files.side.captions[0], "Click");
    EXPECT_EQ(files.side.captions[5], "DPI +");
    EXPECT_EQ(ReadProfileString(folder + "str0.ini", "Setting-EN", "Item2"), "Menu");
    // Captions the profile already has are its own.
    WriteProfileString(folder + "str0.ini", "Profile", "IsDefault", "N");
    WriteProfileString(folder + "str0.ini", "Setting-EN", "Item1", "Mine");
    files.ReadSideFile();
    files.InitialiseIfNeeded(true, settings, state);
    EXPECT_EQ(files.side.captions[0], "Mine");
}

} // namespace
} // namespace qv530
