#pragma once
// Arithmetic of the settings panel: how the eight sections stack, how tall
// the content is, and where scrolling may go. Plain C++, no Qt.
#include <array>

namespace qv530 {

inline constexpr int kPanelSections = 8;
// Section indices, top to bottom.
enum PanelSection : int {
    kSectionDpi = 0,
    kSectionLighting = 1,
    kSectionPadLighting = 2,  // only while a pad is connected
    kSectionReportRate = 3,
    kSectionMouseSpeed = 4,
    kSectionDoubleClick = 5,
    kSectionWheel = 6,
    kSectionAngleSnap = 7,
};

inline constexpr int kPanelContentWidth = 242;
inline constexpr int kPanelMinContentHeight = 563;
inline constexpr int kPanelFirstTitleTop = 5;
inline constexpr int kPanelTitleHeight = 20;
inline constexpr int kPanelGap = 5;
inline constexpr int kPanelLineStep = 60;

struct PanelStack {
    std::array<bool, kPanelSections> shown{};   // the title bar is there (section 3 only with a pad)
    std::array<int, kPanelSections> titleTop{}; // content coordinates
    std::array<int, kPanelSections> pageTop{};  // the page 5 pixels below its title bar
    int stackBottom = 0;                        // bottom of the last item plus its gap
    int contentHeight = 0;                      // stackBottom, but at least 563
};

// Title bars 20 high, 5 apart; an expanded page 5 below its title bar and the
// next title bar 5 below the page.
PanelStack StackSections(const std::array<bool, kPanelSections>& collapsed,
                         const std::array<int, kPanelSections>& pageHeights, bool padPresent);

// The order CollapseAll toggles expanded sections in: 8 down to 4, then 2, 1 and 3.
inline constexpr std::array<int, kPanelSections> kCollapseOrder{7, 6, 5, 4, 3, 1, 0, 2};

// ---- scrolling ----
// The last position: content height - client height, at least 0.
int PanelScrollMax(int contentHeight, int clientHeight);
int ClampPanelScroll(int position, int contentHeight, int clientHeight);

// Where a scroll-bar code takes the position (0/1 line of 60 pixels, 2/3 one
// client height, 4/5 the thumb's position), clamped.
int PanelScrollTarget(int code, int position, int thumbPosition, int contentHeight, int clientHeight);

// One notch of the wheel: the whole-page setting (negative lines) scrolls a
// page; otherwise n = lines x (|delta| / 120) gives one 60-pixel line step
// when n < 6, else n / 3 of them. Positive delta scrolls up.
struct WheelScroll {
    bool page = false;
    int lineSteps = 0;
    bool up = false;
};
WheelScroll PanelWheelScroll(int wheelLines, int delta);
// The position after a wheel turn, clamped; unchanged when the content fits.
int PanelWheelTarget(int wheelLines, int delta, int position, int contentHeight, int clientHeight);

} // namespace qv530
