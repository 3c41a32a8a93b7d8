#pragma once
// Whether a top-level window with exactly this title is open on the X11
// desktop (the firmware updater announces itself that way). False when
// there is no X11 display.
#include <string>

namespace qv530 {
bool TopLevelWindowTitled(const std::string& title);
}
