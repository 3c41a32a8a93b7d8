#pragma once
// The report rate, angle snapping and the desktop pointer settings as their
// pages and qv530ctl edit them, with the dial and edit-box rules of the pages.
// Dial positions are given relative to the dial's centre (x right, y down).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/MouseSettings.h"

namespace qv530 {

// ---- report rate: code 1, 2, 4, 8 = 1000, 500, 250, 125 Hz ----
inline constexpr std::array<int, 4> kReportRateCodes{1, 2, 4, 8};
inline constexpr int kDefaultReportRateCode = 2;
inline constexpr int kRateRingInnerRadius = 35;
inline constexpr int kRateRingOuterRadius = 64;

bool IsReportRateCode(int code);
int ReportRateHz(int code);  // 1000 / code; 0 for a code that is none of the four
std::optional<int> ReportRateCodeOfHz(int hz);
bool SetReportRateCode(MouseSettings& settings, int code);
// The code the page shows: 0 shows 500 Hz (the page also stores that); any
// other stray code shows the rate nearest to 1000 / code.
int ReportRateCodeShown(std::uint8_t stored);
// A stored 0 becomes 2 (500 Hz); false when nothing needed to change.
bool NormaliseReportRate(MouseSettings& settings);
// The rate dial: between 35 and 64 pixels from the centre (inclusive) the
// quadrant chooses (upper right 1000, upper left 125, lower left 250, lower
// right 500 Hz); a point on an axis, nearer or farther chooses nothing.
std::optional<int> RateCodeAtDial(int dx, int dy);

// ---- angle snapping ----
bool SetAngleSnap(MouseSettings& settings, bool on);
bool AngleSnapOn(const MouseSettings& settings);

// ---- pointer speed and double-click level, 1..11 ----
bool SetPointerSpeed(MouseSettings& settings, int level);
bool SetDoubleClickLevel(MouseSettings& settings, int level);
// A stored level kept to 1..11 for showing (0 shows 1, 99 shows 11).
int LevelShown(std::uint8_t stored);

inline constexpr int kSpeedRingInnerRadius = 43;
inline constexpr int kSpeedRingOuterRadius = 71;
inline constexpr int kSpeedDegreesPerLevel = 18;

// What a click on the speed dial does.
struct SpeedDialClick {
    bool reacts = false;        // false below the centre line: nothing, not even a repaint
    std::optional<int> level;   // the new level when the click is on the ring
    double angle = 0;           // degrees from the right-hand horizontal (on the ring)
    int angleSteps = 0;         // angle / 18, truncated
};
SpeedDialClick SpeedDialAt(int dx, int dy);

// ---- wheel ----
inline constexpr int kWheelLinesMin = 1;
inline constexpr int kWheelLinesMax = 100;
bool WheelPageScroll(const MouseSettings& settings);
bool SetWheelPageScroll(MouseSettings& settings, bool page);
// Lines per notch 1..100; turns the one-screen mode off.
bool SetWheelLines(MouseSettings& settings, int lines);
// The arrows: one line more or less, saturating at 1 and 100, only in the
// lines mode (false in the one-screen mode).
bool StepWheelLines(MouseSettings& settings, int delta);
// A stored count kept to 1..100 for showing.
int WheelLinesShown(std::uint8_t stored);

// The wheel box's rule for a typed text: its number n, or 1 (with the box
// text replaced by "1") when n <= 0 or n > 100; an empty text reads as 0.
struct WheelBoxValue {
    int lines = 1;
    bool replaceText = false;
};
WheelBoxValue WheelBoxRule(std::string_view text);

} // namespace qv530
