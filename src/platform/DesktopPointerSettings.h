#pragma once
// Which of the four pointer settings this desktop takes, and where: what
// `qv530ctl pointer` prints and the pages' status lines show.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopSession.h"

namespace qv530 {

enum class PointerSetting { Speed, DoubleClick, Wheel, AngleSnap };
inline constexpr std::array<PointerSetting, 4> kPointerSettings{PointerSetting::Speed, PointerSetting::DoubleClick,
                                                               PointerSetting::Wheel, PointerSetting::AngleSnap};
// "pointer-speed", "double-click", "wheel", "angle-snap".
std::string_view PointerSettingName(PointerSetting setting);

struct PointerRoute {
    enum class Kind {
        Taken,           // the desktop takes it
        TakenLinesOnly,  // the wheel on Plasma: lines per notch, not one screen
        NotThisDesktop,  // this desktop has no such setting or is not one we write to
        NoDesktopSetting // angle snapping: no desktop has it
    } kind;
    std::string detail; // where it goes, or why not (English)
};

// The route of a setting in this session; mice: our mice (Plasma on
// Wayland keeps the speed per mouse).
PointerRoute RouteOf(const DesktopSession& session, PointerSetting setting, const std::vector<InputDeviceId>& mice);

// Our mice as this session's input layer names them: KWin's list on Plasma
// under Wayland when KWin answers, else the kernel's; none elsewhere (no
// other desktop keeps settings per mouse).
std::vector<InputDeviceId> SessionMice(const DesktopSession& session);

} // namespace qv530
