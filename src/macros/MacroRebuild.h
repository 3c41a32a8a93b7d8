#pragma once
// Re-encodes the macro store into the record's twelve macro slots (lead byte
// 0x05), as done at the end of every profile load and before every apply.
#include <string>
#include <vector>

#include "macros/MacroEncoder.h"
#include "settings/MouseSettings.h"

namespace qv530 {

MacroSlotsReport RebuildMacroSlotsFromStore(MouseSettings& settings, const std::string& storePath);

// One English line per macro that holds more key events than a slot plays:
// "macro Fire: only the first 32 of 40 key events fit in the mouse; the
// other 8 are not sent".
std::vector<std::string> DescribeDroppedEvents(const MacroSlotsReport& report);

} // namespace qv530
