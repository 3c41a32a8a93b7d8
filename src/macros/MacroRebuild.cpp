#include "macros/MacroRebuild.h"

#include "macros/MacroEncoder.h"

namespace qv530 {

// Encodes the store with the lead byte of the rebuild; without record.ini the
// slots keep their bytes.
MacroSlotsReport RebuildMacroSlotsFromStore(MouseSettings& settings, const std::string& storePath) {
    return BuildMacroSlots(MacroStore(storePath), macroslot::kLeadFromStore, MacroArea(settings));
}

std::vector<std::string> DescribeDroppedEvents(const MacroSlotsReport& report) {
    std::vector<std::string> lines;
    for (const MacroEncoding& macro : report.macros)
        if (macro.eventsDropped > 0)
            lines.push_back("macro " + macro.name + ": only the first " + std::to_string(macro.eventsEncoded) + " of " +
                            std::to_string(macro.eventsEncoded + macro.eventsDropped) +
                            " key events fit in the mouse; the other " + std::to_string(macro.eventsDropped) +
                            " are not sent");
    return lines;
}

} // namespace qv530
