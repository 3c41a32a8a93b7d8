// Stacking and scrolling of the settings panel.
#include "pages/PanelLayout.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr std::array<int, kPanelSections> kHeights{262, 270, 226, 134, 118, 118, 70, 40};

std::array<bool, kPanelSections> AllCollapsed() {
    std::array<bool, kPanelSections> c{};
    c.fill(true);
    return c;
}

TEST(PanelStack, CollapsedWithAndWithoutThePad) {
    const PanelStack withPad = StackSections(AllCollapsed(), kHeights, true);
    for (int s = 0; s < kPanelSections; ++s) EXPECT_EQ(withPad.titleTop[static_cast<std::size_t>(s)], 5 + 25 * s);
    EXPECT_EQ(withPad.stackBottom, 205);
    EXPECT_EQ(withPad.contentHeight, 563);

    const PanelStack noPad = StackSections(AllCollapsed(), kHeights, false);
    EXPECT_FALSE(noPad.shown[kSectionPadLighting]);
    EXPECT_EQ(noPad.titleTop[kSectionReportRate], 55);  // moved up by 25 pixels
    EXPECT_EQ(noPad.titleTop[kSectionAngleSnap], 155);
    EXPECT_EQ(withPad.titleTop[kSectionAngleSnap] - noPad.titleTop[kSectionAngleSnap], 25);
}

TEST(PanelStack, ExpandedPagesSitFiveBelowTheirTitle) {
    auto collapsed = AllCollapsed();
    collapsed[kSectionDpi] = false;
    const PanelStack stack = StackSections(collapsed, kHeights, false);
    EXPECT_EQ(stack.pageTop[kSectionDpi], 30);
    EXPECT_EQ(stack.titleTop[kSectionLighting], 30 + 262 + 5);
    EXPECT_EQ(stack.contentHeight, 563);

    collapsed.fill(false);
    const PanelStack all = StackSections(collapsed, kHeights, true);
    int expected = 5;
    for (const int h : kHeights) expected += 25 + h + 5;
    EXPECT_EQ(all.stackBottom, expected);
    EXPECT_EQ(all.contentHeight, expected);
    EXPECT_GT(all.contentHeight, 563);
    // Without the pad its expanded page counts for nothing.
    const PanelStack noPad = StackSections(collapsed, kHeights, false);
    EXPECT_EQ(all.contentHeight - noPad.contentHeight, 25 + 226 + 5);
}

TEST(PanelScroll, ClampingCodesAndFit) {
    EXPECT_EQ(ClampPanelScroll(100, 563, 563), 0);
    EXPECT_EQ(ClampPanelScroll(-5, 1000, 563), 0);
    EXPECT_EQ(ClampPanelScroll(900, 1000, 563), 437);
    EXPECT_EQ(PanelScrollTarget(1, 0, 0, 1000, 563), 60);
    EXPECT_EQ(PanelScrollTarget(0, 30, 0, 1000, 563), 0);
    EXPECT_EQ(PanelScrollTarget(3, 0, 0, 1000, 563), 437);
    EXPECT_EQ(PanelScrollTarget(2, 437, 0, 1000, 563), 0);
    EXPECT_EQ(PanelScrollTarget(5, 0, 200, 1000, 563), 200);
    EXPECT_EQ(PanelScrollTarget(4, 0, 999, 1000, 563), 437);
}

TEST(PanelScroll, WheelNotches) {
    struct Case {
        int lines, delta;
        bool page;
        int steps;
    };
    const Case cases[] = {
        {3, 120, false, 1}, {5, 120, false, 1}, {6, 120, false, 2}, {3, 240, false, 2},
        {9, -120, false, 3}, {1, 60, false, 1}, {-1, 120, true, 0}, {100, 120, false, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " " << c.delta);
        const WheelScroll w = PanelWheelScroll(c.lines, c.delta);
        EXPECT_EQ(w.page, c.page);
        EXPECT_EQ(w.lineSteps, c.steps);
        EXPECT_EQ(w.up, c.delta > 0);
    }
    EXPECT_EQ(PanelWheelTarget(3, -120, 0, 1000, 563), 60);
    EXPECT_EQ(PanelWheelTarget(3, 120, 60, 1000, 563), 0);
    EXPECT_EQ(PanelWheelTarget(-1, -120, 0, 1200, 563), 563);  // a whole page per notch
    EXPECT_EQ(PanelWheelTarget(100, -120, 0, 1000, 563), 437);
    EXPECT_EQ(PanelWheelTarget(3, -120, 0, 563, 563), 0);       // the content fits: nothing
}

} // namespace
} // namespace qv530
