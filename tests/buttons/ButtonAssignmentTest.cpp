#include "buttons/ButtonAssignment.h"

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionCatalogue.h"
#include "buttons/FunctionName.h"
#include "buttons/KeyCode.h"
#include "buttons/KeyTable.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

namespace cmd = menucommand;

UiStrings Texts(std::string_view language) {
    UiStrings texts;
    LoadUiStrings(texts, language);
    return texts;
}

MouseSettings Defaults() {
    MouseSettings s;
    ResetToDefaults(s);
    return s;
}

std::uint8_t Extra(const MouseSettings& s, std::size_t table, std::size_t button) {
    return s.at(field::kButtonExtra + field::kButtonSlots * table + button);
}

std::vector<int> Commands(const std::vector<FunctionMenuEntry>& menu) {
    std::vector<int> commands;
    for (const auto& entry : menu) commands.push_back(entry.command);
    return commands;
}

TEST(FunctionMenu, FifteenEntriesInOrderAndButtonTwoWithoutFn) {
    const UiStrings en = Texts("EN");
    const auto menu = FunctionMenuFor(0, en, "EN");
    EXPECT_EQ(Commands(menu), (std::vector<int>{2001, 2002, 2003, 2004, 2005, 2006, 2009, 2010, 0, 0, 0, 0, 2011,
                                                 2012, 2013}));
    std::vector<std::string> texts;
    for (const auto& entry : menu) texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Click", "Menu", "Scroll ", "Forward", "Back", "Double-Click", "Fn",
                                               "Snipe", "DPI Setting +", "Multimedia Commands +", "Basic Commands +",
                                               "Additional Commands +", "Assign Keyboard Key", "Macro",
                                               "Deactivated"}));
    EXPECT_EQ(Commands(menu[8].submenu), (std::vector<int>{2020, 2021, 2022}));
    EXPECT_EQ(menu[9].submenu.size(), 8u);
    EXPECT_EQ(menu[9].submenu[6].command, 2056);
    EXPECT_EQ(menu[9].submenu[6].text, "Volume Up");
    EXPECT_EQ(menu[10].submenu.size(), 10u);
    EXPECT_EQ(menu[10].submenu.front().command, 2060);
    EXPECT_EQ(menu[11].submenu.size(), 7u);
    EXPECT_EQ(menu[11].submenu.back().command, 2036);
    EXPECT_EQ(menu[11].submenu.back().text, "Run");

    for (std::size_t button = 0; button < 7; ++button) {
        const auto commands = Commands(FunctionMenuFor(button, en, "EN"));
        const bool hasFn = std::find(commands.begin(), commands.end(), cmd::kFn) != commands.end();
        EXPECT_EQ(hasFn, button != 1) << "button " << button + 1;
        EXPECT_EQ(commands.size(), button == 1 ? 14u : 15u);
    }
}

TEST(FunctionMenu, SubmenusFollowTheMenuLanguage) {
    const auto chs = FunctionMenuFor(0, Texts("CHS"), "CHS");
    EXPECT_EQ(chs[0].text, "左键");
    EXPECT_EQ(chs[8].text, "DPI切换 +");
    EXPECT_EQ(chs[8].submenu[2].text, "DPI loop");
    EXPECT_EQ(chs[9].text, "多媒体 +");
    EXPECT_EQ(chs[9].submenu[6].text, "音量+");
    EXPECT_EQ(FunctionMenuFor(0, Texts("CHT"), "CHT")[9].submenu[6].text, "提高音量");
    const auto de = FunctionMenuFor(0, Texts("DE"), "DE");
    EXPECT_EQ(de[9].submenu[6].text, "Lautstärke +");
    EXPECT_EQ(de[10].submenu[8].text, "Rückgängig machen");
}

