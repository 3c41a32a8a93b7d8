// The arithmetic behind the skinned controls, without a window.
#include "ButtonLook.h"
#include "KeySteps.h"
#include "ListEditRules.h"
#include "MarkerMath.h"
#include "MenuMetrics.h"
#include "ScrollBarGeometry.h"
#include "SkinGeometry.h"
#include "SkinPath.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace qv530 {
namespace {

TEST(ButtonLook, PictureChoiceInBothModes) {
    ButtonLookState s;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Normal);
    s.hovered = true;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Hover);
    s.pressed = true;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Pressed);
    s = {};
    s.checked = true;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Pressed);
    s.disabled = true;  // a disabled push button shows the disabled picture even when checked
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Disabled);
    // Inactive owner without HoverWhenInactive: normal, unless disabled.
    s = {};
    s.hovered = true;
    s.hoverWhenInactive = false;
    s.ownerActive = false;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Normal);
    s.disabled = true;
    EXPECT_EQ(ChooseButtonPicture(s), ButtonPicture::Disabled);

    // Check-box mode: checked wins over disabled; no hover or press picture.
    ButtonLookState c;
    c.checkBox = true;
    c.disabled = true;
    c.checked = true;
    EXPECT_EQ(ChooseButtonPicture(c), ButtonPicture::Pressed);
    c.checked = false;
    EXPECT_EQ(ChooseButtonPicture(c), ButtonPicture::Disabled);
    c.disabled = false;
    c.hovered = true;
    c.pressed = true;
    EXPECT_EQ(ChooseButtonPicture(c), ButtonPicture::Normal);
}

TEST(ButtonLook, HoverMinXAndIndicatorBars) {
    EXPECT_FALSE(CountsAsHovered(19, 20));
    EXPECT_TRUE(CountsAsHovered(20, 20));

    const IndicatorBars five = IndicatorBarsFor(5, 0, 0);
    ASSERT_EQ(five.count, 3);
    EXPECT_EQ(five.bars[0].b, 255);  // blue
    EXPECT_EQ(five.bars[1].r, 0x62);  // grey
    EXPECT_EQ(five.bars[2].g, 255);  // green
    EXPECT_EQ(five.bars[0].left, 100);
    EXPECT_EQ(five.bars[0].top, 6);
    EXPECT_EQ(five.bars[0].width, 4);
    EXPECT_EQ(five.bars[0].height, 10);
    EXPECT_EQ(five.bars[1].left, 106);
    const IndicatorBars eight = IndicatorBarsFor(8, 0, 0);
    ASSERT_EQ(eight.count, 3);
    for (const auto& bar : eight.bars) EXPECT_EQ(bar.r, 0x62);
    EXPECT_EQ(IndicatorBarsFor(0, 0, 0).count, 0);
    EXPECT_EQ(IndicatorBarsFor(-1, 0, 0).count, 0);
    EXPECT_EQ(IndicatorBarsFor(9, 0, 0).count, 0);
}

TEST(MarkerMath, FillIsFullOneStepBeforeTheMaximum) {
    // 1..6 lighting slider on 100 pixels: levels 1..5 show 0, 25, 50, 75, 100 %.
    EXPECT_EQ(MarkerFillLength(100, 1, 1, 6), 0);
    EXPECT_EQ(MarkerFillLength(100, 2, 1, 6), 25);
    EXPECT_EQ(MarkerFillLength(100, 4, 1, 6), 75);
    EXPECT_EQ(MarkerFillLength(100, 5, 1, 6), 100);
    EXPECT_EQ(MarkerFillLength(100, 6, 1, 6), 100);  // capped
    EXPECT_EQ(MarkerFillLength(169, 90, 1, 180), 169 * 89 / 178);
    // A range of a single step never divides by zero.
    EXPECT_EQ(MarkerFillLength(50, 2, 1, 2), 50);
    EXPECT_EQ(MarkerFillLength(50, 1, 1, 2), 0);
}

