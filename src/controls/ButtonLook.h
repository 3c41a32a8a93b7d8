#pragma once
// Picture, caption colour, hover and indicator rules of the image button,
// kept free of Qt so they are tested without a window.
#include <array>
#include <cstdint>

namespace qv530 {

enum class ButtonPicture { Normal, Hover, Pressed, Disabled };
enum class CaptionColour { Text, Hover, Disabled, Pressed };

struct ButtonLookState {
    bool disabled = false;
    bool checked = false;
    bool pressed = false;  // mouse button held down on the button
    bool hovered = false;
    bool checkBox = false;
    bool hoverWhenInactive = true;
    bool ownerActive = true;  // the button's window is the active window
};

ButtonPicture ChooseButtonPicture(const ButtonLookState& state);
CaptionColour ChooseCaptionColour(const ButtonLookState& state);

// A pointer at client x counts as over the button only from hoverMinX on.
constexpr bool CountsAsHovered(int x, int hoverMinX) { return x >= hoverMinX; }

// Three-bar colour indicator.
inline constexpr int kNoIndicator = -1;
struct IndicatorBar {
    int left;
    int top;
    int width;
    int height;
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};
struct IndicatorBars {
    int count = 0;  // 0 or 3
    std::array<IndicatorBar, 3> bars{};
};
// Bars of 4 x 10 at top + 6, the first at left + 100, 2 pixels apart.
// Mask 1..7: bit 0 blue, bit 1 red, bit 2 green, clear bits grey; 8 all grey;
// any other value nothing.
IndicatorBars IndicatorBarsFor(int mask, int left, int top);

// Captions: a caption that does not fit its button at the font height asked
// for is drawn smaller, down to this height, before it is ever cut short.
inline constexpr int kCaptionMinHeight = 8;
// Pixels a caption keeps from the button's right border.
inline constexpr int kCaptionRightMargin = 3;
// The largest pixel height from wanted down to kCaptionMinHeight (never below
// it, never above wanted) at which widthAt(height) fits in available; the
// floor when none does.
template <typename WidthAt>
int FittingCaptionHeight(int wanted, int available, WidthAt widthAt) {
    const int floor = wanted < kCaptionMinHeight ? wanted : kCaptionMinHeight;
    for (int height = wanted; height > floor; --height)
        if (widthAt(height) <= available) return height;
    return floor < 1 ? 1 : floor;
}

}  // namespace qv530
