// What the lighting pages' edits become on the wire at Apply.
#include <algorithm>

#include "DeviceFixture.h"
#include "settings/LightingRules.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class LightingApplyTest : public ::testing::Test, public test::DeviceFixture {
protected:
    void SetUp() override {
        ResetToDefaults(settings);
        PlugMouse(MouseVariant::A11D);
        PlugPad();
        Discover();
    }
    // The first traced report of `device` whose bytes start with `prefix`.
    std::string Line(const std::string& device, const std::string& prefix) {
        const auto lines = trace.Lines();
        const std::string start = device + " set-feature " + prefix;
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
        return found == lines.end() ? std::string() : *found;
    }
    static bool StartsWith(const std::string& line, const std::string& start) { return line.rfind(start, 0) == 0; }
};

TEST_F(LightingApplyTest, BrightnessLevelOneSendsTheLightsOffInStandard) {
    ASSERT_TRUE(PickLightEffect(settings, LightDevice::Mouse, LightEffect::Standard));
    ASSERT_TRUE(SetLightLevel(settings, LightDevice::Mouse, LightEffect::Standard, 1));
    ASSERT_TRUE(PickLightEffect(settings, LightDevice::Pad, LightEffect::Standard));
    ASSERT_TRUE(SetLightLevel(settings, LightDevice::Pad, LightEffect::Standard, 1));
    ASSERT_EQ(ApplyAndSave(context).failedReports, 0);
    // 06 standard, no colour flags, brightness 0: off, though the mode stays standard.
    EXPECT_EQ(Line("a11d", "00 06"), "a11d set-feature 00 06 00 00 00 00 00 00 f9");
    EXPECT_EQ(settings.at(field::kMouseLightMode), 1);
    // The pad's effect command (no checksum) carries nothing but zeros: off.
    EXPECT_EQ(Line("pad", "00 08"), "pad set-feature 00 08 00 00 00 00 00 00 00");

    trace.Clear();
    ASSERT_TRUE(SetLightLevel(settings, LightDevice::Mouse, LightEffect::Standard, 2));
    ASSERT_EQ(ApplyAndSave(context).failedReports, 0);
    EXPECT_EQ(Line("a11d", "00 06"), "a11d set-feature 00 06 00 00 10 00 00 00 e9");
}

TEST_F(LightingApplyTest, BreathingWithAChosenSwatchReachesBothDevices) {
    for (LightDevice device : {LightDevice::Mouse, LightDevice::Pad}) {
        ASSERT_TRUE(PickLightEffect(settings, device, LightEffect::Breathing));
        ASSERT_TRUE(SetLightLevel(settings, device, LightEffect::Breathing, 5));
        ASSERT_TRUE(SetLightPaletteEntry(settings, device, 2, {0x12, 0x34, 0x56}));
        ASSERT_TRUE(ClickLightSwatch(settings, device, 2));
    }
    ASSERT_EQ(ApplyAndSave(context).failedReports, 0);
    // Mouse: breathing (1), one colour (0), tempo 50, speed 12 - 5.
    EXPECT_TRUE(StartsWith(Line("a11d", "00 06"), "a11d set-feature 00 06 01 00 32 07 "));
    // Its light block starts with the chosen colour.
    const auto lines = trace.Lines();
    const auto block = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("a11d set-feature 00 0c", 0) == 0;
    });
    ASSERT_NE(block, lines.end());
    ASSERT_NE(block + 2, lines.end());
    EXPECT_TRUE(StartsWith(*(block + 2), "a11d write 00 12 34 56 ")) << *(block + 2);
    // Pad: breathing (1), tempo 50, the stored speed, colour index 2 + 1 in the upper four bits, the colour.
    EXPECT_EQ(Line("pad", "00 08"), "pad set-feature 00 08 01 32 05 30 12 34 56");
}

} // namespace
} // namespace qv530