TEST(AssignMenuCommand, EveryCommandStoresItsCodeAndParameter) {
    struct Case {
        int command;
        std::uint8_t code;
        KeyCode sent;
    };
    const Case cases[] = {
        {2001, 0, {0x00, 0xF0, 0x00, 0x02}},  {2002, 1, {0x00, 0xF1, 0x00, 0x02}},
        {2003, 2, {0x00, 0xF2, 0x00, 0x02}},  {2004, 3, {0x00, 0xF4, 0x00, 0x02}},
        {2005, 4, {0x00, 0xF3, 0x00, 0x02}},  {2006, 5, {0x02, 0xF0, 0x01, 0x0C}},
        {2007, 15, {0x00, 0xF5, 0x00, 0x02}}, {2008, 16, {0x00, 0xF6, 0x00, 0x02}},
        {2009, 17, {0x00, 0x00, 0x04, 0x0C}}, {2010, 18, {0x00, 0x07, 0x02, 0x0C}},
        {2013, 13, {0x00, 0x00, 0x00, 0x00}}, {2020, 6, {0x00, 0x00, 0x01, 0x08}},
        {2022, 6, {0x00, 0x00, 0x03, 0x08}},  {2030, 9, {0x01, 0x94, 0x00, 0x04}},
        {2033, 9, {0x1B, 0x2C, 0xE2, 0x01}},  {2036, 9, {0x00, 0x15, 0xE3, 0x01}},
        {2050, 7, {0x01, 0x83, 0x00, 0x04}},  {2055, 7, {0x00, 0xE2, 0x00, 0x04}},
        {2056, 7, {0x00, 0xE9, 0x00, 0x04}},  {2057, 7, {0x00, 0xEA, 0x00, 0x04}},
        {2060, 8, {0x00, 0x11, 0xE0, 0x01}},  {2069, 8, {0x00, 0x04, 0xE0, 0x01}},
    };
    for (const Case& c : cases) {
        MouseSettings s = Defaults();
        ASSERT_TRUE(AssignMenuCommand(s, 2, c.command)) << c.command;
        EXPECT_EQ(s.at(field::kButtonFunction + 2), c.code) << c.command;
        EXPECT_EQ(KeyCodeFor(s, 2), c.sent) << c.command;
    }
    // Every command of the table is taken, every other is not and changes nothing.
    for (int command = 1990; command < 2080; ++command) {
        MouseSettings s = Defaults();
        const bool dialog = command == cmd::kKeyboardKey || command == cmd::kMacro;
        EXPECT_EQ(AssignMenuCommand(s, 0, command), ChoiceForMenuCommand(command).has_value() && !dialog) << command;
        if (!ChoiceForMenuCommand(command) || dialog) {
            EXPECT_EQ(s, Defaults()) << command;
        }
    }
}

TEST(AssignMenuCommand, ParametersAreWrittenOnlyWithTheirCodeAndFnNeverOnButtonTwo) {
    MouseSettings s = Defaults();
    ASSERT_TRUE(AssignMenuCommand(s, 4, 2056)); // Volume Up
    ASSERT_TRUE(AssignMenuCommand(s, 4, 2021)); // DPI -
    EXPECT_EQ(Extra(s, extra::kMultimedia, 4), 0xE9); // the old parameter stays
    EXPECT_EQ(s.at(field::kButtonParam + 4), 2);
    ASSERT_TRUE(AssignMenuCommand(s, 4, 2001));
    EXPECT_EQ(s.at(field::kButtonParam + 4), 2);
    EXPECT_EQ(KeyTableEntryOfButton(4), 3u);
    EXPECT_EQ(BuildKeyTable(s)[3 * 4 + 1], 0xF0); // button 5 goes to entry 3

    const MouseSettings before = s;
    EXPECT_FALSE(AssignMenuCommand(s, kButtonWithoutFn, cmd::kFn));
    EXPECT_FALSE(AssignMenuCommand(s, 7, cmd::kLeftClick)); // only the seven buttons
    EXPECT_EQ(s, before);
    EXPECT_FALSE(IsOfferedCommand(0, cmd::kTiltLeft));
    EXPECT_TRUE(IsOfferedCommand(0, cmd::kFn));
}

TEST(Captions, MenuCommandsInFourLanguagesAgreeWithTheCatalogueNames) {
    EXPECT_EQ(MenuCommandCaption(2056, Texts("CHS"), "CHS"), "音量+");
    EXPECT_EQ(MenuCommandCaption(2056, Texts("CHT"), "CHT"), "提高音量");
    EXPECT_EQ(MenuCommandCaption(2056, Texts("EN"), "EN"), "Volume Up");
    EXPECT_EQ(MenuCommandCaption(2056, Texts("DE"), "DE"), "Lautstärke +");
    EXPECT_EQ(MenuCommandCaption(2003, Texts("EN"), "EN"), "Scroll ");
    EXPECT_EQ(MenuCommandCaption(2009, Texts("CHS"), "CHS"), "Fn");
    EXPECT_EQ(MenuCommandCaption(2022, Texts("CHT"), "CHT"), "DPI循環檔");
    EXPECT_EQ(MenuCommandCaption(2013, Texts("DE"), "DE"), "Deaktiviert");
    EXPECT_EQ(MenuCommandCaption(2011, Texts("EN"), "EN"), "");
    EXPECT_EQ(MenuCommandCaption(2070, Texts("EN"), "EN"), "");

    // The captions the menu gives are the names the catalogue shows for the stored bytes.
    for (const char* language : {"CHS", "CHT", "EN", "DE"}) {
        const UiStrings texts = Texts(language);
        for (int command = 2001; command <= 2069; ++command) {
            MouseSettings s = Defaults();
            if (!AssignMenuCommand(s, 2, command)) continue;
            const std::uint8_t code = s.at(field::kButtonFunction + 2);
            std::uint8_t parameter = 0;
            if (code == function::kDpiAction) parameter = s.at(field::kButtonParam + 2);
            if (code == function::kMultimediaKey) parameter = Extra(s, extra::kMultimedia, 2);
            if (code == function::kOfficeShortcut) parameter = Extra(s, extra::kOfficeKey, 2);
            if (code == function::kWindowsShortcut) parameter = Extra(s, extra::kWindowsShortcut, 2);
            EXPECT_EQ(MenuCommandCaption(command, texts, language), FunctionName(code, parameter, language))
                << language << " " << command;
        }
    }
}

