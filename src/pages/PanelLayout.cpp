#include "pages/PanelLayout.h"

#include <algorithm>
#include <cstdlib>

namespace qv530 {

PanelStack StackSections(const std::array<bool, kPanelSections>& collapsed,
                         const std::array<int, kPanelSections>& pageHeights, bool padPresent) {
    PanelStack stack;
    int top = kPanelFirstTitleTop;
    for (int s = 0; s < kPanelSections; ++s) {
        const auto i = static_cast<std::size_t>(s);
        stack.shown[i] = s != kSectionPadLighting || padPresent;
        stack.titleTop[i] = top;
        stack.pageTop[i] = top + kPanelTitleHeight + kPanelGap;
        if (!stack.shown[i]) continue;
        top += kPanelTitleHeight + kPanelGap;
        if (!collapsed[i]) top += std::max(0, pageHeights[i]) + kPanelGap;
    }
    stack.stackBottom = top;
    stack.contentHeight = std::max(kPanelMinContentHeight, top);
    return stack;
}

int PanelScrollMax(int contentHeight, int clientHeight) { return std::max(0, contentHeight - clientHeight); }

int ClampPanelScroll(int position, int contentHeight, int clientHeight) {
    return std::clamp(position, 0, PanelScrollMax(contentHeight, clientHeight));
}

int PanelScrollTarget(int code, int position, int thumbPosition, int contentHeight, int clientHeight) {
    int target = position;
    switch (code) {
    case 0: target = position - kPanelLineStep; break;
    case 1: target = position + kPanelLineStep; break;
    case 2: target = position - clientHeight; break;
    case 3: target = position + clientHeight; break;
    case 4:
    case 5: target = thumbPosition; break;
    default: break;
    }
    return ClampPanelScroll(target, contentHeight, clientHeight);
}

WheelScroll PanelWheelScroll(int wheelLines, int delta) {
    WheelScroll scroll;
    scroll.up = delta > 0;
    if (wheelLines < 0) {
        scroll.page = true;
        return scroll;
    }
    const long long n = static_cast<long long>(wheelLines) * (std::abs(static_cast<long long>(delta)) / 120);
    scroll.lineSteps = n < 6 ? 1 : static_cast<int>(std::min<long long>(n / 3, 1 << 20));
    return scroll;
}

int PanelWheelTarget(int wheelLines, int delta, int position, int contentHeight, int clientHeight) {
    if (contentHeight <= clientHeight) return position;
    const WheelScroll scroll = PanelWheelScroll(wheelLines, delta);
    const int sign = scroll.up ? -1 : 1;
    const long long distance =
        scroll.page ? clientHeight : static_cast<long long>(scroll.lineSteps) * kPanelLineStep;
    const long long target = position + sign * std::min<long long>(distance, contentHeight);
    return ClampPanelScroll(static_cast<int>(target), contentHeight, clientHeight);
}

} // namespace qv530
