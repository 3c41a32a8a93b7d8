#include "platform/qt/KeyTranslation.h"

#include <QtGui/QKeyEvent>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr std::uint32_t kExt = kKeyFlagExtended;
constexpr std::uint32_t kUp = kKeyFlagUp;
// X11 keycode of an evdev code.
constexpr std::uint32_t X(std::uint32_t evdev) { return evdev + 8; }

struct Row {
    const char* what;
    std::uint32_t scanCode;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    std::uint16_t virtualKey;
    std::uint32_t flags;
};

TEST(KeyTranslation, PhysicalKeys) {
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Row rows[] = {
        {"A on a US layout", X(30), Qt::Key_A, none, 0x41, 0},
        {"the A key on AZERTY types Q", X(30), Qt::Key_Q, none, 0x41, 0},
        {"the Z key on QWERTZ types Y", X(44), Qt::Key_Y, none, 0x5A, 0},
        {"1 with Shift", X(2), Qt::Key_Exclam, Qt::ShiftModifier, 0x31, 0},
        {"left Shift", X(42), Qt::Key_Shift, none, 0xA0, 0},
        {"right Shift", X(54), Qt::Key_Shift, none, 0xA1, 0},
        {"left Ctrl", X(29), Qt::Key_Control, none, 0xA2, 0},
        {"right Ctrl", X(97), Qt::Key_Control, none, 0xA3, kExt},
        {"left Alt", X(56), Qt::Key_Alt, none, 0xA4, 0},
        {"AltGr", X(100), Qt::Key_AltGr, none, 0xA5, kExt},
        {"left Windows", X(125), Qt::Key_Super_L, none, 0x5B, kExt},
        {"right Windows", X(126), Qt::Key_Super_R, none, 0x5C, kExt},
        {"menu key", X(127), Qt::Key_Menu, none, 0x5D, kExt},
        {"Enter", X(28), Qt::Key_Return, none, 0x0D, 0},
        {"keypad Enter", X(96), Qt::Key_Enter, keypad, 0x0D, kExt},
        {"keypad 7 with Num Lock", X(71), Qt::Key_7, keypad, 0x67, 0},
        {"keypad 7 without Num Lock", X(71), Qt::Key_Home, keypad, 0x24, 0},
        {"keypad 5 without Num Lock", X(76), Qt::Key_Clear, keypad, 0x0C, 0},
        {"keypad 0 with Num Lock", X(82), Qt::Key_0, keypad, 0x60, 0},
        {"keypad decimal, German layout", X(83), Qt::Key_Comma, keypad, 0x6E, 0},
        {"keypad decimal without Num Lock", X(83), Qt::Key_Delete, keypad, 0x2E, 0},
        {"keypad /", X(98), Qt::Key_Slash, keypad, 0x6F, kExt},
        {"keypad *", X(55), Qt::Key_Asterisk, keypad, 0x6A, 0},
        {"keypad -", X(74), Qt::Key_Minus, keypad, 0x6D, 0},
        {"keypad +", X(78), Qt::Key_Plus, keypad, 0x6B, 0},
        {"Num Lock", X(69), Qt::Key_NumLock, none, 0x90, kExt},
        {"Up", X(103), Qt::Key_Up, none, 0x26, kExt},
        {"Left", X(105), Qt::Key_Left, none, 0x25, kExt},
        {"Insert", X(110), Qt::Key_Insert, none, 0x2D, kExt},
        {"Delete", X(111), Qt::Key_Delete, none, 0x2E, kExt},
        {"Home", X(102), Qt::Key_Home, none, 0x24, kExt},
        {"Page Down", X(109), Qt::Key_PageDown, none, 0x22, kExt},
        {"F1", X(59), Qt::Key_F1, none, 0x70, 0},
        {"F10", X(68), Qt::Key_F10, none, 0x79, 0},
        {"F12", X(88), Qt::Key_F12, none, 0x7B, 0},
        {"Pause", X(119), Qt::Key_Pause, none, 0x13, 0},
        {"Ctrl+Pause is Break", X(119), Qt::Key_Cancel, Qt::ControlModifier, 0x03, kExt},
        {"Print", X(99), Qt::Key_Print, none, 0x2C, kExt},
        {"Scroll Lock", X(70), Qt::Key_ScrollLock, none, 0x91, 0},
        {"Caps Lock", X(58), Qt::Key_CapsLock, none, 0x14, 0},
        {"-", X(12), Qt::Key_Minus, none, 0xBD, 0},
        {"=", X(13), Qt::Key_Equal, none, 0xBB, 0},
        {"[", X(26), Qt::Key_BracketLeft, none, 0xDB, 0},
        {"]", X(27), Qt::Key_BracketRight, none, 0xDD, 0},
        {";", X(39), Qt::Key_Semicolon, none, 0xBA, 0},
        {"'", X(40), Qt::Key_Apostrophe, none, 0xDE, 0},
        {"`", X(41), Qt::Key_QuoteLeft, none, 0xC0, 0},
        {"\\", X(43), Qt::Key_Backslash, none, 0xDC, 0},
        {",", X(51), Qt::Key_Comma, none, 0xBC, 0},
        {".", X(52), Qt::Key_Period, none, 0xBE, 0},
        {"/", X(53), Qt::Key_Slash, none, 0xBF, 0},
        {"/ on a German layout types -", X(53), Qt::Key_Minus, none, 0xBF, 0},
        {"unknown scan code falls back to the key", X(183), Qt::Key_F13, none, 0x7C, 0},
        // No scan code: the Qt key decides.
        {"keysym A", 0, Qt::Key_A, none, 0x41, 0},
        {"keysym question mark", 0, Qt::Key_Question, Qt::ShiftModifier, 0xBF, 0},
        {"keysym keypad 3", 0, Qt::Key_3, keypad, 0x63, 0},
        {"keysym keypad Enter", 0, Qt::Key_Enter, keypad, 0x0D, kExt},
        {"keysym keypad End", 0, Qt::Key_End, keypad, 0x23, 0},
        {"keysym End", 0, Qt::Key_End, none, 0x23, kExt},
        {"keysym Menu", 0, Qt::Key_Menu, none, 0x5D, kExt},
        {"keysym AltGr", 0, Qt::Key_AltGr, none, 0xA5, kExt},
    };
    for (const Row& row : rows) {
        const auto press = TranslateKey(row.scanCode, row.qtKey, row.modifiers, false, false);
        ASSERT_TRUE(press) << row.what;
        EXPECT_EQ(*press, (TranslatedKey{row.virtualKey, row.flags})) << row.what;
        const auto release = TranslateKey(row.scanCode, row.qtKey, row.modifiers, true, false);
        ASSERT_TRUE(release) << row.what;
        EXPECT_EQ(*release, (TranslatedKey{row.virtualKey, row.flags | kUp})) << row.what;
    }
}

TEST(KeyTranslation, AutoRepeatAndUnknownKeysGiveNothing) {
    EXPECT_FALSE(TranslateKey(X(30), Qt::Key_A, {}, false, true));
    EXPECT_FALSE(TranslateKey(X(30), Qt::Key_A, {}, true, true));
    EXPECT_FALSE(TranslateKey(0, Qt::Key_unknown, {}, false, false));
    EXPECT_FALSE(TranslateKey(X(240), Qt::Key_unknown, {}, false, false));
}

TEST(KeyTranslation, FromAKeyEvent) {
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, X(97), 0xffe4, 0);
    EXPECT_EQ(TranslateKeyEvent(press), (TranslatedKey{0xA3, kExt}));
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, X(96), 0xff8d, 0);
    EXPECT_EQ(TranslateKeyEvent(release), (TranslatedKey{0x0D, kExt | kUp}));
    const QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, X(30), 0x61, 0, QString("a"), true);
    EXPECT_FALSE(TranslateKeyEvent(repeat));
}

} // namespace
} // namespace qv530
