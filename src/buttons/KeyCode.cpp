#include "buttons/KeyCode.h"

#include "buttons/ButtonFunction.h"

namespace qv530 {
namespace {

// Kinds in b3.
constexpr std::uint8_t kKindKeyboard = 0x01;
constexpr std::uint8_t kKindMouse = 0x02;
constexpr std::uint8_t kKindConsumer = 0x04;
constexpr std::uint8_t kKindDpi = 0x08;
constexpr std::uint8_t kKindMacro = 0x0A;
constexpr std::uint8_t kKindSpecial = 0x0C;

// Mouse buttons in b1.
constexpr std::uint8_t kMouseLeft = 0xF0;
constexpr std::uint8_t kMouseRight = 0xF1;
constexpr std::uint8_t kMouseMiddle = 0xF2;
constexpr std::uint8_t kMouseBack = 0xF3;
constexpr std::uint8_t kMouseForward = 0xF4;
constexpr std::uint8_t kMouseTiltLeft = 0xF5;
constexpr std::uint8_t kMouseTiltRight = 0xF6;

constexpr std::uint8_t kModifierLeftCtrl = 0xE0;
// The consumer usage 0x0183 is stored as its low byte only.
constexpr std::uint8_t kMediaPlayerLowByte = 0x83;

constexpr KeyCode MouseButton(std::uint8_t button) { return {0x00, button, 0x00, kKindMouse}; }

constexpr std::array<KeyCode, 7> kWindowsShortcuts{{
    {0x01, 0x94, 0x00, kKindConsumer},  // My computer
    {0x02, 0x23, 0x00, kKindConsumer},  // Web home
    {0x02, 0x21, 0x00, kKindConsumer},  // Search
    {0x1B, 0x2C, 0xE2, kKindKeyboard},  // Alt + Space, X: maximise
    {0x11, 0x2C, 0xE2, kKindKeyboard},  // Alt + Space, N: minimise
    {0x00, 0x07, 0xE3, kKindKeyboard},  // GUI + D: show desktop
    {0x00, 0x15, 0xE3, kKindKeyboard},  // GUI + R: run
}};

} // namespace

KeyCode WindowsShortcutKeyCode(std::uint8_t index) {
    return index < kWindowsShortcuts.size() ? kWindowsShortcuts[index] : KeyCode{};
}

std::uint8_t MacroRunModeCode(std::uint8_t storedMode) {
    switch (storedMode) {
    case 0: return 1;
    case 1: return 3;
    case 2: return 2;
    default: return storedMode;
    }
}

KeyCode KeyCodeFor(const MouseSettings& settings, std::size_t button) {
    const auto extraByte = [&](std::size_t table) {
        return settings.at(field::kButtonExtra + field::kButtonSlots * table + button);
    };
    switch (settings.at(field::kButtonFunction + button)) {
    case function::kLeftClick: return MouseButton(kMouseLeft);
    case function::kRightClick: return MouseButton(kMouseRight);
    case function::kMiddleClick: return MouseButton(kMouseMiddle);
    case function::kForward: return MouseButton(kMouseForward);
    case function::kBack: return MouseButton(kMouseBack);
    case function::kTiltLeft: return MouseButton(kMouseTiltLeft);
    case function::kTiltRight: return MouseButton(kMouseTiltRight);
    case function::kDoubleClick: return {0x02, kMouseLeft, 0x01, kKindSpecial};
    case function::kDpiAction: return {0x00, 0x00, settings.at(field::kButtonParam + button), kKindDpi};
    case function::kMultimediaKey: {
        const std::uint8_t low = extraByte(extra::kMultimedia);
        return {static_cast<std::uint8_t>(low == kMediaPlayerLowByte ? 0x01 : 0x00), low, 0x00, kKindConsumer};
    }
    case function::kOfficeShortcut: return {0x00, extraByte(extra::kOfficeKey), kModifierLeftCtrl, kKindKeyboard};
    case function::kWindowsShortcut: return WindowsShortcutKeyCode(extraByte(extra::kWindowsShortcut));
    case function::kKeyboardKey: return {0x00, extraByte(extra::kKeyboardKey), 0x00, kKindKeyboard};
    case function::kMacroKey:
        return {extraByte(extra::kMacroNumber), MacroRunModeCode(extraByte(extra::kMacroRunMode)), 0x00, kKindMacro};
    case function::kFnKey: return {0x00, 0x00, 0x04, kKindSpecial};
    case function::kSnipeKey: return {0x00, 0x07, 0x02, kKindSpecial};
    default: return {};  // Disabled, 12, 14 and unknown codes
    }
}

} // namespace qv530
