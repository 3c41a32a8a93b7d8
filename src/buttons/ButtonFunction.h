#pragma once
// The function codes a button carries in ButtonFunction, with the parameter
// values they use and the menu commands that select them.
#include <cstddef>
#include <cstdint>

namespace qv530 {

namespace function {
inline constexpr std::uint8_t kLeftClick = 0;
inline constexpr std::uint8_t kRightClick = 1;
inline constexpr std::uint8_t kMiddleClick = 2;
inline constexpr std::uint8_t kForward = 3;
inline constexpr std::uint8_t kBack = 4;
inline constexpr std::uint8_t kDoubleClick = 5;
inline constexpr std::uint8_t kDpiAction = 6;
inline constexpr std::uint8_t kMultimediaKey = 7;
inline constexpr std::uint8_t kOfficeShortcut = 8;
inline constexpr std::uint8_t kWindowsShortcut = 9;
inline constexpr std::uint8_t kKeyboardKey = 10;
inline constexpr std::uint8_t kMacroKey = 11;
inline constexpr std::uint8_t kDisabled = 13;
inline constexpr std::uint8_t kTiltLeft = 15;
inline constexpr std::uint8_t kTiltRight = 16;
inline constexpr std::uint8_t kFnKey = 17;
inline constexpr std::uint8_t kSnipeKey = 18;
} // namespace function

// DPI action values of ButtonParam for kDpiAction.
namespace dpiaction {
inline constexpr std::uint8_t kUp = 1;
inline constexpr std::uint8_t kDown = 2;
inline constexpr std::uint8_t kLoop = 3;
} // namespace dpiaction

// The ButtonExtra tables that hold the parameters of the functions.
namespace extra {
inline constexpr std::size_t kMultimedia = 0;       // consumer usage low byte
inline constexpr std::size_t kWindowsShortcut = 1;  // shortcut index 0..6
inline constexpr std::size_t kOfficeKey = 5;        // key usage pressed with Ctrl
inline constexpr std::size_t kKeyboardKey = 6;      // key usage
inline constexpr std::size_t kMacroNumber = 14;     // macro slot number
inline constexpr std::size_t kMacroRunMode = 15;    // run mode 0, 1, 2
} // namespace extra

} // namespace qv530
