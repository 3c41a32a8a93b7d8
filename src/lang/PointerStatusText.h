#pragma once
// The line under a page of the desktop's pointer settings: which text slot
// says what this desktop does with the setting, and the desktop's name for
// its %1.
#include <string>

#include "platform/DesktopPointerSettings.h"

namespace qv530 {

struct PointerStatusText {
    int slot;
    std::string desktop; // replaces %1
};

PointerStatusText PointerStatusOf(PointerRoute::Kind kind, const DesktopSession& session);

} // namespace qv530
