#pragma once
// Measurements and colours of the owner-drawn popup menus.
#include <cstddef>
#include <cstdint>

namespace qv530 {

struct MenuColour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};
inline constexpr MenuColour kMenuBack{111, 41, 41};
inline constexpr MenuColour kMenuSelectedBack{143, 32, 32};
inline constexpr MenuColour kMenuLine{111, 41, 41};
inline constexpr MenuColour kMenuText{255, 255, 255};
inline constexpr MenuColour kMenuMarkedText{143, 32, 32};
// The three one-pixel rings of a menu window's frame, outermost first.
inline constexpr MenuColour kMenuFrame[3] = {{143, 32, 32}, {111, 41, 41}, {111, 41, 41}};
inline constexpr int kMenuFrameWidth = 3;

inline constexpr int kMenuTextHeight = 18;
inline constexpr int kMenuSeparatorId = 0;   // drawn as a line
inline constexpr int kMenuHiddenId = 1;      // measured zero high
inline constexpr int kMenuSeparatorHeight = 5;
inline constexpr int kMenuPixelsPerChar = 8;
inline constexpr int kMenuTextLeft = 2;
inline constexpr int kMenuTrademarkFontPixels = 8;
// Room for the arrow of a submenu entry, right of the item's text.
inline constexpr int kMenuArrowWidth = 14;

// Height of an item with this command id.
constexpr int MenuItemHeight(int commandId, int textHeight = kMenuTextHeight) {
    if (commandId == kMenuSeparatorId) return kMenuSeparatorHeight;
    if (commandId == kMenuHiddenId) return 0;
    return textHeight + 2;
}

// Width an item text asks for: both margins plus 8 pixels per character.
constexpr int MenuItemWidth(std::size_t characters, int leftMargin = 0, int rightMargin = 0) {
    return leftMargin + rightMargin + kMenuPixelsPerChar * static_cast<int>(characters);
}

// The running measurements of one menu: every item reports the widest width.
class MenuMeasure {
public:
    void Append(std::size_t characters) {
        const int width = MenuItemWidth(characters, leftMargin, rightMargin);
        if (width > itemWidth) itemWidth = width;
        ++count;
    }
    int Measure(int commandId) {
        const int height = MenuItemHeight(commandId, textHeight);
        totalHeight += height;
        return height;
    }

    int textHeight = kMenuTextHeight;
    int leftMargin = 0;
    int rightMargin = 0;
    int itemWidth = 0;
    int totalHeight = 0;
    int count = 0;
};

}  // namespace qv530
