#include "settings/LightingRules.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr int kStandard = 1, kBreathing = 2, kNeon = 3, kTapping = 4, kStream = 9;

class LightingRulesTest : public ::testing::TestWithParam<LightDevice> {
protected:
    void SetUp() override { ResetToDefaults(s); }
    LightDevice device() const { return GetParam(); }
    int mode() const { return StoredEffect(s, device()); }
    int colour() const { return StoredColour(s, device()); }
    MouseSettings s;
};

TEST(LightingRules, OfferedEffectsAndTheirRows) {
    const auto mouse = OfferedEffects(LightDevice::Mouse);
    const auto pad = OfferedEffects(LightDevice::Pad);
    ASSERT_EQ(mouse.size(), 5u);
    ASSERT_EQ(pad.size(), 4u);
    // The pad never offers finger tapping: no row, no slider, no pick.
    EXPECT_EQ(RowOfEffect(LightDevice::Pad, kTapping), std::nullopt);
    EXPECT_EQ(RowOfEffect(LightDevice::Pad, kStream), 3);
    EXPECT_EQ(RowOfEffect(LightDevice::Mouse, kTapping), 3);
    EXPECT_EQ(RowOfEffect(LightDevice::Mouse, kStream), 4);
    for (int unselectable : {0, 5, 6, 7, 8, 10, 255}) {
        EXPECT_EQ(RowOfEffect(LightDevice::Mouse, unselectable), std::nullopt) << unselectable;
        EXPECT_EQ(RowOfEffect(LightDevice::Pad, unselectable), std::nullopt) << unselectable;
    }
    MouseSettings s;
    ResetToDefaults(s);
    EXPECT_FALSE(PickLightEffect(s, LightDevice::Pad, LightEffect::Tapping));
    EXPECT_FALSE(SetLightLevel(s, LightDevice::Pad, LightEffect::Tapping, 2));
    EXPECT_EQ(StoredEffect(s, LightDevice::Pad), kNeon);
    EXPECT_EQ(s.at(field::kPadLightLevel + 3), 4);
}

TEST(LightingRules, OnlyTheStoredEffectsSliderIsLive) {
    struct Case {
        LightDevice device;
        int stored;
        int liveRow; // -1: none
    };
    const Case cases[] = {
        {LightDevice::Mouse, kStandard, 0}, {LightDevice::Mouse, kBreathing, 1}, {LightDevice::Mouse, kNeon, 2},
        {LightDevice::Mouse, kTapping, 3},  {LightDevice::Mouse, kStream, 4},    {LightDevice::Mouse, 0, -1},
        {LightDevice::Mouse, 5, -1},        {LightDevice::Mouse, 8, -1},         {LightDevice::Pad, kStream, 3},
        {LightDevice::Pad, kTapping, -1},   {LightDevice::Pad, 0, -1},           {LightDevice::Pad, 6, -1},
    };
    for (const Case& c : cases) {
        const int rows = static_cast<int>(OfferedEffects(c.device).size());
        for (int row = 0; row < rows; ++row)
            EXPECT_EQ(SliderEnabled(c.device, c.stored, row), row == c.liveRow) << "effect " << c.stored << " row " << row;
    }
}

TEST(LightingRules, SwatchClicksAndTheFrame) {
    // Which swatch a click chooses (5 = the colour cycle), per stored effect.
    struct Case {
        int effect;
        bool chooses[6];
        bool opensChooser[6];
    };
    const Case cases[] = {
        {kStandard, {1, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 0}},
        {kBreathing, {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 0}},
        {kNeon, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {kTapping, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {kStream, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {0, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {7, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        for (int j = 0; j < 6; ++j) {
            EXPECT_EQ(SwatchClickChooses(c.effect, j), c.chooses[j]) << "effect " << c.effect << " swatch " << j;
            EXPECT_EQ(SwatchOpensChooser(c.effect, j), c.opensChooser[j]) << "effect " << c.effect << " swatch " << j;
        }
        EXPECT_FALSE(SwatchClickChooses(c.effect, -1));
        EXPECT_FALSE(SwatchClickChooses(c.effect, 6));
    }
    // The frame: the chosen swatch in standard and breathing, else the colour cycle.
    EXPECT_EQ(FramedSwatch(kStandard, 3), 3);
    EXPECT_EQ(FramedSwatch(kBreathing, 5), 5);
    EXPECT_EQ(FramedSwatch(kBreathing, 0), 0);
    EXPECT_EQ(FramedSwatch(kNeon, 2), 5);
    EXPECT_EQ(FramedSwatch(kStream, 0), 5);
    EXPECT_EQ(FramedSwatch(0, 1), 5);
    EXPECT_EQ(FramedSwatch(kBreathing, 9), std::nullopt); // no swatch to frame
}

TEST_P(LightingRulesTest, EachEffectKeepsItsOwnLevelAcrossSwitches) {
    ASSERT_TRUE(SetLightLevel(s, device(), LightEffect::Standard, 6));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Breathing));
    ASSERT_TRUE(SetLightLevel(s, device(), LightEffect::Breathing, 2));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Stream));
    ASSERT_TRUE(SetLightLevel(s, device(), LightEffect::Stream, 1));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Standard));
    EXPECT_EQ(StoredLevel(s, device(), LightEffect::Standard), 6);
    EXPECT_EQ(StoredLevel(s, device(), LightEffect::Breathing), 2);
    EXPECT_EQ(StoredLevel(s, device(), LightEffect::Stream), 1);
    EXPECT_EQ(StoredLevel(s, device(), LightEffect::Neon), 4);
    EXPECT_FALSE(SetLightLevel(s, device(), LightEffect::Neon, 0));
    EXPECT_FALSE(SetLightLevel(s, device(), LightEffect::Neon, 7));
    EXPECT_EQ(StoredLevel(s, device(), LightEffect::Neon), 4);
}

