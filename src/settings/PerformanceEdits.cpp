#include "settings/PerformanceEdits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "settings/DpiEdits.h"
#include "settings/RecordEdits.h"

namespace qv530 {
namespace {

constexpr double kDegreesPerRadian = 57.295780490442965;
constexpr double kLeftEndDegrees = 175.0;  // the last 5 degrees at the left end count as 185
constexpr double kLeftEndReplacement = 185.0;
constexpr int kLevelsPlusOne = 12;

bool SetLevel(MouseSettings& settings, std::size_t offset, int level) {
    if (level < kMinLevel || level > kMaxLevel) return false;
    settings.at(offset) = static_cast<std::uint8_t>(level);
    return true;
}

int Squared(int v) { return v * v; }

} // namespace

bool IsReportRateCode(int code) {
    return std::find(kReportRateCodes.begin(), kReportRateCodes.end(), code) != kReportRateCodes.end();
}

int ReportRateHz(int code) { return IsReportRateCode(code) ? 1000 / code : 0; }

std::optional<int> ReportRateCodeOfHz(int hz) {
    for (const int code : kReportRateCodes)
        if (1000 / code == hz) return code;
    return std::nullopt;
}

bool SetReportRateCode(MouseSettings& settings, int code) {
    if (!IsReportRateCode(code)) return false;
    settings.at(field::kReportRate) = static_cast<std::uint8_t>(code);
    return true;
}

int ReportRateCodeShown(std::uint8_t stored) {
    if (stored == 0) return kDefaultReportRateCode;
    if (IsReportRateCode(stored)) return stored;
    const double hz = 1000.0 / stored;
    int best = kReportRateCodes.front();
    for (const int code : kReportRateCodes)
        if (std::abs(1000.0 / code - hz) < std::abs(1000.0 / best - hz)) best = code;
    return best;
}

bool NormaliseReportRate(MouseSettings& settings) {
    if (settings.at(field::kReportRate) != 0) return false;
    settings.at(field::kReportRate) = kDefaultReportRateCode;
    return true;
}

std::optional<int> RateCodeAtDial(int dx, int dy) {
    const int r2 = Squared(dx) + Squared(dy);
    if (r2 < Squared(kRateRingInnerRadius) || r2 > Squared(kRateRingOuterRadius)) return std::nullopt;
    if (dx == 0 || dy == 0) return std::nullopt;
    if (dy < 0) return dx > 0 ? 1 : 8;
    return dx < 0 ? 4 : 2;
}

bool SetAngleSnap(MouseSettings& settings, bool on) {
    settings.at(field::kAngleSnapOn) = on ? 1 : 0;
    return true;
}

bool AngleSnapOn(const MouseSettings& settings) { return settings.at(field::kAngleSnapOn) != 0; }

bool SetPointerSpeed(MouseSettings& settings, int level) { return SetLevel(settings, field::kPointerSpeed, level); }

bool SetDoubleClickLevel(MouseSettings& settings, int level) {
    return SetLevel(settings, field::kDoubleClickLevel, level);
}

int LevelShown(std::uint8_t stored) { return std::clamp<int>(stored, kMinLevel, kMaxLevel); }

SpeedDialClick SpeedDialAt(int dx, int dy) {
    SpeedDialClick click;
    if (dy > 0) return click;
    click.reacts = true;
    const double r = std::sqrt(static_cast<double>(Squared(dx) + Squared(dy)));
    if (r < kSpeedRingInnerRadius || r > kSpeedRingOuterRadius) return click;
    const double ady = std::abs(dy);
    const double adx = std::abs(dx);
    double a = 90.0;
    if (dx > 0) {
        a = std::atan(ady / adx) * kDegreesPerRadian;
    } else if (dx < 0) {
        // dy is never 0 here: a point left of the centre on the centre line is
        // 43 or more pixels away, and atan(adx / 0) is a right angle.
        a = (ady == 0 ? 90.0 : std::atan(adx / ady) * kDegreesPerRadian) + 90.0;
        if (a >= kLeftEndDegrees) a = kLeftEndReplacement;
    }
    click.angle = a;
    click.angleSteps = static_cast<int>(a / kSpeedDegreesPerLevel);
    click.level = std::clamp(static_cast<int>(kLevelsPlusOne - a / kSpeedDegreesPerLevel), kMinLevel, kMaxLevel);
    return click;
}

bool WheelPageScroll(const MouseSettings& settings) { return settings.at(field::kWheelPageScroll) != 0; }

bool SetWheelPageScroll(MouseSettings& settings, bool page) {
    settings.at(field::kWheelPageScroll) = page ? 1 : 0;
    return true;
}

bool SetWheelLines(MouseSettings& settings, int lines) {
    if (lines < kWheelLinesMin || lines > kWheelLinesMax) return false;
    settings.at(field::kWheelPageScroll) = 0;
    settings.at(field::kWheelLines) = static_cast<std::uint8_t>(lines);
    return true;
}

bool StepWheelLines(MouseSettings& settings, int delta) {
    if (WheelPageScroll(settings)) return false;
    const int lines = std::clamp(WheelLinesShown(settings.at(field::kWheelLines)) + delta, kWheelLinesMin, kWheelLinesMax);
    settings.at(field::kWheelLines) = static_cast<std::uint8_t>(lines);
    return true;
}

int WheelLinesShown(std::uint8_t stored) { return std::clamp<int>(stored, kWheelLinesMin, kWheelLinesMax); }

WheelBoxValue WheelBoxRule(std::string_view text) {
    const int n = LeadingDecimal(text);
    if (n <= 0 || n > kWheelLinesMax) return {1, true};
    return {n, false};
}

} // namespace qv530
