#pragma once
// Re-encodes the macro store into the record's twelve macro slots (lead byte
// 0x05), as done at the end of every profile load and before every apply.
#include <string>

#include "settings/MouseSettings.h"

namespace qv530 {

void RebuildMacroSlotsFromStore(MouseSettings& settings, const std::string& storePath);

} // namespace qv530
