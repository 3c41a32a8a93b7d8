#pragma once
// How the loop count and the delay-recording flag of a stored macro are read.
#include <cstdint>
#include <string_view>

namespace qv530 {

inline constexpr std::uint16_t kMinLoopCount = 1;
inline constexpr std::uint16_t kMaxLoopCount = 65535;

// The leading number of the text; 1 when it is below 1, above 65535 or
// missing.
std::uint16_t LoopCountFromText(std::string_view text);

// A macro selected in the manager: "1" sets the flag, "0" clears it, any
// other text keeps the current state.
bool DelayFlagOnSelect(std::string_view text, bool current);
// All macros loaded when the manager opens: set exactly when the text is "1".
bool DelayFlagOnLoad(std::string_view text);

} // namespace qv530
