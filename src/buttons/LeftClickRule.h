#pragma once
// At least one of the seven buttons keeps the left click.
#include <cstddef>

#include "settings/MouseSettings.h"

namespace qv530 {

// True when button 0..6 is a left click and no other of the seven is: its
// function menu must not open.
bool IsLastLeftClick(const MouseSettings& settings, std::size_t button);

} // namespace qv530