TEST_P(LightingRulesTest, StandardTurnsAColourCycleIntoEntryZero) {
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Breathing));
    ASSERT_TRUE(ClickLightSwatch(s, device(), kColourCycleSwatch));
    EXPECT_EQ(colour(), 5);
    // Neon keeps the cycle; standard does not.
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Neon));
    EXPECT_EQ(colour(), 5);
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Standard));
    EXPECT_EQ(colour(), 0);
    // A palette entry survives the switch.
    ASSERT_TRUE(ClickLightSwatch(s, device(), 3));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Breathing));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Standard));
    EXPECT_EQ(colour(), 3);
}

TEST_P(LightingRulesTest, SwatchClicksChangeTheColourOnlyInStandardAndBreathing) {
    for (LightEffect effect : {LightEffect::Neon, LightEffect::Stream}) {
        ASSERT_TRUE(PickLightEffect(s, device(), effect));
        for (int j = 0; j < kSwatchCount; ++j) EXPECT_FALSE(ClickLightSwatch(s, device(), j));
        EXPECT_EQ(colour(), 1);
    }
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Standard));
    EXPECT_FALSE(ClickLightSwatch(s, device(), kColourCycleSwatch));
    EXPECT_TRUE(ClickLightSwatch(s, device(), 4));
    EXPECT_EQ(colour(), 4);
}

TEST_P(LightingRulesTest, AnEffectThePageCannotOfferIsKeptUntilTheUserPicks) {
    for (int stored : {0, 5, 8}) {
        s.at(FieldsOf(device()).mode) = static_cast<std::uint8_t>(stored);
        const MouseSettings before = s;
        SelectLightMode(s, device(), mode()); // what a refresh does
        EXPECT_EQ(s, before) << stored;
        EXPECT_FALSE(ClickLightSwatch(s, device(), 0));
        ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Neon));
        EXPECT_EQ(mode(), kNeon);
    }
}

TEST_P(LightingRulesTest, ColourIndexAndPaletteEdits) {
    // The command line may store an entry in any effect; the cycle never under standard.
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Neon));
    EXPECT_TRUE(SetLightColourIndex(s, device(), 2));
    EXPECT_TRUE(SetLightColourIndex(s, device(), 5));
    ASSERT_TRUE(PickLightEffect(s, device(), LightEffect::Standard));
    EXPECT_FALSE(SetLightColourIndex(s, device(), 5));
    EXPECT_FALSE(SetLightColourIndex(s, device(), 6));
    EXPECT_FALSE(SetLightColourIndex(s, device(), -1));
    EXPECT_EQ(colour(), 0);

    const MouseSettings before = s;
    EXPECT_FALSE(SetLightPaletteEntry(s, device(), 5, {1, 2, 3})); // the cycle's entry is not editable
    EXPECT_FALSE(SetLightPaletteEntry(s, device(), -1, {1, 2, 3}));
    EXPECT_EQ(s, before);
    EXPECT_TRUE(SetLightPaletteEntry(s, device(), 4, {0x12, 0x34, 0x56}));
    EXPECT_EQ(StoredPaletteEntry(s, device(), 4), (Rgb{0x12, 0x34, 0x56}));
    // The other device's palette is untouched.
    const LightDevice other = device() == LightDevice::Mouse ? LightDevice::Pad : LightDevice::Mouse;
    EXPECT_EQ(StoredPaletteEntry(s, other, 4), (Rgb{0xFF, 0x00, 0xFF}));
}

INSTANTIATE_TEST_SUITE_P(MouseAndPad, LightingRulesTest, ::testing::Values(LightDevice::Mouse, LightDevice::Pad),
                         [](const ::testing::TestParamInfo<LightDevice>& param) { return param.param == LightDevice::Mouse ? "Mouse" : "Pad"; });

} // namespace
} // namespace qv530
