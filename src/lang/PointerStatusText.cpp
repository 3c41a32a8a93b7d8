#include "lang/PointerStatusText.h"

#include "lang/UiStrings.h"

namespace qv530 {

PointerStatusText PointerStatusOf(PointerRoute::Kind kind, const DesktopSession& session) {
    const std::string desktop = DesktopTitle(session);
    switch (kind) {
    case PointerRoute::Kind::Taken: return {kSlotPointerTaken, desktop};
    case PointerRoute::Kind::TakenLinesOnly: return {kSlotPointerLinesOnly, desktop};
    case PointerRoute::Kind::NoDesktopSetting: return {kSlotPointerNoDesktopSetting, ""};
    case PointerRoute::Kind::NotThisDesktop: break;
    }
    // Plasma takes every setting it has; only the per-mouse speed can miss, for want of a mouse.
    if (session.kind == DesktopKind::KdeWayland || session.kind == DesktopKind::KdeX11) return {kSlotPointerNoMouse, desktop};
    // A desktop that does not name itself has no name to show.
    if (session.kind == DesktopKind::Other && session.currentDesktop.empty()) return {kSlotPointerUnknownDesktop, ""};
    return {kSlotPointerNotTaken, desktop};
}

} // namespace qv530
