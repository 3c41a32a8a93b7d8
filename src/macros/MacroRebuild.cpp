#include "macros/MacroRebuild.h"

namespace qv530 {

// Placeholder until the macro encoder lands: the slots keep their bytes.
void RebuildMacroSlotsFromStore(MouseSettings&, const std::string&) {}

} // namespace qv530
