#include "macros/MacroStaging.h"

#include <algorithm>

namespace qv530 {

MacroStagingBuffer StageMacroArea(const MouseSettings& settings) {
    MacroStagingBuffer staging{};
    const std::uint8_t* area = settings.MacroSlot(0);
    std::copy(area, area + macroslot::kAreaSize, staging.begin());
    return staging;
}

std::span<const std::uint8_t, kMacroTransferSize> MacroTransferPayload(const MacroStagingBuffer& staging,
                                                                      std::size_t slot) {
    const std::size_t index = std::min(slot, macroslot::kCount - 1);
    return std::span<const std::uint8_t, kMacroTransferSize>{staging.data() + macroslot::kSize * index,
                                                             kMacroTransferSize};
}

} // namespace qv530
