#include "settings/MouseSettings.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace qv530 {
namespace {

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

// The defaults written out from the record's table, offset by offset. Every
// byte not listed here keeps what the record held before a reset.
struct DefaultRun {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};
const std::vector<DefaultRun>& HandWrittenDefaults() {
    static const std::vector<DefaultRun> runs = {
        {1, {0x01, 0x01, 0x01, 0x01, 0x02, 0x02}},               // Reserved1, ReportRate, Reserved6
        {7, {0x0C, 0x18, 0x30, 0x48, 0x6C, 0x90, 0xB4}},         // DpiStageA: 600 .. 10800 dpi
        {15, {0x05, 0x0A, 0x14, 0x28, 0x3C, 0x50, 0x78}},        // DpiStageB: 500 .. 12000 dpi
        {23, {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01}},        // DpiStageOn
        {31, {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01}},        // DpiStageOnB
        {39, {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,    // DpiStageColor
              0x00, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00}},
        {63, {0x03, 0x03, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},             // mode, levels 1..9
        {88, {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00,                      // palette 0..5
              0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF}},
        {112, {0x01, 0x03, 0x03, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},      // colour, pad mode, levels
        {136, {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00,
               0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF}},
        // PadLightColor .. SensitivityY
        {160, {0x01, 0xFF, 0x00, 0x06, 0x03, 0x06, 0x00, 0x00, 0x06, 0x05, 0x05}},
        {171, {0x00, 0x01, 0x02, 0x11, 0x12, 0x06, 0x06, 0x0D}}, // ButtonFunction
        {179, {0x0D, 0x0D, 0x0D, 0x0D, 0x0D, 0x01, 0x02, 0x00}}, // ButtonParam
        {187, {0x00, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}}, // ButtonParam2
        {195, std::vector<std::uint8_t>(128, 0x00)},             // ButtonExtra
    };
    return runs;
}

TEST(MouseSettings, ResetWritesTheTablesDefaultsAndKeepsEveryOtherByte) {
    MouseSettings s;
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) s.bytes[i] = static_cast<std::uint8_t>(0xA5 ^ i);
    std::array<std::uint8_t, kMouseSettingsSize> expected = s.bytes;
    for (const DefaultRun& run : HandWrittenDefaults())
        for (std::size_t i = 0; i < run.bytes.size(); ++i) expected[run.offset + i] = run.bytes[i];
    ResetToDefaults(s);
    for (std::size_t i = 0; i < kMouseSettingsSize; ++i) EXPECT_EQ(s.bytes[i], expected[i]) << "offset " << i;
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
