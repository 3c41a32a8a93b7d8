#include "buttons/FunctionName.h"
#include "lang/UiStrings.h"

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionCatalogue.h"
#include "buttons/LeftClickRule.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(FunctionName, SingleFunctionsAndLanguageRule) {
    EXPECT_EQ(FunctionName(function::kLeftClick, 0, "CHS"), "左键");
    EXPECT_EQ(FunctionName(function::kLeftClick, 0, "EN"), "Click");
    EXPECT_EQ(FunctionName(function::kMiddleClick, 0, "EN"), "Scroll ");
    EXPECT_EQ(FunctionName(function::kFnKey, 0, "CHT"), "Fn");
    EXPECT_EQ(FunctionName(function::kSnipeKey, 0, "CHS"), "狙击键");
    // Any code other than the three gives English, lower case included.
    EXPECT_EQ(FunctionName(function::kDisabled, 0, "en"), "Deactivated");
    EXPECT_EQ(FunctionName(function::kDisabled, 0, ""), "Deactivated");
    EXPECT_EQ(FunctionName(12, 0, "EN"), "");
}

TEST(FunctionName, ParameterTables) {
    EXPECT_EQ(FunctionName(function::kDpiAction, 3, "CHT"), "DPI循環檔");
    EXPECT_EQ(FunctionName(function::kDpiAction, 3, "DE"), "DPI Schleife");
    EXPECT_EQ(FunctionName(function::kDpiAction, 13, "EN"), "");
    EXPECT_EQ(FunctionName(function::kMultimediaKey, 0x83, "DE"), "Mediaplayer öffnen");
    EXPECT_EQ(FunctionName(function::kMultimediaKey, 0xE9, "CHT"), "提高音量");
    EXPECT_EQ(FunctionName(function::kOfficeShortcut, 0x1D, "CHT"), "復原");
    EXPECT_EQ(FunctionName(function::kOfficeShortcut, 0x04, "EN"), "Select All");
    EXPECT_EQ(FunctionName(function::kWindowsShortcut, 2, "CHT"), "搜尋程式及檔案");
    EXPECT_EQ(FunctionName(function::kWindowsShortcut, 7, "EN"), "");
}

TEST(FunctionName, ComposedLabels) {
    EXPECT_EQ(FunctionName(function::kKeyboardKey, 0x04, "CHS"), "单键-A");
    EXPECT_EQ(FunctionName(function::kKeyboardKey, 0x00, "EN"), "Assign Keyboard Key-N/A");
    EXPECT_EQ(FunctionName(function::kKeyboardKey, 0x65, "EN", "App"), "Assign Keyboard Key-App");
    EXPECT_EQ(FunctionName(function::kKeyboardKey, 0x65, "EN"), "Assign Keyboard Key-Application");
    EXPECT_EQ(FunctionName(function::kMacroKey, 2, "EN", "Macro_3"), "Macro:Macro_3");
    EXPECT_EQ(FunctionName(function::kMacroKey, 2, "CHT", "Fire"), "巨集鍵:Fire");
}

TEST(FunctionCatalogue, MenuCommands) {
    const auto check = [](int command, std::uint8_t code, std::optional<std::uint8_t> parameter) {
        const auto choice = ChoiceForMenuCommand(command);
        ASSERT_TRUE(choice) << command;
        EXPECT_EQ(choice->code, code) << command;
        EXPECT_EQ(choice->parameter, parameter) << command;
    };
    check(2001, function::kLeftClick, std::nullopt);
    check(2006, function::kDoubleClick, std::nullopt);
    check(2007, function::kTiltLeft, std::nullopt);
    check(2010, function::kSnipeKey, std::nullopt);
    check(2011, function::kKeyboardKey, std::nullopt);
    check(2012, function::kMacroKey, std::nullopt);
    check(2013, function::kDisabled, std::nullopt);
    check(2022, function::kDpiAction, 3);
    check(2030, function::kWindowsShortcut, 0);
    check(2036, function::kWindowsShortcut, 6);
    check(2050, function::kMultimediaKey, 0x83);
    check(2057, function::kMultimediaKey, 0xEA);
    check(2060, function::kOfficeShortcut, 0x11);
    check(2069, function::kOfficeShortcut, 0x04);
    for (int unused : {2000, 2014, 2019, 2023, 2037, 2058, 2070}) {
        EXPECT_FALSE(ChoiceForMenuCommand(unused)) << unused;
    }
}

TEST(LeftClickRule, OnlyTheLastLeftClickIsLocked) {
    MouseSettings s;
    ResetToDefaults(s);
    EXPECT_TRUE(IsLastLeftClick(s, 0));
    EXPECT_FALSE(IsLastLeftClick(s, 1));
    s.ButtonFunction(4) = function::kLeftClick;
    EXPECT_FALSE(IsLastLeftClick(s, 0));
    s.ButtonFunction(4) = function::kDisabled;
    s.ButtonFunction(7) = function::kLeftClick;  // the eighth slot does not count
    EXPECT_TRUE(IsLastLeftClick(s, 0));
    s.ButtonFunction(0) = function::kRightClick;
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(IsLastLeftClick(s, i));
    }
}

} // namespace
} // namespace qv530

// The selector captions and the window's text slots must not drift apart.

namespace qv530 {
namespace {

TEST(FunctionName, AgreesWithTheTextSlotsInEveryLanguage) {
    const struct {
        std::uint8_t code;
        int slot;
    } rows[] = {{0, 510}, {1, 511}, {2, 512}, {3, 513}, {4, 514}, {5, 531}, {13, 528}, {15, 529}, {16, 530}, {18, 535}};
    for (const char* language : {"CHS", "CHT", "EN", "DE"}) {
        UiStrings texts;
        LoadUiStrings(texts, language);
        for (const auto& row : rows) EXPECT_EQ(FunctionName(row.code, 0, language), texts.UiString(row.slot)) << language;
        for (std::uint8_t action = 1; action <= 3; ++action)
            EXPECT_EQ(FunctionName(6, action, language), texts.UiString(40 + action)) << language;
        EXPECT_EQ(KeyboardKeyLabel("A", language), texts.UiString(524) + "-A") << language;
        EXPECT_EQ(MacroKeyLabel("m", language), texts.UiString(527) + ":m") << language;
    }
}

} // namespace
} // namespace qv530
