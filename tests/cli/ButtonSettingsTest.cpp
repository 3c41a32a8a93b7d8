// qv530ctl set/get button: the menu's functions, codes, tables and captions.
#include <cstdlib>
#include <sstream>

#include "buttons/KeyCode.h"
#include "cli/SettingCommands.h"
#include "macros/MacroStore.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/StartupProfile.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

class ButtonSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530ctl");
    }
    int Set(const Args& args) {
        err.str("");
        Args all{"button"};
        all.insert(all.end(), args.begin(), args.end());
        return RunSet(all, out, err);
    }
    std::vector<std::string> GetLines() {
        std::ostringstream lines;
        EXPECT_EQ(RunGet({"button"}, lines, err), 0);
        std::vector<std::string> result;
        std::istringstream in(lines.str());
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }
    // The saved profile as the program would load it.
    CliProfile Saved() {
        CliProfile profile(DataFolder());
        profile.language =
            LoadProfileAtStartUp(profile.files, profile.settings, profile.state, profile.sent, profile.texts);
        return profile;
    }
    std::string Data(const std::string& name) { return home.path() + "/.config/QV530-10800rad/" + name; }

    test::TempDir home;
    std::ostringstream out, err;
};

TEST_F(ButtonSettingsTest, FunctionsAreStoredWithTheirCaptionsAndGetNamesThem) {
    ASSERT_EQ(Set({"3", "media", "Volume", "Up"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"4", "KEY", "Num", "Enter"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"5", "office", "8"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"6", "windows", "run"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"7", "dpi", "loop"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"2", "off"}), kSetDone) << err.str();

    const CliProfile saved = Saved();
    EXPECT_EQ(KeyCodeFor(saved.settings, 2), (KeyCode{0x00, 0xE9, 0x00, 0x04}));
    EXPECT_EQ(KeyCodeFor(saved.settings, 3), (KeyCode{0x00, 0x58, 0x00, 0x01}));
    EXPECT_EQ(KeyCodeFor(saved.settings, 4), (KeyCode{0x00, 0x1D, 0xE0, 0x01}));
    EXPECT_EQ(KeyCodeFor(saved.settings, 5), (KeyCode{0x00, 0x15, 0xE3, 0x01}));
    EXPECT_EQ(KeyCodeFor(saved.settings, 6), (KeyCode{0x00, 0x00, 0x03, 0x08}));
    EXPECT_EQ(saved.files.side.captions[2], "Volume Up");
    EXPECT_EQ(saved.files.side.captions[3], "Assign Keyboard Key-Num Enter");
    EXPECT_EQ(saved.files.side.captions[4], "Undo");
    EXPECT_EQ(saved.files.side.captions[1], "Deactivated");

    const std::vector<std::string> lines = GetLines();
    EXPECT_EQ(lines, (std::vector<std::string>{"button 1 click", "button 2 off", "button 3 media Volume Up",
                                               "button 4 key Num Enter", "button 5 office Undo",
                                               "button 6 windows Run", "button 7 dpi loop"}));
}

TEST_F(ButtonSettingsTest, TheMenusRefusalsHold) {
    const MouseSettings before = Saved().settings;
    EXPECT_EQ(Set({"1", "menu"}), kSetRefused);
    EXPECT_EQ(err.str(), "At least one button must be set as the \"click\" function.\n");
    EXPECT_EQ(Set({"1", "click"}), kSetDone); // keeping the left click is no giving away
    EXPECT_EQ(Set({"2", "fn"}), kSetBadInput);
    EXPECT_EQ(Set({"8", "click"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "media", "8"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "key", "L-Button"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "key", "Nonsense"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "dpi", "sideways"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "click", "extra"}), kSetBadInput);
    EXPECT_EQ(Set({"3", "macro", "Fire"}), kSetBadInput); // the store holds no macro
    EXPECT_EQ(Saved().settings, before);

    // A second left click frees the first.
    ASSERT_EQ(Set({"3", "click"}), kSetDone);
    EXPECT_EQ(Set({"1", "snipe"}), kSetDone);
}

TEST_F(ButtonSettingsTest, MacrosByNameOrIndexWithTheirRunMode) {
    MacroStore store(Data("record.ini"));
    ASSERT_EQ(store.WriteMacroNames({"Fire", "Build a house", "Jump"}), 0);
    ASSERT_EQ(Set({"5", "macro", "Build", "a", "house", "while-held"}), kSetDone) << err.str();
    CliProfile saved = Saved();
    EXPECT_EQ(KeyCodeFor(saved.settings, 4), (KeyCode{0x01, 0x02, 0x00, 0x0A}));
    EXPECT_EQ(saved.files.side.captions[4], "Macro:Build a house");
    ASSERT_EQ(Set({"6", "macro", "2"}), kSetDone) << err.str();
    EXPECT_EQ(KeyCodeFor(Saved().settings, 5), (KeyCode{0x02, 0x01, 0x00, 0x0A}));
    ASSERT_EQ(Set({"7", "macro", "Fire", "until-any"}), kSetDone) << err.str();
    EXPECT_EQ(KeyCodeFor(Saved().settings, 6), (KeyCode{0x00, 0x03, 0x00, 0x0A}));
    EXPECT_EQ(Set({"7", "macro", "3"}), kSetBadInput);

    const std::vector<std::string> lines = GetLines();
    EXPECT_EQ(lines[4], "button 5 macro Build a house while-held");
    EXPECT_EQ(lines[5], "button 6 macro Jump once");
}

TEST_F(ButtonSettingsTest, CaptionsFollowTheProfilesLanguage) {
    WriteProfileString(Data("str.ini"), "Skins", "Lan", "CHT");
    ASSERT_EQ(Set({"3", "media", "6"}), kSetDone) << err.str();
    ASSERT_EQ(Set({"4", "key", "a"}), kSetDone) << err.str();
    const CliProfile saved = Saved();
    EXPECT_EQ(saved.files.side.captions[2], "提高音量");
    EXPECT_EQ(saved.files.side.captions[3], "單鍵-A");
}

} // namespace
} // namespace qv530::cli
