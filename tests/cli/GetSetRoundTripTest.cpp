// qv530ctl get's lines fed back to set give the same profile: for records
// edited through set and for records holding stray values a file from
// elsewhere may hold, every line of get goes back through set.
#include <cstdlib>
#include <functional>
#include <sstream>

#include "buttons/ButtonFunction.h"
#include "cli/SettingCommands.h"
#include "macros/MacroStore.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/StartupProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

class GetSetRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530ctl");
        EXPECT_EQ(Set({"rate", "500"}), kSetDone);  // the factory profile saved as the current one
        factory = Config();
        EXPECT_FALSE(factory.empty());
    }
    std::string Data(const std::string& name) const { return home.path() + "/.config/QV530-10800rad/" + name; }
    std::string Config() const { return ReadWholeFile(Data("config0.bin")).value_or(""); }
    void Patch(const std::function<void(MouseSettings&)>& patch) {
        CliProfile profile(DataFolder());
        LoadProfileAtStartUp(profile.files, profile.settings, profile.state, profile.sent, profile.texts);
        patch(profile.settings);
        ASSERT_TRUE(profile.files.SaveCurrentProfile(profile.settings, profile.state));
    }
    int Set(const Args& args) {
        std::ostringstream ignored;
        err.str("");
        return RunSet(args, ignored, err);
    }
    std::string Get() {
        std::ostringstream lines;
        EXPECT_EQ(RunGet({}, lines, err), 0) << err.str();
        return lines.str();
    }
    // Every line of `lines` through set; false at the first refusal.
    bool Replay(const std::string& lines, const std::string& label) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);) {
            Args args;
            std::istringstream words(line);
            for (std::string word; words >> word;) args.push_back(word);
            if (Set(args) != kSetDone) {
                ADD_FAILURE() << label << ": '" << line << "' refused: " << err.str();
                return false;
            }
        }
        return true;
    }
    void WriteFactory() { ASSERT_EQ(WriteFileAtomic(Data("config0.bin"), factory), 0); }

    test::TempDir home;
    std::ostringstream err;
    std::string factory;
};

struct RoundTrip {
    const char* label;
    std::vector<Args> edits;                     // set commands, or
    std::function<void(MouseSettings&)> patch;   // bytes a file from elsewhere holds
};

