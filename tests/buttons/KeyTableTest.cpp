#include "buttons/KeyTable.h"

#include "buttons/ButtonFunction.h"
#include "buttons/KeyCode.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

MouseSettings Defaults() {
    MouseSettings settings;
    ResetToDefaults(settings);
    return settings;
}

KeyCode Entry(const std::array<std::uint8_t, kKeyTableSize>& table, std::size_t entry) {
    return {table[4 * entry], table[4 * entry + 1], table[4 * entry + 2], table[4 * entry + 3]};
}

void SetFunction(MouseSettings& s, std::size_t button, std::uint8_t code) { s.ButtonFunction(button) = code; }

TEST(KeyTable, FactoryDefaults) {
    const auto table = BuildKeyTable(Defaults());
    const std::array<KeyCode, 16> expected{{
        {0x00, 0xF0, 0x00, 0x02}, {0x00, 0xF1, 0x00, 0x02}, {0x00, 0xF2, 0x00, 0x02},
        {0x00, 0x07, 0x02, 0x0C}, {0x00, 0x00, 0x04, 0x0C}, {0x00, 0x00, 0x01, 0x08},
        {0x00, 0x00, 0x02, 0x08}, {0x00, 0x00, 0x03, 0x0C}, {0x00, 0x00, 0x01, 0x0B},
        {}, {}, {}, {}, {},
        {0x00, 0x01, 0x01, 0x05}, {0x00, 0x01, 0x02, 0x05},
    }};
    for (std::size_t entry = 0; entry < expected.size(); ++entry) {
        EXPECT_EQ(Entry(table, entry), expected[entry]) << "entry " << entry;
    }
}

TEST(KeyTable, EighthSlotNeverReachesTheTable) {
    auto settings = Defaults();
    SetFunction(settings, 7, function::kLeftClick);
    EXPECT_EQ(BuildKeyTable(settings), BuildKeyTable(Defaults()));
}

TEST(KeyCode, ParameterisedFunctions) {
    auto s = Defaults();
    SetFunction(s, 0, function::kMultimediaKey);
    s.ButtonExtra(extra::kMultimedia, 0) = 0x83;
    EXPECT_EQ(KeyCodeFor(s, 0), (KeyCode{0x01, 0x83, 0x00, 0x04}));
    s.ButtonExtra(extra::kMultimedia, 0) = 0xE2;
    EXPECT_EQ(KeyCodeFor(s, 0), (KeyCode{0x00, 0xE2, 0x00, 0x04}));

    SetFunction(s, 1, function::kOfficeShortcut);
    s.ButtonExtra(extra::kOfficeKey, 1) = 0x06;
    EXPECT_EQ(KeyCodeFor(s, 1), (KeyCode{0x00, 0x06, 0xE0, 0x01}));

    SetFunction(s, 2, function::kKeyboardKey);
    s.ButtonExtra(extra::kKeyboardKey, 2) = 0x04;
    EXPECT_EQ(KeyCodeFor(s, 2), (KeyCode{0x00, 0x04, 0x00, 0x01}));

    SetFunction(s, 3, function::kWindowsShortcut);
    s.ButtonExtra(extra::kWindowsShortcut, 3) = 3;
    EXPECT_EQ(KeyCodeFor(s, 3), (KeyCode{0x1B, 0x2C, 0xE2, 0x01}));
    s.ButtonExtra(extra::kWindowsShortcut, 3) = 6;
    EXPECT_EQ(KeyCodeFor(s, 3), (KeyCode{0x00, 0x15, 0xE3, 0x01}));
    s.ButtonExtra(extra::kWindowsShortcut, 3) = 7;
    EXPECT_EQ(KeyCodeFor(s, 3), KeyCode{});

    SetFunction(s, 4, function::kDoubleClick);
    EXPECT_EQ(KeyCodeFor(s, 4), (KeyCode{0x02, 0xF0, 0x01, 0x0C}));
    SetFunction(s, 4, function::kForward);
    EXPECT_EQ(KeyCodeFor(s, 4), (KeyCode{0x00, 0xF4, 0x00, 0x02}));
    SetFunction(s, 4, function::kBack);
    EXPECT_EQ(KeyCodeFor(s, 4), (KeyCode{0x00, 0xF3, 0x00, 0x02}));
    SetFunction(s, 4, function::kTiltRight);
    EXPECT_EQ(KeyCodeFor(s, 4), (KeyCode{0x00, 0xF6, 0x00, 0x02}));
}

TEST(KeyCode, MacroRunModesAndUnusedCodes) {
    auto s = Defaults();
    SetFunction(s, 5, function::kMacroKey);
    s.ButtonExtra(extra::kMacroNumber, 5) = 4;
    const std::array<std::pair<std::uint8_t, std::uint8_t>, 4> modes{{{0, 1}, {1, 3}, {2, 2}, {9, 9}}};
    for (const auto& [stored, sent] : modes) {
        s.ButtonExtra(extra::kMacroRunMode, 5) = stored;
        EXPECT_EQ(KeyCodeFor(s, 5), (KeyCode{0x04, sent, 0x00, 0x0A})) << int{stored};
    }
    for (const std::uint8_t code : std::array<std::uint8_t, 5>{12, 13, 14, 19, 255}) {
        SetFunction(s, 6, code);
        EXPECT_EQ(KeyCodeFor(s, 6), KeyCode{}) << int{code};
    }
}

TEST(KeyTable, SwappedButtonsFollowTheirEntries) {
    auto s = Defaults();
    SetFunction(s, 3, function::kKeyboardKey);
    s.ButtonExtra(extra::kKeyboardKey, 3) = 0x2C;
    const auto table = BuildKeyTable(s);
    EXPECT_EQ(Entry(table, 4), (KeyCode{0x00, 0x2C, 0x00, 0x01}));
    EXPECT_EQ(Entry(table, 3), (KeyCode{0x00, 0x07, 0x02, 0x0C}));
}

} // namespace
} // namespace qv530
