// Deleting or renaming a macro in the manager reaches every stored profile,
// not only the one being edited: their buttons keep playing their own macro.
#include "profiles/SavedMacroReferences.h"

#include <algorithm>

#include "buttons/ButtonFunction.h"
#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr const char* kSection = "Setting-EN";

// A profile whose button 4 (index 3) plays the macro at `slot`, named by its caption.
void WriteProfile(const std::string& folder, int index, std::uint8_t slot, const std::string& caption) {
    MouseSettings settings;
    ResetToDefaults(settings);
    settings.ButtonFunction(3) = function::kMacroKey;
    settings.ButtonExtra(kMacroNumberTable, 3) = slot;
    std::string image(config_file::kSize, '\0');
    image[config_file::kFlag] = static_cast<char>(config_file::kSavedFlag);
    std::copy(settings.bytes.begin(), settings.bytes.end(), image.begin() + config_file::kRecord);
    ASSERT_EQ(WriteFileAtomic(folder + "config" + std::to_string(index) + ".bin", image), 0);
    ASSERT_EQ(WriteProfileString(folder + "str" + std::to_string(index) + ".ini", kSection, "Item4", caption), 0);
}

std::uint8_t SavedSlot(const std::string& folder, int index) {
    const auto bytes = ReadWholeFile(folder + "config" + std::to_string(index) + ".bin");
    MouseSettings settings;
    std::copy_n(bytes->begin() + config_file::kRecord, kMouseSettingsSize, settings.bytes.begin());
    return settings.ButtonExtra(kMacroNumberTable, 3);
}

TEST(OtherProfiles, FollowADeleteAndARenameOfTheStore) {
    test::TempDir dir;
    const std::string folder = dir.path() + "/";
    ASSERT_EQ(WriteProfileString(folder + "str.ini", "Profile", "ItemCount", "3"), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(WriteProfileString(folder + "str.ini", "Profile", "Item" + std::to_string(i), "P" + std::to_string(i)), 0);
    WriteProfile(folder, 0, 2, "Macro:Gamma"); // the edited profile: left to the caller
    WriteProfile(folder, 1, 2, "Macro:Gamma");
    WriteProfile(folder, 2, 1, "Macro:Beta");

    ConfigFiles files(folder, 0);
    files.settingsSection = kSection;
    // "Alpha" at slot 0 was deleted: Beta and Gamma moved one slot down.
    FollowMacroStoreInOtherProfiles(files, {"Beta", "Gamma"}, "", "");
    EXPECT_EQ(SavedSlot(folder, 0), 2);
    EXPECT_EQ(SavedSlot(folder, 1), 1);
    EXPECT_EQ(SavedSlot(folder, 2), 0);

    // Gamma renamed to Fire: the caption follows, so the button stays protected and on its macro.
    FollowMacroStoreInOtherProfiles(files, {"Beta", "Fire"}, "Gamma", "Fire");
    EXPECT_EQ(ReadProfileString(folder + "str1.ini", kSection, "Item4"), "Macro:Fire");
    EXPECT_EQ(ReadProfileString(folder + "str0.ini", kSection, "Item4"), "Macro:Gamma");
    EXPECT_EQ(SavedSlot(folder, 1), 1);
}

} // namespace
} // namespace qv530
