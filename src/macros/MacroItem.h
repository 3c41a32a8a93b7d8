#pragma once
// The text of one macro item: "<key>   Dn" (press), "<key>   Up" (release) or
// "<milliseconds> ms" (delay). The store, the manager, the recorder and the
// encoder all read and write items through these functions.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv530 {

inline constexpr std::string_view kPressSuffix = "   Dn";
inline constexpr std::string_view kReleaseSuffix = "   Up";
inline constexpr std::string_view kDelaySuffix = " ms";
inline constexpr std::string_view kDelayMarker = "ms";
// Delay the manager inserts, and the one assumed before an event with none.
inline constexpr std::uint32_t kDefaultDelayMs = 50;

enum class MacroItemKind { Press, Release, Delay, Other };

// A text holding "   Dn" is a press; else one holding "   Up" a release;
// else one holding "ms" a delay; anything else is not an item.
MacroItemKind ClassifyMacroItem(std::string_view text);
// Key name of a press or release: the text without its "   Dn" / "   Up".
std::string MacroItemKeyName(std::string_view text);
// Milliseconds of a delay item: its leading number (0 without digits, never
// negative).
std::int64_t MacroItemDelay(std::string_view text);

std::string PressItem(std::string_view keyName);
std::string ReleaseItem(std::string_view keyName);
std::string DelayItem(std::int64_t milliseconds);

} // namespace qv530
