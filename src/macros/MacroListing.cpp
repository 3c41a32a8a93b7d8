#include "macros/MacroListing.h"

#include "macros/MacroReadRules.h"
#include "settings/TextEncoding.h"

namespace qv530 {

std::string SlotHexLine(std::span<const std::uint8_t, macroslot::kSize> slot) { return HexBytes(slot); }

std::vector<std::string> SlotHexLines(std::span<const std::uint8_t, macroslot::kAreaSize> area) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < macroslot::kCount; ++i) {
        lines.push_back(SlotHexLine(area.subspan(macroslot::kSize * i).first<macroslot::kSize>()));
    }
    return lines;
}

std::vector<std::string> EncodingWarnings(const MacroSlotsReport& report) {
    std::vector<std::string> lines;
    for (const auto& macro : report.macros) {
        if (macro.eventsDropped != 0) {
            lines.push_back("warning: macro \"" + macro.name + "\" (slot " + std::to_string(macro.slot + 1) +
                            "): " + std::to_string(macro.eventsDropped) + " of " +
                            std::to_string(macro.eventsEncoded + macro.eventsDropped) + " events dropped, a slot holds " +
                            std::to_string(macroslot::kMaxEvents));
        }
    }
    if (report.macrosLeftOut != 0) {
        lines.push_back("warning: " + std::to_string(report.macrosLeftOut) + " macro(s) past the twelfth not encoded");
    }
    return lines;
}

std::vector<std::string> MacroListingLines(const std::vector<NamedMacro>& macros) {
    std::vector<std::string> lines;
    for (const auto& [name, macro] : macros) {
        lines.push_back(name + "\tloops=" + std::to_string(LoopCountFromText(macro.loopText)) +
                        "\tdelays=" + (DelayFlagOnLoad(macro.delayFlagText) ? "1" : "0") +
                        "\titems=" + std::to_string(macro.items.size()));
        for (const auto& item : macro.items) {
            lines.push_back("  " + item);
        }
    }
    return lines;
}

} // namespace qv530
