#pragma once
// Text forms of the macro store and of encoded slots, for the command line.
#include <span>
#include <string>
#include <vector>

#include "macros/MacroEncoder.h"
#include "macros/MacroStore.h"

namespace qv530 {

// One slot as 130 lowercase hex bytes separated by single spaces.
std::string SlotHexLine(std::span<const std::uint8_t, macroslot::kSize> slot);

// Twelve lines, one per slot of the area.
std::vector<std::string> SlotHexLines(std::span<const std::uint8_t, macroslot::kAreaSize> area);

// Warnings for macros that lost events or did not get a slot.
std::vector<std::string> EncodingWarnings(const MacroSlotsReport& report);

// Each macro: a line with its name, loop count and delay flag as read, then
// its items indented, one a line.
std::vector<std::string> MacroListingLines(const std::vector<NamedMacro>& macros);

} // namespace qv530
