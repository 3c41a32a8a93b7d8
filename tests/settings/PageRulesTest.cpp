// The rules of the DPI, polling-rate, pointer and wheel pages, shared with qv530ctl.
#include "settings/DpiEdits.h"
#include "settings/PerformanceEdits.h"

#include <cmath>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

MouseSettings Defaults() {
    MouseSettings s;
    ResetToDefaults(s);
    return s;
}

TEST(DpiCommitRule, ExamplesOfBothTables) {
    struct Case {
        StageTable table;
        int typed;
        int code;
        int dpi;
    };
    const Case cases[] = {
        {StageTable::A, 0, 1, 50},        {StageTable::A, 75, 1, 50},      {StageTable::A, 149, 2, 100},
        {StageTable::A, 7200, 144, 7200}, {StageTable::A, 7250, 144, 7200}, {StageTable::A, 7300, 145, 7300},
        {StageTable::A, 9999, 171, 9900}, {StageTable::A, 10800, 180, 10800}, {StageTable::A, 12000, 180, 10800},
        {StageTable::A, 99999, 180, 10800}, {StageTable::B, 0, 1, 100},    {StageTable::B, 50, 1, 100},
        {StageTable::B, 1250, 12, 1200},  {StageTable::B, 12345, 120, 12000}, {StageTable::B, 99999, 120, 12000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CommitCode(c.table, c.typed), c.code);
        EXPECT_EQ(DpiOfCode(c.table, c.code), c.dpi);
    }
}

TEST(DpiCommitRule, LeadingNumberOfTheBox) {
    EXPECT_EQ(LeadingDecimal(""), 0);
    EXPECT_EQ(LeadingDecimal("abc"), 0);
    EXPECT_EQ(LeadingDecimal("3200dpi"), 3200);
    EXPECT_EQ(LeadingDecimal("99999999999999"), 2147483647);
}

TEST(DpiStages, SliderEnablesTypingDoesNot) {
    MouseSettings s = Defaults();
    SetStageOn(s, 2, false);
    ASSERT_TRUE(SetStageDpi(s, StageTable::A, 2, 3200));
    EXPECT_EQ(s.DpiStageA(2), 64);
    EXPECT_EQ(s.DpiStageOn(2), 0);
    ASSERT_TRUE(SetStageFromMarker(s, StageTable::B, 2, 33));
    EXPECT_EQ(s.DpiStageB(2), 33);
    EXPECT_EQ(s.DpiStageA(2), 64);  // the other table keeps its codes
    EXPECT_EQ(s.DpiStageOn(2), 1);
    EXPECT_FALSE(SetStageFromMarker(s, StageTable::A, 7, 10));
    EXPECT_FALSE(SetStageDpi(s, StageTable::A, -1, 10));
}

TEST(DpiStages, AllStagesMayBeOffAndOnlyExactOneOpensTheColour) {
    MouseSettings s = Defaults();
    for (int stage = 0; stage < kDpiStages; ++stage) ToggleStageOn(s, stage);
    for (int stage = 0; stage < kDpiStages; ++stage) EXPECT_FALSE(StageOn(s, stage));
    s.DpiStageOn(0) = 2;  // a stray byte counts as on, toggles to off, but opens no colour chooser
    EXPECT_TRUE(StageOn(s, 0));
    EXPECT_FALSE(StageColourEditable(s, 0));
    ToggleStageOn(s, 0);
    EXPECT_EQ(s.DpiStageOn(0), 0);
    ToggleStageOn(s, 0);
    EXPECT_TRUE(StageColourEditable(s, 0));
}

TEST(DpiStages, StrayCodesShowTheNearestStageAndStayStored) {
    MouseSettings s = Defaults();
    s.DpiStageA(0) = 0;
    s.DpiStageA(1) = 200;
    s.DpiStageB(0) = 200;
    EXPECT_EQ(StageDpiShown(s, StageTable::A, 0), 50);
    EXPECT_EQ(StageDpiShown(s, StageTable::A, 1), 10800);
    EXPECT_EQ(StageDpiShown(s, StageTable::B, 0), 12000);
    EXPECT_EQ(s.DpiStageA(0), 0);
    EXPECT_EQ(s.DpiStageA(1), 200);
    EXPECT_EQ(StageDpiShown(s, StageTable::A, 5), 7200);  // code 144
    s.DpiStageA(5) = 145;
    EXPECT_EQ(StageDpiShown(s, StageTable::A, 5), 7300);
}

TEST(DpiStages, TheSameTextCommitsIntoEachStage) {
    DpiCommitMemory memory;
    EXPECT_TRUE(memory.TakeIfChanged(2, "3200"));
    EXPECT_TRUE(memory.TakeIfChanged(3, "3200"));   // one shared text would drop this one
    EXPECT_FALSE(memory.TakeIfChanged(3, "3200"));  // the same stage twice: nothing new
    memory.Forget(3);                               // the slider moved the stage meanwhile
    EXPECT_TRUE(memory.TakeIfChanged(3, "3200"));
    EXPECT_FALSE(memory.TakeIfChanged(9, "1"));
}