TEST(AssignKeyboardKey, StoresTheUsageAndComposesTheCaption) {
    MouseSettings s = Defaults();
    EXPECT_FALSE(AssignKeyboardKey(s, 3, ""));
    EXPECT_EQ(s, Defaults());
    ASSERT_TRUE(AssignKeyboardKey(s, 3, "Num Enter"));
    EXPECT_EQ(Extra(s, extra::kKeyboardKey, 3), 0x58);
    EXPECT_EQ(s.at(field::kButtonFunction + 3), function::kKeyboardKey);
    EXPECT_EQ(KeyCodeFor(s, 3), (KeyCode{0x00, 0x58, 0x00, 0x01}));
    ASSERT_TRUE(AssignKeyboardKey(s, 3, "Enter"));
    EXPECT_EQ(Extra(s, extra::kKeyboardKey, 3), 0x28);
    ASSERT_TRUE(AssignKeyboardKey(s, 3, "Help")); // captured, but without a usage
    EXPECT_EQ(Extra(s, extra::kKeyboardKey, 3), 0);
    EXPECT_EQ(KeyCapturePreset(s, 3), "");

    EXPECT_EQ(KeyboardKeyCaption("A", Texts("CHS")), "单键-A");
    EXPECT_EQ(KeyboardKeyCaption("Help", Texts("EN")), "Assign Keyboard Key-Help");
    ASSERT_TRUE(AssignKeyboardKey(s, 3, "App"));
    EXPECT_EQ(KeyCapturePreset(s, 3), "Application");
    s.ButtonExtra(extra::kKeyboardKey, 3) = 0x99; // not in the catalogue
    EXPECT_EQ(KeyCapturePreset(s, 3), "N/A");
}

TEST(AssignMacro, StoresNumberAndModeAndIsSentAsItsFourBytes) {
    MouseSettings s = Defaults();
    EXPECT_FALSE(AssignMacro(s, 1, -1, 0));
    EXPECT_FALSE(AssignMacro(s, 1, 0, 3));
    EXPECT_EQ(s, Defaults());
    ASSERT_TRUE(AssignMacro(s, 1, 2, kMacroRunWhileHeld));
    EXPECT_EQ(Extra(s, extra::kMacroNumber, 1), 2);
    EXPECT_EQ(Extra(s, extra::kMacroRunMode, 1), 2);
    EXPECT_EQ(KeyCodeFor(s, 1), (KeyCode{0x02, 0x02, 0x00, 0x0A}));
    ASSERT_TRUE(AssignMacro(s, 1, 0, kMacroRunUntilAnyKey));
    EXPECT_EQ(KeyCodeFor(s, 1), (KeyCode{0x00, 0x03, 0x00, 0x0A}));
    EXPECT_EQ(MacroCaption("Fire", Texts("CHT")), "巨集鍵:Fire");
}

TEST(MacroPreset, TakesTheNameAfterTheLastColonAndTheStoredBytes) {
    MouseSettings s = Defaults();
    ASSERT_TRUE(AssignMacro(s, 5, 4, kMacroRunWhileHeld));
    const UiStrings en = Texts("EN");

    MacroPreset preset = MacroPresetFor(s, 5, "Macro:Fire", en);
    EXPECT_EQ(preset.name, "Fire");
    EXPECT_EQ(preset.number, 4);
    EXPECT_EQ(preset.runMode, 2);
    EXPECT_EQ(MacroPresetFor(s, 5, "Macro:a:b", en).name, "b");
    EXPECT_EQ(MacroPresetFor(s, 5, "Macro", en).name, "Macro"); // no ":": the whole caption
    // A macro renamed since: the caption keeps the old name and the old number.
    EXPECT_EQ(MacroPresetFor(s, 5, "Macro:Old name", en).name, "Old name");

    const MacroPreset none = MacroPresetFor(s, 5, "Click", en);
    EXPECT_EQ(none.name, "");
    EXPECT_EQ(none.number, -1);
    EXPECT_EQ(none.runMode, 0);
    EXPECT_EQ(MacroPresetFor(s, 5, "巨集鍵:x", Texts("CHT")).name, "x");
    EXPECT_EQ(MacroPresetFor(s, 5, "anything", UiStrings{}).number, -1); // no language, no macro word
}

} // namespace
} // namespace qv530
