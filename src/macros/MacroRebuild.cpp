#include "macros/MacroRebuild.h"

#include "macros/MacroEncoder.h"

namespace qv530 {

// Encodes the store with the lead byte of the rebuild; without record.ini the
// slots keep their bytes.
void RebuildMacroSlotsFromStore(MouseSettings& settings, const std::string& storePath) {
    BuildMacroSlots(MacroStore(storePath), macroslot::kLeadFromStore, MacroArea(settings));
}

} // namespace qv530
