#pragma once
// The integer at the start of a text, read the way the store's numbers have
// always been read: leading blanks, an optional sign, then digits; no digits
// gives 0. The value saturates instead of overflowing.
#include <cstdint>
#include <string_view>

namespace qv530 {

std::int64_t LeadingNumber(std::string_view text);

} // namespace qv530
