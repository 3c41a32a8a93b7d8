#include "settings/MouseSettings.h"

#include <algorithm>
#include <cstring>

namespace qv530 {
namespace {

constexpr std::array<std::uint8_t, field::kStageCount> kDefaultStagesA{12, 24, 48, 72, 108, 144, 180};
constexpr std::array<std::uint8_t, field::kStageCount> kDefaultStagesB{5, 10, 20, 40, 60, 80, 120};
constexpr std::array<Rgb, field::kColourCount> kDefaultStageColours{{
    {0xFF, 0x00, 0x00}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0xFF, 0xFF}, {0xFF, 0x80, 0x00}, {0xFF, 0x00, 0xFF}, {0x00, 0x00, 0x00},
}};
// Palette entries 0..5; entries 6 and 7 are kept.
constexpr std::array<Rgb, 6> kDefaultPalette{{
    {0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00}, {0x00, 0xFF, 0x00},
    {0x00, 0xFF, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF},
}};
// Levels of effects 1..9; the level of effect 10 is kept.
constexpr std::array<std::uint8_t, 9> kDefaultLevels{3, 4, 4, 4, 4, 4, 4, 4, 4};
constexpr std::array<std::uint8_t, field::kButtonSlots> kDefaultFunctions{0x00, 0x01, 0x02, 0x11, 0x12, 0x06, 0x06, 0x0D};
constexpr std::array<std::uint8_t, field::kButtonSlots> kDefaultParams{0x0D, 0x0D, 0x0D, 0x0D, 0x0D, 0x01, 0x02, 0x00};
constexpr std::array<std::uint8_t, field::kButtonSlots> kDefaultParams2{0x00, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00};

template <std::size_t N>
void Put(MouseSettings& s, std::size_t offset, const std::array<std::uint8_t, N>& values) {
    std::copy(values.begin(), values.end(), s.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace

void ResetToDefaults(MouseSettings& s) {
    using namespace field;
    std::fill_n(&s.at(kReserved1), kReserved1Size, std::uint8_t{1});
    s.at(kReportRate) = 2;
    s.at(kReserved6) = 2;
    Put(s, kDpiStageA, kDefaultStagesA);
    Put(s, kDpiStageB, kDefaultStagesB);
    std::fill_n(&s.at(kDpiStageOn), kStageCount, std::uint8_t{1});
    std::fill_n(&s.at(kDpiStageOnB), kStageCount, std::uint8_t{1});
    for (std::size_t i = 0; i < kColourCount; ++i) s.SetColour(MouseSettings::StageColourOffset(i), kDefaultStageColours[i]);
    s.at(kMouseLightMode) = 3;
    Put(s, kMouseLightLevel, kDefaultLevels);
    for (std::size_t i = 0; i < kDefaultPalette.size(); ++i) {
        s.SetColour(MouseSettings::MouseColourOffset(i), kDefaultPalette[i]);
        s.SetColour(MouseSettings::PadColourOffset(i), kDefaultPalette[i]);
    }
    s.at(kMouseLightColor) = 1;
    s.at(kPadLightMode) = 3;
    Put(s, kPadLightLevel, kDefaultLevels);
    s.at(kPadLightColor) = 1;
    s.at(kPointerPrecision) = 0xFF;
    s.at(kWheelPageScroll) = 0;
    s.at(kPointerSpeed) = 6;
    s.at(kWheelLines) = 3;
    s.at(kDoubleClickLevel) = 6;
    s.at(kAngleSnapParam) = 0;
    s.at(kAngleSnapOn) = 0;
    s.at(kReserved168) = 6;
    s.at(kSensitivityX) = 5;
    s.at(kSensitivityY) = 5;
    Put(s, kButtonFunction, kDefaultFunctions);
    Put(s, kButtonParam, kDefaultParams);
    Put(s, kButtonParam2, kDefaultParams2);
    std::fill_n(&s.at(kButtonExtra), kButtonExtraTables * kButtonSlots, std::uint8_t{0});
}

void CopySettings(const MouseSettings& from, MouseSettings& to) {
    std::memcpy(to.bytes.data(), from.bytes.data(), kMouseSettingsSize);
}

int DpiFromCode(std::uint8_t code) {
    constexpr int kFineLimit = 144;
    constexpr int kCoarseOffset = 72;
    if (code <= kFineLimit) return code * 50;
    return (code - kCoarseOffset) * 100;
}

std::uint8_t CodeFromDpi(int dpi) {
    if (dpi <= kMinDpiA) return 1;
    if (dpi >= kMaxDpiA) return 180;
    if (dpi > 7200) return static_cast<std::uint8_t>((dpi + 7200) / 100);
    return static_cast<std::uint8_t>(dpi / 50);
}

int DpiFromCodeB(std::uint8_t code) { return code * 100; }

std::uint8_t CodeFromDpiB(int dpi) {
    return static_cast<std::uint8_t>(std::clamp(dpi, kMinDpiB, kMaxDpiB) / 100);
}

std::uint8_t SensitivityToDevice(std::uint8_t level) { return static_cast<std::uint8_t>(level * 20); }

int PointerSpeedFromLevel(int level) { return level == 1 ? 1 : 2 * level - 2; }

int DoubleClickMsFromLevel(int level) { return 970 - 70 * level; }

} // namespace qv530