TEST(ReportRate, DialQuadrantsAndRadii) {
    struct Case {
        int dx, dy;
        std::optional<int> code;
    };
    const Case cases[] = {
        {30, -30, 1},  {-30, -30, 8},  {-30, 30, 4},  {30, 30, 2},             // each quadrant
        {35, 0, {}},   {0, -50, {}},   {-50, 0, {}},  {0, 40, {}},              // on an axis
        {21, -28, 1},  {20, -28, {}},                                          // 35 inclusive, 34.4 inside
        {40, -48, 1},  {40, -51, {}},                                          // 62.5 in, 64.9 outside
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        EXPECT_EQ(RateCodeAtDial(c.dx, c.dy), c.code);
    }
    EXPECT_EQ(RateCodeAtDial(0, 64), std::nullopt);
    EXPECT_EQ(RateCodeAtDial(64, 1), std::nullopt);  // 64.008 > 64: outside
    EXPECT_EQ(RateCodeAtDial(64, 0), std::nullopt);  // 64 exactly, but on the axis
    EXPECT_EQ(RateCodeAtDial(63, 10), std::optional<int>(2));
}

TEST(ReportRate, StoredCodes) {
    EXPECT_EQ(ReportRateCodeShown(0), 2);
    EXPECT_EQ(ReportRateCodeShown(3), 4);   // 333 Hz is nearest to 250
    EXPECT_EQ(ReportRateCodeShown(200), 8);
    EXPECT_EQ(ReportRateCodeShown(8), 8);
    MouseSettings s = Defaults();
    s.at(field::kReportRate) = 0;
    EXPECT_TRUE(NormaliseReportRate(s));
    EXPECT_EQ(s.at(field::kReportRate), 2);
    EXPECT_FALSE(NormaliseReportRate(s));
    s.at(field::kReportRate) = 3;
    EXPECT_FALSE(NormaliseReportRate(s));  // shown as 250 Hz, kept until edited
    EXPECT_EQ(s.at(field::kReportRate), 3);
    EXPECT_FALSE(SetReportRateCode(s, 3));
    EXPECT_TRUE(SetReportRateCode(s, 1));
    EXPECT_EQ(ReportRateCodeOfHz(125), std::optional<int>(8));
    EXPECT_EQ(ReportRateCodeOfHz(333), std::nullopt);
}

TEST(SpeedDial, AnglesAndLevels) {
    struct Case {
        int dx, dy;
        std::optional<int> level;
    };
    const Case cases[] = {
        {0, -50, 7},     // straight above the centre
        {50, 0, 11},     // right end on the centre line
        {50, -16, 11},   // 17.7 degrees
        {50, -17, 10},   // 18.8 degrees
        {-50, 0, 1},     // left end: 180 -> 185
        {-50, -4, 1},    // 175.4 degrees -> 185
        {-50, -5, 2},    // 174.3 degrees: 12 - 9.68
        {-40, -40, 4},   // 135 degrees: 12 - 7.5 truncates to 4
        {0, -43, 7},     {0, -71, 7},    // ring radii inclusive
        {0, -42, {}},    {0, -72, {}},   // inside and outside the ring
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        const SpeedDialClick click = SpeedDialAt(c.dx, c.dy);
        EXPECT_TRUE(click.reacts);
        EXPECT_EQ(click.level, c.level);
    }
    EXPECT_FALSE(SpeedDialAt(0, 1).reacts);  // below the centre line: nothing at all
    EXPECT_FALSE(SpeedDialAt(-50, 5).reacts);
    const SpeedDialClick up = SpeedDialAt(0, -50);
    EXPECT_DOUBLE_EQ(up.angle, 90.0);
    EXPECT_EQ(up.angleSteps, 5);
}

TEST(PointerLevels, RangeAndShownValues) {
    MouseSettings s = Defaults();
    EXPECT_FALSE(SetPointerSpeed(s, 0));
    EXPECT_FALSE(SetDoubleClickLevel(s, 12));
    EXPECT_TRUE(SetDoubleClickLevel(s, 11));
    EXPECT_EQ(s.at(field::kDoubleClickLevel), 11);
    EXPECT_EQ(LevelShown(0), 1);
    EXPECT_EQ(LevelShown(99), 11);
    EXPECT_EQ(LevelShown(6), 6);
}

TEST(Wheel, BoxRuleArrowsAndModes) {
    struct Case {
        const char* text;
        int lines;
        bool replace;
    };
    const Case cases[] = {{"", 1, true}, {"0", 1, true}, {"101", 1, true}, {"100", 100, false},
                          {"1", 1, false}, {"37", 37, false}, {"999", 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const WheelBoxValue v = WheelBoxRule(c.text);
        EXPECT_EQ(v.lines, c.lines);
        EXPECT_EQ(v.replaceText, c.replace);
    }
    MouseSettings s = Defaults();
    s.at(field::kWheelLines) = 100;
    EXPECT_TRUE(StepWheelLines(s, 1));
    EXPECT_EQ(s.at(field::kWheelLines), 100);
    s.at(field::kWheelLines) = 255;  // a stray count shows 100 and steps from there
    EXPECT_EQ(WheelLinesShown(255), 100);
    EXPECT_TRUE(StepWheelLines(s, -1));
    EXPECT_EQ(s.at(field::kWheelLines), 99);
    s.at(field::kWheelLines) = 0;
    EXPECT_TRUE(StepWheelLines(s, -1));
    EXPECT_EQ(s.at(field::kWheelLines), 1);
    SetWheelPageScroll(s, true);
    EXPECT_FALSE(StepWheelLines(s, 1));  // the arrows do nothing in one-screen mode
    EXPECT_EQ(s.at(field::kWheelLines), 1);
    EXPECT_TRUE(SetWheelLines(s, 5));
    EXPECT_FALSE(WheelPageScroll(s));
    EXPECT_FALSE(SetWheelLines(s, 101));
}

} // namespace
} // namespace qv530
