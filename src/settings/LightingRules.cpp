#include "settings/LightingRules.h"

#include <algorithm>

namespace qv530 {
namespace {

constexpr std::array<LightEffect, 5> kMouseEffects{LightEffect::Standard, LightEffect::Breathing, LightEffect::Neon,
                                                   LightEffect::Tapping, LightEffect::Stream};
constexpr std::array<LightEffect, 4> kPadEffects{LightEffect::Standard, LightEffect::Breathing, LightEffect::Neon,
                                                 LightEffect::Stream};

constexpr int Number(LightEffect effect) { return static_cast<int>(effect); }

bool Offered(LightDevice device, LightEffect effect) { return RowOfEffect(device, Number(effect)).has_value(); }

} // namespace

LightFields FieldsOf(LightDevice device) {
    if (device == LightDevice::Pad) return {field::kPadLightMode, field::kPadLightPalette, field::kPadLightColor};
    return {field::kMouseLightMode, field::kMouseLightPalette, field::kMouseLightColor};
}

std::span<const LightEffect> OfferedEffects(LightDevice device) {
    if (device == LightDevice::Pad) return kPadEffects;
    return kMouseEffects;
}

std::optional<int> RowOfEffect(LightDevice device, int effect) {
    const auto effects = OfferedEffects(device);
    const auto found = std::find_if(effects.begin(), effects.end(), [effect](LightEffect e) { return Number(e) == effect; });
    if (found == effects.end()) return std::nullopt;
    return static_cast<int>(found - effects.begin());
}

int StoredEffect(const MouseSettings& settings, LightDevice device) { return settings.at(FieldsOf(device).mode); }

int StoredLevel(const MouseSettings& settings, LightDevice device, LightEffect effect) {
    return settings.at(FieldsOf(device).mode + static_cast<std::size_t>(effect));
}

int StoredColour(const MouseSettings& settings, LightDevice device) { return settings.at(FieldsOf(device).colour); }

Rgb StoredPaletteEntry(const MouseSettings& settings, LightDevice device, int entry) {
    return settings.Colour(FieldsOf(device).palette + field::kColourSize * static_cast<std::size_t>(entry));
}

bool SliderEnabled(LightDevice device, int storedEffect, int row) {
    const std::optional<int> live = RowOfEffect(device, storedEffect);
    return live.has_value() && *live == row;
}

bool SwatchClickChooses(int storedEffect, int swatch) {
    if (storedEffect == Number(LightEffect::Standard)) return swatch >= 0 && swatch < kEditableColours;
    if (storedEffect == Number(LightEffect::Breathing)) return swatch >= 0 && swatch <= kColourCycleSwatch;
    return false;
}

bool SwatchOpensChooser(int storedEffect, int swatch) {
    return (storedEffect == Number(LightEffect::Standard) || storedEffect == Number(LightEffect::Breathing)) &&
           swatch >= 0 && swatch < kEditableColours;
}

std::optional<int> FramedSwatch(int storedEffect, int storedColour) {
    if (storedEffect != Number(LightEffect::Standard) && storedEffect != Number(LightEffect::Breathing))
        return kColourCycleSwatch;
    if (storedColour < 0 || storedColour > kColourCycleSwatch) return std::nullopt;
    return storedColour;
}

bool SelectLightMode(MouseSettings& settings, LightDevice device, int effect) {
    if (effect < 0 || effect > 0xFF) return false;
    const LightFields f = FieldsOf(device);
    settings.at(f.mode) = static_cast<std::uint8_t>(effect);
    if (effect == Number(LightEffect::Standard) && settings.at(f.colour) == field::kColourCycleIndex) settings.at(f.colour) = 0;
    return true;
}

bool PickLightEffect(MouseSettings& settings, LightDevice device, LightEffect effect) {
    if (!Offered(device, effect)) return false;
    SelectLightMode(settings, device, Number(effect));
    return true;
}

bool SetLightLevel(MouseSettings& settings, LightDevice device, LightEffect effect, int level) {
    if (!Offered(device, effect) || level < kMinLightLevel || level > kMaxLightLevel) return false;
    settings.at(FieldsOf(device).mode + static_cast<std::size_t>(effect)) = static_cast<std::uint8_t>(level);
    return true;
}

bool ClickLightSwatch(MouseSettings& settings, LightDevice device, int swatch) {
    if (!SwatchClickChooses(StoredEffect(settings, device), swatch)) return false;
    settings.at(FieldsOf(device).colour) = static_cast<std::uint8_t>(swatch);
    return true;
}

bool SetLightColourIndex(MouseSettings& settings, LightDevice device, int colour) {
    if (colour < 0 || colour > kColourCycleSwatch) return false;
    if (colour == kColourCycleSwatch && StoredEffect(settings, device) == Number(LightEffect::Standard)) return false;
    settings.at(FieldsOf(device).colour) = static_cast<std::uint8_t>(colour);
    return true;
}

bool SetLightPaletteEntry(MouseSettings& settings, LightDevice device, int entry, Rgb colour) {
    if (entry < 0 || entry >= kEditableColours) return false;
    settings.SetColour(FieldsOf(device).palette + field::kColourSize * static_cast<std::size_t>(entry), colour);
    return true;
}

} // namespace qv530
