#include "macros/MacroReadRules.h"

#include "macros/LeadingNumber.h"

namespace qv530 {

std::uint16_t LoopCountFromText(std::string_view text) {
    const std::int64_t value = LeadingNumber(text);
    if (value < kMinLoopCount || value > kMaxLoopCount) {
        return kMinLoopCount;
    }
    return static_cast<std::uint16_t>(value);
}

bool DelayFlagOnSelect(std::string_view text, bool current) {
    if (text == "1") return true;
    if (text == "0") return false;
    return current;
}

bool DelayFlagOnLoad(std::string_view text) { return text == "1"; }

} // namespace qv530