TEST_F(GetSetRoundTripTest, EveryLineOfGetGoesBackThroughSetToTheSameBytes) {
    const std::vector<RoundTrip> cases = {
        {"factory", {}, nullptr},
        {"dpi edits", {{"dpi", "5", "7300"}, {"dpi", "6", "300", "--variant", "a1dc"}}, nullptr},
        {"lighting edits: breathing's colour cycle kept under neon",
         {{"light", "breathing", "2"}, {"light-color", "cycle"}, {"light", "neon", "6"},
          {"light-palette", "4", "123456"}, {"pad-light", "standard", "1"}, {"pad-light-color", "3"}},
         nullptr},
        {"button edits",
         {{"button", "3", "media", "Volume", "Up"}, {"button", "4", "key", "Num", "Enter"}, {"button", "5", "office", "8"},
          {"button", "6", "windows", "run"}, {"button", "7", "dpi", "loop"}, {"button", "2", "off"}},
         nullptr},
        {"one screen per notch keeps 17 lines", {},
         [](MouseSettings& s) {
             s.at(field::kWheelPageScroll) = 1;
             s.at(field::kWheelLines) = 17;
         }},
        {"stray one-screen flag and line count", {},
         [](MouseSettings& s) {
             s.at(field::kWheelPageScroll) = 2;
             s.at(field::kWheelLines) = 150;
         }},
        {"stray stage codes, flags, rate, levels and lines", {},
         [](MouseSettings& s) {
             s.DpiStageA(0) = 0;
             s.DpiStageA(6) = 181;
             s.DpiStageB(1) = 200;
             s.at(field::kDpiStageOn + 2) = 2;
             s.at(field::kReportRate) = 0;
             s.at(field::kAngleSnapOn) = 3;
             s.at(field::kPointerSpeed) = 0;
             s.at(field::kDoubleClickLevel) = 12;
             s.at(field::kSensitivityX) = 0;
             s.at(field::kSensitivityY) = 200;
             s.at(field::kWheelLines) = 0;
         }},
        {"stray rate code 3", {}, [](MouseSettings& s) { s.at(field::kReportRate) = 3; }},
        {"effects the pages cannot choose, stray levels and colours", {},
         [](MouseSettings& s) {
             s.at(field::kMouseLightMode) = 0;
             s.at(field::kMouseLightMode + 3) = 0;  // neon's level
             s.at(field::kMouseLightColor) = 7;
             s.at(field::kPadLightMode) = 4;
             s.at(field::kPadLightMode + 1) = 9;    // standard's level
         }},
        {"standard holding the colour cycle", {},
         [](MouseSettings& s) {
             s.at(field::kMouseLightMode) = 1;
             s.at(field::kMouseLightColor) = 5;
             s.at(field::kPadLightMode) = 2;
             s.at(field::kPadLightColor) = 5;
         }},
        {"keys without a name, Help, fn on button 2, stray DPI action and function", {},
         [](MouseSettings& s) {
             s.ButtonFunction(1) = function::kFnKey;  // which button 2 cannot be given
             s.ButtonFunction(2) = function::kKeyboardKey;
             s.ButtonExtra(extra::kKeyboardKey, 2) = 0;  // N/A, as "Help" is stored
             s.ButtonFunction(3) = function::kKeyboardKey;
             s.ButtonExtra(extra::kKeyboardKey, 3) = 0xF5;  // no key has it
             s.ButtonFunction(4) = function::kDpiAction;
             s.ButtonParam(4) = 9;
             s.ButtonFunction(5) = 200;
             s.ButtonFunction(6) = function::kKeyboardKey;
             s.ButtonExtra(extra::kKeyboardKey, 6) = 0xF0;  // the left mouse button's usage
         }},
        {"stray table entries", {},
         [](MouseSettings& s) {
             s.ButtonFunction(2) = function::kMultimediaKey;
             s.ButtonExtra(extra::kMultimedia, 2) = 0xEE;
             s.ButtonFunction(3) = function::kOfficeShortcut;
             s.ButtonExtra(extra::kOfficeKey, 3) = 0xEE;
             s.ButtonFunction(4) = function::kWindowsShortcut;
             s.ButtonExtra(extra::kWindowsShortcut, 4) = 0xEE;
         }},
        {"the left click only on button 4", {},
         [](MouseSettings& s) {
             s.ButtonFunction(0) = function::kRightClick;
             s.ButtonFunction(3) = function::kLeftClick;
         }},
        {"macros named like a mode, missing from the store, with a stray mode", {},
         [](MouseSettings& s) {
             for (std::size_t button : {2u, 3u, 4u}) s.ButtonFunction(button) = function::kMacroKey;
             const auto macro = [&](std::size_t button, std::uint8_t number, std::uint8_t mode) {
                 s.ButtonExtra(extra::kMacroNumber, button) = number;
                 s.ButtonExtra(extra::kMacroRunMode, button) = mode;
             };
             macro(2, 0, 0);  // "once", run once
             macro(3, 5, 1);  // no such macro, until any key
             macro(4, 1, 9);  // "Fire", a stray mode
         }},
    };
    ASSERT_EQ(MacroStore(Data("record.ini")).WriteMacroNames({"once", "Fire"}), 0);
    for (const RoundTrip& c : cases) {
        WriteFactory();
        for (const Args& edit : c.edits) ASSERT_EQ(Set(edit), kSetDone) << c.label << ": " << err.str();
        if (c.patch) Patch(c.patch);
        const std::string record = Config();
        const std::string lines = Get();

        // Back through set onto itself: not one byte changes.
        ASSERT_TRUE(Replay(lines, c.label));
        EXPECT_EQ(Config(), record) << c.label << "\n" << lines;
        // Onto the factory profile: get tells the same again.
        WriteFactory();
        ASSERT_TRUE(Replay(lines, c.label));
        EXPECT_EQ(Get(), lines) << c.label;
    }
}

TEST_F(GetSetRoundTripTest, WhatGetPrintsForStrayValuesIsDocumentedWords) {
    ASSERT_EQ(MacroStore(Data("record.ini")).WriteMacroNames({"once"}), 0);
    Patch([](MouseSettings& s) {
        s.at(field::kWheelPageScroll) = 1;
        s.at(field::kWheelLines) = 17;
        s.at(field::kMouseLightMode) = 0;
        s.at(field::kReportRate) = 0;
    });
    const std::string lines = Get();
    for (const char* line : {"wheel page 17\n", "light code 0\n", "rate code 0\n"})
        EXPECT_NE(lines.find(line), std::string::npos) << line << " in\n" << lines;
    // What a user types: the key the window stores as 0, a macro named like
    // a mode without its mode, one screen per notch keeping the count.
    EXPECT_EQ(Set({"button", "3", "key", "Help"}), kSetDone) << err.str();
    EXPECT_EQ(Set({"button", "4", "key", "n/a"}), kSetDone) << err.str();
    EXPECT_EQ(Set({"button", "5", "macro", "once"}), kSetDone) << err.str();
    EXPECT_EQ(Set({"wheel", "5"}), kSetDone);
    EXPECT_EQ(Set({"wheel", "page"}), kSetDone);
    std::ostringstream some;
    ASSERT_EQ(RunGet({"button"}, some, err), 0);
    EXPECT_NE(some.str().find("button 3 key N/A\nbutton 4 key N/A\nbutton 5 macro once once\n"), std::string::npos)
        << some.str();
    std::ostringstream wheel;
    ASSERT_EQ(RunGet({"wheel"}, wheel, err), 0);
    EXPECT_EQ(wheel.str(), "wheel page 5\n");
    // Words the pages do not offer stay refused.
    for (const Args& bad : {Args{"light", "off"}, Args{"light", "code", "256"}, Args{"wheel", "page", "5", "code", "0"},
                            Args{"rate", "code"}, Args{"button", "3", "code", "1", "2"}})
        EXPECT_EQ(Set(bad), kSetBadInput) << bad[0] << " " << bad[1];
}

} // namespace
} // namespace qv530::cli
