#pragma once
// Colours of the skinned list and the rules that decide what an in-place edit
// writes back into the list.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

struct ListColour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    friend bool operator==(const ListColour&, const ListColour&) = default;
};
inline constexpr ListColour kListBackground{145, 145, 145};
inline constexpr ListColour kListHighlight{255, 237, 0};
inline constexpr ListColour kListText{0, 0, 0};

// Selected items and the item under the pointer are yellow, the rest grey.
ListColour ListItemBackground(bool selected, bool hovered);

// What the edited text means (the owner sets it before it opens the editor).
enum class ListEditMode : int { None = 0, Name = 1, Delay = 2, MacroName = 3 };

inline constexpr int kMaxDelayMs = 65535;

// Leading decimal integer of a text the way the C library reads it (leading
// blanks, optional sign, digits; none gives 0), saturated instead of overflowing.
long long LeadingInteger(std::string_view text);

// "%d ms" of the leading integer, kept to 0..65535.
std::string DelayItemText(std::string_view typed);

// The text that replaces item `index` when editing ends, or nothing when the
// item stays as it is. Cancelled edits change nothing; a delay becomes "%d ms";
// a name must be non-empty and differ (exactly) from every other item.
std::optional<std::string> EditedItemText(ListEditMode mode, bool accepted, std::string_view typed,
                                          const std::vector<std::string>& items, int index);

}  // namespace qv530