TEST(MarkerMath, PointerValuesAndPositioning) {
    // Horizontal 208 pixels, 1..11.
    EXPECT_EQ(MarkerValueAt(0, 208, 1, 11), 1);
    EXPECT_EQ(MarkerValueAt(-40, 208, 1, 11), 1);    // left of the left end
    EXPECT_EQ(MarkerValueAt(104, 208, 1, 11), 6);
    EXPECT_EQ(MarkerValueAt(207, 208, 1, 11), 10);   // truncation
    EXPECT_EQ(MarkerValueAt(500, 208, 1, 11), 11);   // beyond the right end
    // Vertical 169 pixels, 1..180, offset = bottom - y.
    EXPECT_EQ(MarkerValueAt(169, 169, 1, 180), 180);
    EXPECT_EQ(MarkerValueAt(84, 169, 1, 180), 1 + 179 * 84 / 169);
    EXPECT_EQ(MarkerValueAt(10, 0, 1, 6), 1);  // no extent, no division
    // Far beyond the track does not overflow.
    EXPECT_EQ(MarkerValueAt(2'000'000'000, 1, 0, 2'000'000'000), 2'000'000'000);

    EXPECT_EQ(MarkerSetPosValue(7, 1, 6), 1);
    EXPECT_EQ(MarkerSetPosValue(0, 1, 6), 1);
    EXPECT_EQ(MarkerSetPosValue(4, 1, 6), 4);
    EXPECT_EQ(MarkerClampedValue(7, 1, 6), 6);
    EXPECT_EQ(MarkerClampedValue(-3, 1, 6), 1);
}

TEST(KeySteps, ValuesStopAtTheEndsAndChoicesWrap) {
    struct Case {
        int value, minimum, maximum;
        KeyStep step;
        int expected;
    };
    const Case values[] = {
        {5, 1, 11, KeyStep::More, 6},        {11, 1, 11, KeyStep::More, 11},    {1, 1, 11, KeyStep::Less, 1},
        {5, 1, 11, KeyStep::PageMore, 6},    {5, 1, 180, KeyStep::PageMore, 22}, {170, 1, 180, KeyStep::PageMore, 180},
        {10, 1, 180, KeyStep::PageLess, 1},  {90, 1, 120, KeyStep::First, 1},    {90, 1, 120, KeyStep::Last, 120},
        {0, 1, 10, KeyStep::None, 1},        {400, 1, 180, KeyStep::Less, 179},  {3, 3, 3, KeyStep::More, 3},
    };
    for (const Case& c : values)
        EXPECT_EQ(SteppedValue(c.value, c.minimum, c.maximum, c.step), c.expected)
            << c.value << " in " << c.minimum << ".." << c.maximum << " step " << static_cast<int>(c.step);

    struct Choice {
        int current, count;
        KeyStep step;
        int expected;
    };
    const Choice choices[] = {
        {0, 4, KeyStep::More, 1}, {3, 4, KeyStep::More, 0},  {0, 4, KeyStep::Less, 3},    {-1, 4, KeyStep::More, 0},
        {-1, 4, KeyStep::Less, 3}, {2, 4, KeyStep::First, 0}, {1, 4, KeyStep::Last, 3},   {2, 4, KeyStep::None, 2},
        {0, 0, KeyStep::More, -1}, {1, 2, KeyStep::PageMore, 0}, {9, 4, KeyStep::More, 0},
    };
    for (const Choice& c : choices)
        EXPECT_EQ(SteppedChoice(c.current, c.count, c.step), c.expected)
            << c.current << " of " << c.count << " step " << static_cast<int>(c.step);
}

TEST(ListEditRules, ColoursAndEndOfEditing) {
    EXPECT_EQ(ListItemBackground(false, false), (ListColour{145, 145, 145}));
    EXPECT_EQ(ListItemBackground(true, false), (ListColour{255, 237, 0}));
    EXPECT_EQ(ListItemBackground(false, true), (ListColour{255, 237, 0}));

    const std::vector<std::string> items{"Macro1", "Macro2", "50 ms"};
    // Delays: leading integer, at most 65535, "%d ms".
    EXPECT_EQ(EditedItemText(ListEditMode::Delay, true, "70000", items, 2), "65535 ms");
    EXPECT_EQ(EditedItemText(ListEditMode::Delay, true, "", items, 2), "0 ms");
    EXPECT_EQ(EditedItemText(ListEditMode::Delay, true, "120abc", items, 2), "120 ms");
    EXPECT_EQ(EditedItemText(ListEditMode::Delay, true, "99999999999999999999", items, 2), "65535 ms");
    EXPECT_EQ(EditedItemText(ListEditMode::Delay, false, "300", items, 2), std::nullopt);
    // Names: non-empty and unique among the other items, case-sensitive.
    for (ListEditMode mode : {ListEditMode::Name, ListEditMode::MacroName}) {
        EXPECT_EQ(EditedItemText(mode, true, "", items, 0), std::nullopt);
        EXPECT_EQ(EditedItemText(mode, true, "Macro2", items, 0), std::nullopt);
        EXPECT_EQ(EditedItemText(mode, true, "macro2", items, 0), "macro2");
        EXPECT_EQ(EditedItemText(mode, true, "Macro1", items, 0), "Macro1");  // its own name
        EXPECT_EQ(EditedItemText(mode, false, "Other", items, 0), std::nullopt);
    }
    EXPECT_EQ(EditedItemText(ListEditMode::None, true, "x", items, 0), std::nullopt);
    EXPECT_EQ(LeadingInteger("  -12x"), -12);
}

TEST(ScrollBarGeometry, ArrowsTrackAndThumb) {
    constexpr int W = 12;
    // Plenty of room: 160 long, range 0..999, page 230.
    ScrollState s{0, 999, 230, 0};
    ScrollGeometry g = ComputeScrollGeometry(160, W, s, s.pos);
    EXPECT_EQ(g.arrow, 12);
    EXPECT_EQ(g.track, 136);
    EXPECT_EQ(g.span, 770);
    EXPECT_EQ(g.thumbLength, 136 * 230 / 1000);
    EXPECT_EQ(g.thumbOffset, 0);
    g = ComputeScrollGeometry(160, W, s, 770);
    EXPECT_EQ(g.thumbOffset, 136 - g.thumbLength);
    // The thumb is at least 12 long.
    s = {0, 99999, 10, 0};
    EXPECT_EQ(ComputeScrollGeometry(160, W, s, 0).thumbLength, 12);
    // Shorter than two cells: half-length arrows, no thumb.
    g = ComputeScrollGeometry(20, W, {0, 999, 230, 0}, 0);
    EXPECT_EQ(g.arrow, 10);
    EXPECT_EQ(g.track, 0);
    EXPECT_EQ(g.thumbLength, 0);
    // Track shorter than 12: no thumb.
    EXPECT_EQ(ComputeScrollGeometry(35, W, {0, 999, 230, 0}, 0).thumbLength, 0);
    // Range within one page: no thumb, the track fills the space.
    g = ComputeScrollGeometry(160, W, {0, 99, 230, 0}, 0);
    EXPECT_EQ(g.thumbLength, 0);
    EXPECT_EQ(g.thumbOffset, 68);
    EXPECT_EQ(HitTestScrollBar(g, 80), ScrollPart::PageDown);
    // Positions counted from a non-zero minimum.
    g = ComputeScrollGeometry(160, W, {100, 1099, 230, 100}, 100);
    EXPECT_EQ(g.thumbOffset, 0);
}

TEST(ScrollBarGeometry, HitTestingAndDragging) {
    const ScrollState s{0, 999, 230, 385};
    const ScrollGeometry g = ComputeScrollGeometry(160, 12, s, s.pos);
    EXPECT_EQ(HitTestScrollBar(g, -1), ScrollPart::None);
    EXPECT_EQ(HitTestScrollBar(g, 0), ScrollPart::LineUp);
    EXPECT_EQ(HitTestScrollBar(g, 11), ScrollPart::LineUp);
    EXPECT_EQ(HitTestScrollBar(g, 12), ScrollPart::PageUp);
    EXPECT_EQ(HitTestScrollBar(g, g.thumbStart()), ScrollPart::Thumb);
    EXPECT_EQ(HitTestScrollBar(g, g.thumbEnd() - 1), ScrollPart::Thumb);
    EXPECT_EQ(HitTestScrollBar(g, g.thumbEnd()), ScrollPart::PageDown);
    EXPECT_EQ(HitTestScrollBar(g, 148), ScrollPart::LineDown);
    EXPECT_EQ(HitTestScrollBar(g, 160), ScrollPart::None);

    const int free = g.track - g.thumbLength;
    EXPECT_EQ(ScrollDragPosition(g, s, 385, 10), 385 + 10 * 770 / free);
    EXPECT_EQ(ScrollDragPosition(g, s, 385, -1000), 0);
    EXPECT_EQ(ScrollDragPosition(g, s, 385, 1000), 770);
    EXPECT_EQ(ScrollMaxPosition(s), 770);
}

TEST(ScrollBarRepeat, TimingOnAFakeClock) {
    RepeatSchedule r;
    r.Start(1000);
    EXPECT_EQ(r.TakeDueTicks(1499), 0);
    EXPECT_FALSE(r.repeating());
    EXPECT_EQ(r.TakeDueTicks(1500), 1);  // first repeat after 500 ms
    EXPECT_TRUE(r.repeating());
    EXPECT_EQ(r.WaitMs(1500), 100);
    EXPECT_EQ(r.TakeDueTicks(1599), 0);
    EXPECT_EQ(r.TakeDueTicks(1600), 1);  // then every 100 ms
    EXPECT_EQ(r.TakeDueTicks(1950), 3);  // a late timer catches up
    r.Stop();
    EXPECT_EQ(r.TakeDueTicks(5000), 0);
}

TEST(ScrollBarRepeat, StopRules) {
    const ScrollState top{0, 999, 230, 0};
    const ScrollState end{0, 999, 230, 769};
    const ScrollState last{0, 999, 230, 770};
    EXPECT_EQ(NextRepeatStep(ScrollPart::LineUp, top, false, ScrollPart::LineUp), RepeatStep::Stop);
    EXPECT_EQ(NextRepeatStep(ScrollPart::LineDown, end, false, ScrollPart::LineDown), RepeatStep::Send);
    // The line-down repeat stops at the last reachable position.
    EXPECT_EQ(NextRepeatStep(ScrollPart::LineDown, last, false, ScrollPart::LineDown), RepeatStep::Stop);
    EXPECT_EQ(NextRepeatStep(ScrollPart::PageDown, top, false, ScrollPart::PageDown), RepeatStep::Send);
    EXPECT_EQ(NextRepeatStep(ScrollPart::PageDown, top, false, ScrollPart::Thumb), RepeatStep::Stop);
    // Outside the pressed part nothing is sent, but the repeat goes on.
    EXPECT_EQ(NextRepeatStep(ScrollPart::LineUp, end, true, ScrollPart::None), RepeatStep::Skip);
}

TEST(MenuMetrics, ItemSizes) {
    EXPECT_EQ(MenuItemHeight(2001), 20);
    EXPECT_EQ(MenuItemHeight(kMenuSeparatorId), 5);
    EXPECT_EQ(MenuItemHeight(kMenuHiddenId), 0);
    MenuMeasure m;
    m.Append(5);
    m.Append(12);
    m.Append(3);
    EXPECT_EQ(m.itemWidth, 96);
    EXPECT_EQ(m.count, 3);
    m.Measure(2001);
    m.Measure(0);
    EXPECT_EQ(m.totalHeight, 25);
    m.leftMargin = 4;
    m.rightMargin = 6;
    m.Append(12);
    EXPECT_EQ(m.itemWidth, 106);
}

TEST(SkinPath, EveryNameFormReachesTheSameFile) {
    for (const char* name : {"Skins\\Logo.png", "/skins/Logo.png", "Logo.png", "/Logo.png", "skins/Logo.png",
                             "\\\\skins/Logo.png"}) {
        EXPECT_EQ(NormaliseSkinPath(name), "Logo.png") << name;
    }
    EXPECT_EQ(NormaliseSkinPath("Skins/USBReportRate/500HZ.png"), "USBReportRate/500HZ.png");
    EXPECT_EQ(NormaliseSkinPath("\\skins\\DPISetting\\DPIStage\\0.png"), "DPISetting/DPIStage/0.png");

    test::TempDir dir;
    std::filesystem::create_directories(dir.path() + "/Skins/MacroManagement");
    std::ofstream(dir.path() + "/Skins/MacroManagement/Pane.png") << "x";
    const std::filesystem::path skins = dir.path() + "/Skins";
    const auto expected = skins / "MacroManagement/Pane.png";
    EXPECT_EQ(ResolveSkinFile(skins, "/MacroManagement/Pane.png"), expected);
    EXPECT_EQ(ResolveSkinFile(skins, "\\\\skins/MacroManagement/Pane.png"), expected);
    EXPECT_EQ(ResolveSkinFile(skins, "Skins\\macromanagement\\PANE.png"), expected);  // case differs
    EXPECT_TRUE(ResolveSkinFile(skins, "Skins\\missing.png").empty());
    EXPECT_TRUE(ResolveSkinFile(skins, "../Skins/MacroManagement/Pane.png").empty());
    EXPECT_EQ(FindSkinFolder(dir.path()), skins);
}

// The skins and the guide are found beside the program (build tree) and in
// the share folder of an installed layout; the build tree wins.
TEST(SkinPath, ProgramDataFolderInTheBuildTreeAndInstalled) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const fs::path root = dir.path();
    fs::create_directories(root / "usr/bin");
    EXPECT_TRUE(FindProgramDataFolder(root / "usr/bin").empty());
    EXPECT_TRUE(FindSkinFolder(root / "usr/bin").empty());

    // A share folder without skins is not a data folder.
    fs::create_directories(root / "usr/share/qv530-10800rad/doc");
    EXPECT_TRUE(FindProgramDataFolder(root / "usr/bin/").empty());

    fs::create_directories(root / "usr/share/qv530-10800rad/Skins");
    EXPECT_EQ(FindProgramDataFolder(root / "usr/bin/"), root / "usr/share/qv530-10800rad");
    EXPECT_EQ(FindProgramDataFolder(root / "usr/bin"), root / "usr/share/qv530-10800rad");
    EXPECT_EQ(FindSkinFolder(root / "usr/bin/"), root / "usr/share/qv530-10800rad/Skins");

    fs::create_directories(root / "usr/bin/Skins");
    EXPECT_EQ(FindProgramDataFolder(root / "usr/bin"), root / "usr/bin");
    EXPECT_EQ(FindSkinFolder(root / "usr/bin"), root / "usr/bin/Skins");
}

// The speed dial pictures point where a click gives their level.
TEST(SkinGeometry, SpeedDialPointersMatchTheClickLevels) {
    for (int level = 1; level <= skin::kSpeedLevels; ++level) {
        double a = skin::SpeedDialPointerDegrees(level);
        if (a >= 175) a = 185;
        const int computed = std::clamp(static_cast<int>(12 - a / 18), 1, 11);
        EXPECT_EQ(computed, level) << "picture " << level;
    }
    // The report-rate dial centre is the middle of its rectangle (57, 5)-(185, 128).
    EXPECT_EQ(skin::kRateDialCentre.x, skin::kRateDialOrigin.x + skin::kRateDial.width / 2);
    EXPECT_EQ(skin::kRateDialCentre.y, skin::kRateDialOrigin.y + skin::kRateDial.height / 2);
    EXPECT_EQ(skin::kSpeedDialCentre.x, skin::kSpeedDialOrigin.x + skin::kSpeedDial.width / 2);
}

}  // namespace
}  // namespace qv530
