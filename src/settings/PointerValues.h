#pragma once
// The record's four desktop pointer settings as the desktop takes them.
#include "platform/PointerSettings.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// Acceleration from the precision flag, speed 1..20 from the level, wheel
// lines (or one page per notch), double-click time from the level; values
// are converted as stored, in range or not.
PointerValues PointerValuesOf(const MouseSettings& settings);

inline void ApplyPointerSettings(const MouseSettings& settings, PointerSettingsBackend& backend) {
    ApplyPointerSettings(PointerValuesOf(settings), backend);
}

} // namespace qv530
