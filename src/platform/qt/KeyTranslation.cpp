#include "platform/qt/KeyTranslation.h"

#include <array>

#include <QtGui/QKeyEvent>

namespace qv530 {
namespace {

// X11 keycodes are evdev codes plus this offset.
constexpr std::uint32_t kX11KeycodeOffset = 8;

constexpr std::uint16_t kVkCancel = 0x03;  // Ctrl+Pause (Break)
constexpr std::uint16_t kVkEnter = 0x0D;
constexpr std::uint16_t kVkClear = 0x0C;

struct PhysicalKey {
    std::uint16_t evdev;
    std::uint16_t virtualKey;
    bool extended;
};

// The keyboard by evdev code with the virtual keys of a US layout.
// clang-format off
constexpr auto kPhysicalKeys = std::to_array<PhysicalKey>({
    {1, 0x1B, false},                                     // Esc
    {2, 0x31, false}, {3, 0x32, false}, {4, 0x33, false}, {5, 0x34, false}, {6, 0x35, false},
    {7, 0x36, false}, {8, 0x37, false}, {9, 0x38, false}, {10, 0x39, false}, {11, 0x30, false},
    {12, 0xBD, false}, {13, 0xBB, false},                 // - =
    {14, 0x08, false}, {15, 0x09, false},                 // Backspace, Tab
    {16, 0x51, false}, {17, 0x57, false}, {18, 0x45, false}, {19, 0x52, false}, {20, 0x54, false},
    {21, 0x59, false}, {22, 0x55, false}, {23, 0x49, false}, {24, 0x4F, false}, {25, 0x50, false},
    {26, 0xDB, false}, {27, 0xDD, false},                 // [ ]
    {28, 0x0D, false},                                    // Enter
    {29, 0xA2, false},                                    // left Ctrl
    {30, 0x41, false}, {31, 0x53, false}, {32, 0x44, false}, {33, 0x46, false}, {34, 0x47, false},
    {35, 0x48, false}, {36, 0x4A, false}, {37, 0x4B, false}, {38, 0x4C, false},
    {39, 0xBA, false}, {40, 0xDE, false}, {41, 0xC0, false}, // ; ' `
    {42, 0xA0, false},                                    // left Shift
    {43, 0xDC, false},                                    // backslash
    {44, 0x5A, false}, {45, 0x58, false}, {46, 0x43, false}, {47, 0x56, false}, {48, 0x42, false},
    {49, 0x4E, false}, {50, 0x4D, false},
    {51, 0xBC, false}, {52, 0xBE, false}, {53, 0xBF, false}, // , . /
    {54, 0xA1, false},                                    // right Shift
    {55, 0x6A, false},                                    // Num *
    {56, 0xA4, false},                                    // left Alt
    {57, 0x20, false}, {58, 0x14, false},                 // Space, Caps Lock
    {59, 0x70, false}, {60, 0x71, false}, {61, 0x72, false}, {62, 0x73, false}, {63, 0x74, false},
    {64, 0x75, false}, {65, 0x76, false}, {66, 0x77, false}, {67, 0x78, false}, {68, 0x79, false},
    {69, 0x90, true},                                     // Num Lock
    {70, 0x91, false},                                    // Scroll Lock
    {74, 0x6D, false}, {78, 0x6B, false},                 // Num - and Num +
    {86, 0xE2, false},                                    // the extra key of ISO keyboards
    {87, 0x7A, false}, {88, 0x7B, false},                 // F11, F12
    {96, 0x0D, true},                                     // Num Enter
    {97, 0xA3, true},                                     // right Ctrl
    {98, 0x6F, true},                                     // Num /
    {99, 0x2C, true},                                     // Print
    {100, 0xA5, true},                                    // right Alt, AltGr
    {102, 0x24, true}, {103, 0x26, true}, {104, 0x21, true}, {105, 0x25, true},
    {106, 0x27, true}, {107, 0x23, true}, {108, 0x28, true}, {109, 0x22, true},
    {110, 0x2D, true}, {111, 0x2E, true},                 // Insert, Delete
    {119, 0x13, false},                                   // Pause
    {125, 0x5B, true}, {126, 0x5C, true},                 // left and right Windows
    {127, 0x5D, true}, {139, 0x5D, true},                 // menu key: the application key
});

// Keypad keys whose meaning follows Num Lock: the digit key, and the
// navigation key it is without Num Lock.
struct KeypadKey {
    std::uint16_t evdev;
    std::uint16_t withNumLock;
    std::uint16_t withoutNumLock;
};
constexpr auto kKeypadKeys = std::to_array<KeypadKey>({
    {71, 0x67, 0x24}, {72, 0x68, 0x26}, {73, 0x69, 0x21},
    {75, 0x64, 0x25}, {76, 0x65, kVkClear}, {77, 0x66, 0x27},
    {79, 0x61, 0x23}, {80, 0x62, 0x28}, {81, 0x63, 0x22},
    {82, 0x60, 0x2D}, {83, 0x6E, 0x2E},
});

struct QtKeyMapping {
    int qtKey;
    std::uint16_t virtualKey;
    bool extended;
};
// Keys by Qt key code, for events that carry no scan code. Shifted symbols
// map to the US key that types them.
constexpr auto kQtKeys = std::to_array<QtKeyMapping>({
    {Qt::Key_Escape, 0x1B, false}, {Qt::Key_Tab, 0x09, false}, {Qt::Key_Backtab, 0x09, false},
    {Qt::Key_Backspace, 0x08, false}, {Qt::Key_Return, 0x0D, false}, {Qt::Key_Enter, 0x0D, true},
    {Qt::Key_Space, 0x20, false}, {Qt::Key_CapsLock, 0x14, false},
    {Qt::Key_Insert, 0x2D, true}, {Qt::Key_Delete, 0x2E, true}, {Qt::Key_Home, 0x24, true},
    {Qt::Key_End, 0x23, true}, {Qt::Key_PageUp, 0x21, true}, {Qt::Key_PageDown, 0x22, true},
    {Qt::Key_Left, 0x25, true}, {Qt::Key_Up, 0x26, true}, {Qt::Key_Right, 0x27, true},
    {Qt::Key_Down, 0x28, true}, {Qt::Key_Clear, kVkClear, false},
    {Qt::Key_Pause, 0x13, false}, {Qt::Key_Cancel, kVkCancel, true}, {Qt::Key_Print, 0x2C, true},
    {Qt::Key_SysReq, 0x2C, true}, {Qt::Key_ScrollLock, 0x91, false}, {Qt::Key_NumLock, 0x90, true},
    {Qt::Key_Shift, 0xA0, false}, {Qt::Key_Control, 0xA2, false}, {Qt::Key_Alt, 0xA4, false},
    {Qt::Key_AltGr, 0xA5, true}, {Qt::Key_Meta, 0x5B, true}, {Qt::Key_Super_L, 0x5B, true},
    {Qt::Key_Super_R, 0x5C, true}, {Qt::Key_Menu, 0x5D, true},
    {Qt::Key_Minus, 0xBD, false}, {Qt::Key_Underscore, 0xBD, false},
    {Qt::Key_Equal, 0xBB, false}, {Qt::Key_Plus, 0xBB, false},
    {Qt::Key_BracketLeft, 0xDB, false}, {Qt::Key_BraceLeft, 0xDB, false},
    {Qt::Key_BracketRight, 0xDD, false}, {Qt::Key_BraceRight, 0xDD, false},
    {Qt::Key_Backslash, 0xDC, false}, {Qt::Key_Bar, 0xDC, false},
    {Qt::Key_Semicolon, 0xBA, false}, {Qt::Key_Colon, 0xBA, false},
    {Qt::Key_Apostrophe, 0xDE, false}, {Qt::Key_QuoteDbl, 0xDE, false},
    {Qt::Key_QuoteLeft, 0xC0, false}, {Qt::Key_AsciiTilde, 0xC0, false},
    {Qt::Key_Comma, 0xBC, false}, {Qt::Key_Less, 0xBC, false},
    {Qt::Key_Period, 0xBE, false}, {Qt::Key_Greater, 0xBE, false},
    {Qt::Key_Slash, 0xBF, false}, {Qt::Key_Question, 0xBF, false},
    {Qt::Key_Exclam, 0x31, false}, {Qt::Key_At, 0x32, false}, {Qt::Key_NumberSign, 0x33, false},
    {Qt::Key_Dollar, 0x34, false}, {Qt::Key_Percent, 0x35, false}, {Qt::Key_AsciiCircum, 0x36, false},
    {Qt::Key_Ampersand, 0x37, false}, {Qt::Key_Asterisk, 0x38, false}, {Qt::Key_ParenLeft, 0x39, false},
    {Qt::Key_ParenRight, 0x30, false},
});

// Keys of the keypad by Qt key code when the keypad modifier is set.
constexpr auto kQtKeypadKeys = std::to_array<QtKeyMapping>({
    {Qt::Key_Asterisk, 0x6A, false}, {Qt::Key_Plus, 0x6B, false}, {Qt::Key_Minus, 0x6D, false},
    {Qt::Key_Slash, 0x6F, true}, {Qt::Key_Period, 0x6E, false}, {Qt::Key_Comma, 0x6E, false},
    {Qt::Key_Enter, 0x0D, true}, {Qt::Key_Insert, 0x2D, false}, {Qt::Key_Delete, 0x2E, false},
    {Qt::Key_Home, 0x24, false}, {Qt::Key_End, 0x23, false}, {Qt::Key_PageUp, 0x21, false},
    {Qt::Key_PageDown, 0x22, false}, {Qt::Key_Left, 0x25, false}, {Qt::Key_Up, 0x26, false},
    {Qt::Key_Right, 0x27, false}, {Qt::Key_Down, 0x28, false}, {Qt::Key_Clear, kVkClear, false},
});
// clang-format on

// Whether the keypad key typed a digit or decimal sign (Num Lock on).
bool KeypadTypesDigit(int qtKey) {
    return (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || qtKey == Qt::Key_Period || qtKey == Qt::Key_Comma;
}

std::optional<TranslatedKey> FromScanCode(std::uint32_t evdev, int qtKey, Qt::KeyboardModifiers modifiers) {
    for (const auto& key : kKeypadKeys) {
        if (key.evdev == evdev) {
            return TranslatedKey{KeypadTypesDigit(qtKey) ? key.withNumLock : key.withoutNumLock, 0};
        }
    }
    for (const auto& key : kPhysicalKeys) {
        if (key.evdev == evdev) {
            if (key.virtualKey == 0x13 && modifiers.testFlag(Qt::ControlModifier)) {
                return TranslatedKey{kVkCancel, kKeyFlagExtended};  // Ctrl+Pause is Break
            }
            return TranslatedKey{key.virtualKey, key.extended ? kKeyFlagExtended : 0};
        }
    }
    return std::nullopt;
}

std::optional<TranslatedKey> FromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return TranslatedKey{static_cast<std::uint16_t>(0x60 + (qtKey - Qt::Key_0)), 0};
        }
        for (const auto& key : kQtKeypadKeys) {
            if (key.qtKey == qtKey) return TranslatedKey{key.virtualKey, key.extended ? kKeyFlagExtended : 0};
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return TranslatedKey{static_cast<std::uint16_t>(0x41 + (qtKey - Qt::Key_A)), 0};
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return TranslatedKey{static_cast<std::uint16_t>(0x30 + (qtKey - Qt::Key_0)), 0};
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return TranslatedKey{static_cast<std::uint16_t>(0x70 + (qtKey - Qt::Key_F1)), 0};
    }
    for (const auto& key : kQtKeys) {
        if (key.qtKey == qtKey) return TranslatedKey{key.virtualKey, key.extended ? kKeyFlagExtended : 0};
    }
    return std::nullopt;
}

} // namespace

std::optional<TranslatedKey> TranslateKey(std::uint32_t nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers,
                                          bool release, bool autoRepeat) {
    if (autoRepeat) {
        return std::nullopt;
    }
    std::optional<TranslatedKey> key;
    if (nativeScanCode > kX11KeycodeOffset) {
        key = FromScanCode(nativeScanCode - kX11KeycodeOffset, qtKey, modifiers);
    }
    if (!key) {
        key = FromQtKey(qtKey, modifiers);  // no scan code, or one the table does not know
    }
    if (key && release) {
        key->flags |= kKeyFlagUp;
    }
    return key;
}

std::optional<TranslatedKey> TranslateKeyEvent(const QKeyEvent& event) {
    return TranslateKey(event.nativeScanCode(), event.key(), event.modifiers(), event.type() == QEvent::KeyRelease,
                        event.isAutoRepeat());
}

} // namespace qv530
