#pragma once
// Turns a Qt key event into the virtual-key code and flags the recorder and
// the key capture work with (flags: 0x01 extended key, 0x80 key up).
//
// The mouse replays HID usages, which are physical key positions, so the
// translation goes by the physical key: the native scan code (the X11 keycode,
// evdev code + 8) gives the virtual key a US layout has for that key, and a
// recorded key replays as the same physical key whatever layout the desktop
// uses. The Qt key code is used only where no scan code is known (or the
// scan code is not one of the keyboard's main keys), and to tell
// the two meanings of the keypad keys apart (digits with Num Lock, navigation
// without).
#include <cstdint>
#include <optional>

#include <QtCore/Qt>

class QKeyEvent;

namespace qv530 {

inline constexpr std::uint32_t kKeyFlagExtended = 0x01;
inline constexpr std::uint32_t kKeyFlagUp = 0x80;

struct TranslatedKey {
    std::uint16_t virtualKey = 0;
    std::uint32_t flags = 0;
    friend bool operator==(const TranslatedKey&, const TranslatedKey&) = default;
};

// Nothing for auto-repeat events and for keys without a virtual key.
std::optional<TranslatedKey> TranslateKey(std::uint32_t nativeScanCode, int qtKey, Qt::KeyboardModifiers modifiers,
                                          bool release, bool autoRepeat);
std::optional<TranslatedKey> TranslateKeyEvent(const QKeyEvent& event);

} // namespace qv530
