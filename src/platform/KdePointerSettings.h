#pragma once
// The pointer settings on KDE Plasma: written where Plasma reads them
// (kdeglobals [KDE] for double-click and wheel lines, kcminputrc for the
// pointer acceleration: [Mouse] on X11, each connected mouse's own
// [Libinput][VENDOR][PRODUCT][NAME] group on Wayland), every other line of
// those files kept; then the running session is told over the session bus,
// and on Wayland KWin sets the acceleration live.
#include <memory>
#include <string>
#include <vector>

#include "platform/DesktopSession.h"
#include "platform/KdeSessionBus.h"
#include "platform/PointerSettings.h"

namespace qv530 {

// Plasma's libinput acceleration (-1..1) for a speed 1..20 of the Windows
// scale; rising with the speed, 0 at the neutral speed 10 (level 6).
double LibinputAccelerationFromSpeed(int speed);

// Where a setting goes on Plasma.
namespace kde_key {
inline constexpr const char* kGlobalsFile = "kdeglobals";
inline constexpr const char* kInputFile = "kcminputrc";
inline constexpr const char* kGlobalsGroup = "KDE";
inline constexpr const char* kDoubleClick = "DoubleClickInterval";
inline constexpr const char* kWheelLines = "WheelScrollLines";
inline constexpr const char* kX11Group = "Mouse";
inline constexpr const char* kX11Acceleration = "XLbInptPointerAcceleration";
inline constexpr const char* kLibinputGroup = "Libinput";
inline constexpr const char* kWaylandAcceleration = "PointerAcceleration";
} // namespace kde_key

// The kcminputrc group of one mouse on Wayland: {"Libinput", "1241", "41245", NAME}.
std::vector<std::string> KdeLibinputGroup(const InputDeviceId& device);

// The backend for session (KdeX11 or KdeWayland). bus may be null (no
// session bus): the files are still written and the note says nobody was
// told. mice: our mice as the kernel lists them, used on Wayland when KWin
// does not answer.
std::unique_ptr<PointerSettingsBackend> MakeKdePointerSettings(const DesktopSession& session, KdeSessionBus* bus,
                                                               std::vector<InputDeviceId> mice);

} // namespace qv530
