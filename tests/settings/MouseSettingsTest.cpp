#include "settings/MouseSettings.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

bool Written(std::size_t offset) {
    for (const ByteRange& range : kDefaultRanges)
        if (offset >= range.first && offset <= range.last) return true;
    return false;
}

TEST(MouseSettings, OffsetsMatchTheRecordTable) {
    using namespace field;
    static_assert(sizeof(MouseSettings) == kMouseSettingsSize);
    EXPECT_EQ(kReportRate, 5u);
    EXPECT_EQ(kDpiStageA, 7u);
    EXPECT_EQ(kDpiStageB, 15u);
    EXPECT_EQ(kDpiStageOn, 23u);
    EXPECT_EQ(kDpiStageOnB, 31u);
    EXPECT_EQ(kDpiStageColor, 39u);
    EXPECT_EQ(kMouseLightMode, 63u);
    EXPECT_EQ(kMouseLightPalette, 88u);
    EXPECT_EQ(kMouseLightColor, 112u);
    EXPECT_EQ(kPadLightMode, 113u);
    EXPECT_EQ(kPadLightPalette, 136u);
    EXPECT_EQ(kPadLightColor, 160u);
    EXPECT_EQ(kPointerPrecision, 161u);
    EXPECT_EQ(kDoubleClickLevel, 165u);
    EXPECT_EQ(kAngleSnapOn, 167u);
    EXPECT_EQ(kSensitivityX, 169u);
    EXPECT_EQ(kSensitivityY, 170u);
    EXPECT_EQ(kButtonFunction, 171u);
    EXPECT_EQ(kButtonParam, 179u);
    EXPECT_EQ(kButtonParam2, 187u);
    EXPECT_EQ(kButtonExtra, 195u);
    EXPECT_EQ(kMacroSlot, 323u);
    MouseSettings s;
    EXPECT_EQ(s.MacroSlot(11) - s.data(), 323 + 130 * 11);
    EXPECT_EQ(&s.ButtonExtra(15, 7) - s.data(), 195 + 8 * 15 + 7);
}

TEST(MouseSettings, ResetWritesExactlyTheListedBytes) {
    MouseSettings s;
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) s.bytes[i] = static_cast<std::uint8_t>(0xA5 ^ i);
    const MouseSettings before = s;
    ResetToDefaults(s);
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) {
        if (!Written(i)) {
            EXPECT_EQ(s.bytes[i], before.bytes[i]) << "offset " << i;
        }
    }

    // The written bytes carry the defaults, whatever the record held before.
    MouseSettings zero;
    ResetToDefaults(zero);
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) {
        if (Written(i)) {
            EXPECT_EQ(s.bytes[i], zero.bytes[i]) << "offset " << i;
        }
    }
}

TEST(MouseSettings, DefaultValues) {
    MouseSettings s;
    ResetToDefaults(s);
    using namespace field;
    const std::uint8_t stagesA[] = {12, 24, 48, 72, 108, 144, 180};
    const std::uint8_t stagesB[] = {5, 10, 20, 40, 60, 80, 120};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(s.DpiStageA(i), stagesA[i]);
        EXPECT_EQ(s.DpiStageB(i), stagesB[i]);
        EXPECT_EQ(s.DpiStageOn(i), 1);
    }
    EXPECT_EQ(s.at(kReportRate), 2);
    EXPECT_EQ(s.Colour(MouseSettings::StageColourOffset(5)), (Rgb{0xFF, 0x80, 0x00}));
    EXPECT_EQ(s.Colour(MouseSettings::MouseColourOffset(1)), (Rgb{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(s.Colour(MouseSettings::PadColourOffset(5)), (Rgb{0x00, 0xFF, 0xFF}));
    EXPECT_EQ(s.at(kMouseLightLevel), 3);
    EXPECT_EQ(s.at(kMouseLightLevel + 8), 4);
    EXPECT_EQ(s.at(kPointerPrecision), 0xFF);
    EXPECT_EQ(s.at(kPointerSpeed), 6);
    EXPECT_EQ(s.at(kWheelLines), 3);
    EXPECT_EQ(s.at(kReserved168), 6);
    const std::uint8_t functions[] = {0x00, 0x01, 0x02, 0x11, 0x12, 0x06, 0x06, 0x0D};
    const std::uint8_t params[] = {0x0D, 0x0D, 0x0D, 0x0D, 0x0D, 0x01, 0x02, 0x00};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(s.ButtonFunction(i), functions[i]);
        EXPECT_EQ(s.ButtonParam(i), params[i]);
    }
    EXPECT_EQ(s.at(kButtonParam2 + 1), 2);
    EXPECT_EQ(s.at(kButtonParam2 + 2), 1);
}

TEST(MouseSettings, DpiCodesOfTableA) {
    EXPECT_EQ(DpiFromCode(144), 7200);
    EXPECT_EQ(DpiFromCode(145), 7300);
    EXPECT_EQ(DpiFromCode(180), 10800);
    EXPECT_EQ(DpiFromCode(12), 600);
    EXPECT_EQ(CodeFromDpi(7250), 144);
    EXPECT_EQ(CodeFromDpi(7300), 145);
    EXPECT_EQ(CodeFromDpi(3200), 64);
    EXPECT_EQ(CodeFromDpi(50), 1);
    EXPECT_EQ(CodeFromDpi(-5), 1);
    EXPECT_EQ(CodeFromDpi(10800), 180);
    EXPECT_EQ(CodeFromDpi(99999), 180);
    EXPECT_EQ(CodeFromDpi(10799), 179);
    EXPECT_EQ(CodeFromDpi(7200), 144);
    for (int code = 1; code <= 180; ++code)
        EXPECT_EQ(CodeFromDpi(DpiFromCode(static_cast<std::uint8_t>(code))), code) << code;
}

TEST(MouseSettings, DpiCodesOfTableBAndConversions) {
    EXPECT_EQ(DpiFromCodeB(120), 12000);
    EXPECT_EQ(CodeFromDpiB(50), 1);
    EXPECT_EQ(CodeFromDpiB(12001), 120);
    EXPECT_EQ(CodeFromDpiB(2050), 20);
    EXPECT_EQ(SensitivityToDevice(5), 100);
    EXPECT_EQ(PointerSpeedFromLevel(1), 1);
    EXPECT_EQ(PointerSpeedFromLevel(6), 10);
    EXPECT_EQ(PointerSpeedFromLevel(11), 20);
    EXPECT_EQ(DoubleClickMsFromLevel(6), 550);
    EXPECT_EQ(DoubleClickMsFromLevel(1), 900);
}

TEST(MouseSettings, CopyIsWhole) {
    MouseSettings a, b;
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) a.bytes[i] = static_cast<std::uint8_t>(i * 7);
    CopySettings(a, b);
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace qv530
