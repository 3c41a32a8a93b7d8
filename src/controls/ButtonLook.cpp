#include "ButtonLook.h"

namespace qv530 {

ButtonPicture ChooseButtonPicture(const ButtonLookState& s) {
    if (s.checkBox) {
        if (s.checked) return ButtonPicture::Pressed;
        if (s.disabled) return ButtonPicture::Disabled;
        return ButtonPicture::Normal;
    }
    if (s.disabled) return ButtonPicture::Disabled;
    if (!s.hoverWhenInactive && !s.ownerActive) return ButtonPicture::Normal;
    if (s.checked || s.pressed) return ButtonPicture::Pressed;
    if (s.hovered) return ButtonPicture::Hover;
    return ButtonPicture::Normal;
}

CaptionColour ChooseCaptionColour(const ButtonLookState& s) {
    if (s.hovered) return CaptionColour::Hover;
    if (s.disabled) return CaptionColour::Disabled;
    if (s.pressed || s.checked) return CaptionColour::Pressed;
    return CaptionColour::Text;
}

IndicatorBars IndicatorBarsFor(int mask, int left, int top) {
    IndicatorBars result;
    if (mask < 1 || mask > 8) return result;
    constexpr std::uint8_t kGrey = 0x62;
    constexpr std::array<std::array<std::uint8_t, 3>, 3> kLit{{{0, 0, 255}, {255, 0, 0}, {0, 255, 0}}};
    result.count = 3;
    for (int i = 0; i < 3; ++i) {
        const bool lit = mask != 8 && (mask & (1 << i)) != 0;
        const auto& c = kLit[static_cast<std::size_t>(i)];
        result.bars[static_cast<std::size_t>(i)] = IndicatorBar{
            left + 100 + i * 6, top + 6, 4, 10,
            lit ? c[0] : kGrey, lit ? c[1] : kGrey, lit ? c[2] : kGrey};
    }
    return result;
}

}  // namespace qv530
