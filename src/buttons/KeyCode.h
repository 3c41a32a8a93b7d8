#pragma once
// The four-byte key code the mouse receives for one button: b0 b1 b2 b3 in
// transmission order, with b3 naming the kind (01 keyboard, 02 mouse button,
// 04 consumer control, 08 DPI action, 0A macro, 0C special action).
#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/MouseSettings.h"

namespace qv530 {

using KeyCode = std::array<std::uint8_t, 4>;

// Key code of button 0..7 from its function code and parameter bytes.
KeyCode KeyCodeFor(const MouseSettings& settings, std::size_t button);

// Key code of a Windows shortcut index (00 00 00 00 above index 6).
KeyCode WindowsShortcutKeyCode(std::uint8_t index);

// Run-mode code the mouse expects for a stored macro run mode.
std::uint8_t MacroRunModeCode(std::uint8_t storedMode);

} // namespace qv530
