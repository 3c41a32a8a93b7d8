#pragma once
// The firmware gate: a connected mouse whose firmware is too old must be
// updated before the program can be used.
#include <optional>

#include "device/DeviceLink.h"

namespace qv530 {

inline constexpr const char* kFirmwareCaption = "QV530-10800rad";
// Two lines, the same in every language.
inline constexpr const char* kFirmwareMessage =
    "鼠标固件版本过低，请更新固件后重新打开驱动继续使用。\n\"是\"更新固件，\"否\"退出程序。";
// Title of the firmware updater's window; while it is open nothing is checked.
inline constexpr const char* kUpdaterWindowTitle = "Programmer V1.0.0";

inline constexpr std::uint32_t kLastOldFirmwareA1DC = 0x0106;
inline constexpr std::uint32_t kLastOldFirmwareA11D = 0x0301;

struct FirmwareDecision {
    bool tooOld = false;
    MouseVariant variant = MouseVariant::A11D; // the mouse that was checked
};

// The A1DC mouse is checked when connected, else the A11D mouse; version 0
// is never too old; nothing is checked while the updater runs.
FirmwareDecision CheckFirmware(const DeviceLink& link, bool updaterWindowOpen);

} // namespace qv530
