#include "app/ShellLogic.h"

#include "device/ReaderThread.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(LeftColumn, CollapseMovesTheSectionsBelow) {
    const LeftColumnLayout closed = LayoutLeftColumn(true, true);
    EXPECT_FALSE(closed.selectorsVisible);
    EXPECT_FALSE(closed.slidersVisible);
    EXPECT_EQ(closed.macroHeader.y, skin::kMacroManagerHeader.y);
    EXPECT_EQ(closed.axisHeader.y, skin::kAxisHeader.y);

    const LeftColumnLayout open = LayoutLeftColumn(false, false);
    const int shift = skin::kButtonListPanel.height;
    EXPECT_TRUE(open.selectorsVisible);
    EXPECT_EQ(open.buttonHeader.y, skin::kButtonAssignmentHeader.y);
    EXPECT_EQ(open.macroHeader.y, skin::kMacroManagerHeader.y + shift);
    EXPECT_EQ(open.axisHeader.y, skin::kAxisHeader.y + shift);
    // Sliders: 40 below the header's bottom, 60 apart, 17 in from its left, 208 x 9.
    EXPECT_EQ(open.xSlider.y, open.axisHeader.bottom() + 40);
    EXPECT_EQ(open.ySlider.y, open.xSlider.y + 60);
    EXPECT_EQ(open.xSlider.x, open.axisHeader.x + 17);
    EXPECT_EQ(open.xSlider.width, 208);
    EXPECT_EQ(open.xSlider.height, 9);
    // Rows of the selectors are 20 pixels apart.
    EXPECT_EQ(open.selectors[6].y - open.selectors[0].y, 6 * 20);
    // Axis panel open, button list closed: the sliders sit under the unmoved header.
    EXPECT_EQ(LayoutLeftColumn(true, false).xSlider.y, skin::kAxisHeader.bottom() + 40);
}

TEST(Notices, TextsTitlesAndTimes) {
    UiStrings chs;
    LoadUiStrings(chs, "CHS");
    MouseSettings sent;
    ResetToDefaults(sent);
    const auto stage = NoticeFor(notice::kA11DStage, 2, chs, sent);
    ASSERT_TRUE(stage);
    EXPECT_EQ(stage->text, "DPI切换到第三段 (2400)");
    EXPECT_EQ(stage->title, "Info");
    EXPECT_EQ(stage->milliseconds, 5000);
    EXPECT_EQ(NoticeFor(notice::kA1DCStage, 6, chs, sent)->text, "DPI切换到第七段 (12000)");
    EXPECT_EQ(NoticeFor(notice::kA11DStage, 9, chs, sent)->text, ""); // repeats the last text

    UiStrings en;
    LoadUiStrings(en, "EN");
    const auto found = NoticeFor(notice::kMouseConnected, 0, en, sent);
    EXPECT_EQ(found->text, "The system detect QV530-10800rad.");
    EXPECT_EQ(found->milliseconds, 100);
    const auto gone = NoticeFor(notice::kLastMouseGone, 0, en, sent);
    EXPECT_EQ(gone->text, "The system did not detect QV530-10800rad!");
    EXPECT_EQ(gone->title, "Warning");
    EXPECT_EQ(NoticeFor(9, 3, en, sent)->text, "Switch to macro key3");
    EXPECT_FALSE(NoticeFor(9, 0, en, sent));
    EXPECT_FALSE(NoticeFor(5, 1, en, sent));
}

TEST(Sliders, OutOfRangeShowsTheMinimum) {
    EXPECT_EQ(SliderPosition(0), 1);
    EXPECT_EQ(SliderPosition(12), 1);
    EXPECT_EQ(SliderPosition(11), 11);
    EXPECT_EQ(SliderPosition(5), 5);
}

} // namespace
} // namespace qv530
