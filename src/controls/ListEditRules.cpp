#include "ListEditRules.h"

#include <algorithm>
#include <cstddef>

namespace qv530 {

ListColour ListItemBackground(bool selected, bool hovered) {
    return (selected || hovered) ? kListHighlight : kListBackground;
}

long long LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kLimit = 1'000'000'000'000LL;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

std::string DelayItemText(std::string_view typed) {
    const long long value = std::clamp<long long>(LeadingInteger(typed), 0, kMaxDelayMs);
    return std::to_string(value) + " ms";
}

std::optional<std::string> EditedItemText(ListEditMode mode, bool accepted, std::string_view typed,
                                          const std::vector<std::string>& items, int index) {
    if (!accepted) return std::nullopt;
    switch (mode) {
    case ListEditMode::Delay:
        return DelayItemText(typed);
    case ListEditMode::Name:
    case ListEditMode::MacroName: {
        if (typed.empty()) return std::nullopt;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (static_cast<int>(i) != index && items[i] == typed) return std::nullopt;
        }
        return std::string(typed);
    }
    case ListEditMode::None:
        break;
    }
    return std::nullopt;
}

}  // namespace qv530
