// Loading never leaves a record of zeros, and a profile that loaded is never
// replaced by defaults because its list is damaged.
#include "profiles/ConfigFiles.h"
#include "profiles/ProfileNameRules.h"
#include "profiles/StartupProfile.h"

#include <cstring>
#include <filesystem>

#include "platform/FileIo.h"
#include "profiles/FactoryFiles.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ProfileLoadTest : public ::testing::Test {
protected:
    void SetUp() override { ProvisionDataFolder(folder, "EN"); }
    void List(const std::string& count) { ASSERT_EQ(WriteProfileString(folder + "str.ini", "Profile", "ItemCount", count), 0); }
    void Config0(std::uint8_t rate) {
        std::string image = FactoryConfigImage();
        image[1 + field::kReportRate] = static_cast<char>(rate);
        ASSERT_EQ(WriteFileAtomic(folder + "config0.bin", image), 0);
    }
    std::string Load() {
        std::string notice;
        ConfigFiles files(folder);
        LoadProfileAtStartUp(files, settings, state, sent, texts, &notice);
        return notice;
    }

    test::TempDir dir;
    std::string folder = dir.path() + "/";
    MouseSettings settings, sent;
    DeviceState state;
    UiStrings texts;
};

TEST_F(ProfileLoadTest, ADamagedListTakesTheFirstProfileWithoutTouchingIt) {
    Config0(8);
    const auto before = ReadWholeFile(folder + "config0.bin");
    List("0");
    state.profileFileIndex = 3;
    const std::string notice = Load();
    EXPECT_NE(notice.find("the first profile, " + folder + "config0.bin, was loaded"), std::string::npos) << notice;
    EXPECT_EQ(settings.at(field::kReportRate), 8);
    EXPECT_EQ(sent.at(field::kReportRate), 8);
    EXPECT_EQ(state.profileFileIndex, 0);
    EXPECT_EQ(ReadWholeFile(folder + "config0.bin"), before);
    EXPECT_FALSE(FileExists(folder + "str0.ini")); // nor marked
}

TEST_F(ProfileLoadTest, AShortOrZeroFirstProfileGivesTheDefaultsNotZeros) {
    for (const std::string& image : {std::string(100, '\1'), std::string(config_file::kSize, '\0'), std::string()}) {
        ASSERT_EQ(WriteFileAtomic(folder + "config0.bin", image), 0);
        List("7");
        settings = MouseSettings{};
        const std::string notice = Load();
        EXPECT_NE(notice.find("could not be read either, so the factory settings are shown"), std::string::npos);
        EXPECT_FALSE(HoldsNoSettings(settings));
        EXPECT_EQ(settings.at(field::kReportRate), 2);
        EXPECT_EQ(*ReadWholeFile(folder + "config0.bin"), image); // left for the user's Apply
    }
}

TEST_F(ProfileLoadTest, AMarkedProfileWhoseFileIsGoneShowsTheDefaults) {
    ASSERT_EQ(WriteProfileString(folder + "str0.ini", "Profile", "IsDefault", "Y"), 0);
    const std::string notice = Load();
    EXPECT_EQ(notice, folder + "config0.bin could not be read, so the factory settings are shown.");
    EXPECT_EQ(settings.at(field::kReportRate), 2);
    EXPECT_EQ(sent.bytes, settings.bytes);
    // A first start (nothing marked yet) is no fault: initialised quietly.
    std::filesystem::remove(folder + "str0.ini");
    EXPECT_EQ(Load(), "");
    EXPECT_TRUE(FileExists(folder + "config0.bin"));
}

TEST_F(ProfileLoadTest, ZerosAreNeverSaved) {
    ConfigFiles files(folder);
    MouseSettings zeros;
    EXPECT_FALSE(files.SaveCurrentProfile(zeros, state));
    EXPECT_FALSE(FileExists(folder + "config0.bin"));
    const auto failures = files.TakeWriteFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "the profile was never loaded, so " + folder + "config0.bin was not written");
    EXPECT_TRUE(files.TakeWriteFailures().empty());
}

TEST(ProfileNames, WhatTheListCannotHoldIsRefused) {
    EXPECT_EQ(ProfileNameRefusal("Profile 1"), "");
    EXPECT_EQ(ProfileNameRefusal(" padded "), "");
    EXPECT_EQ(ProfileNameRefusal(" "), "A profile name cannot be empty.");
    EXPECT_EQ(ProfileNameRefusal("a\nb"), "A profile name cannot hold a line break.");
    EXPECT_EQ(ProfileNameRefusal(std::string("a\0b\r", 4)), "A profile name cannot hold a line break, a NUL character.");
}

} // namespace
} // namespace qv530
