#include "macros/LeadingNumber.h"

#include <limits>

namespace qv530 {
namespace {
constexpr std::int64_t kSaturation = std::numeric_limits<std::int64_t>::max() / 10 - 10;
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
} // namespace

std::int64_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kSaturation) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

} // namespace qv530
