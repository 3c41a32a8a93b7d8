#include "device/MouseCommands.h"

#include <algorithm>

namespace qv530 {
namespace {

using namespace field;

// Speed byte of the animated effects: faster levels give smaller values.
constexpr std::uint8_t kSpeedBase = 12;
constexpr std::uint8_t kEffectTempo = 0x32;
constexpr std::uint8_t kAllColours = 0x07;
constexpr std::uint8_t kBrightnessStep = 8;
constexpr std::uint8_t kMaskAlways = 0x80;
constexpr std::uint8_t kPadCycleNibble = 0x70;
constexpr std::uint8_t kPadColourNibble = 0x10;

std::uint8_t Stage(const MouseSettings& s, StageTable table, std::size_t stage) {
    return s.at((table == StageTable::A ? kDpiStageA : kDpiStageB) + stage);
}

// The mouse counts stages from 0: the code goes out one lower.
std::uint8_t StageOnWire(const MouseSettings& s, StageTable table, std::size_t stage) {
    return static_cast<std::uint8_t>(Stage(s, table, stage) - 1);
}

std::uint8_t Speed(std::uint8_t level) { return static_cast<std::uint8_t>(kSpeedBase - level); }

} // namespace

CommandBlock ReportRateBlock(const MouseSettings& s, const std::array<std::uint8_t, 4>& state) {
    return MakeBlock(cmd::kSetReportRate, s.at(kReportRate), state[1], state[2], state[3]);
}

CommandBlock SensitivityBlock(const MouseSettings& s) {
    return MakeBlock(cmd::kSetSensitivity, SensitivityToDevice(s.at(kSensitivityX)), SensitivityToDevice(s.at(kSensitivityY)));
}

std::uint8_t StageMask(const MouseSettings& s) {
    std::uint8_t mask = kMaskAlways;
    for (std::size_t i = 0; i < kStageCount; ++i)
        if (s.at(kDpiStageOn + i) != 0) mask = static_cast<std::uint8_t>(mask | (1u << i));
    return mask;
}

CommandBlock DpiStagesBlock(const MouseSettings& s, StageTable table, std::uint8_t currentStage) {
    return MakeBlock(cmd::kSetDpiStages, currentStage, StageMask(s), StageOnWire(s, table, 0), StageOnWire(s, table, 1),
                     StageOnWire(s, table, 2), StageOnWire(s, table, 3));
}

CommandBlock DpiStagesHighBlock(const MouseSettings& s, StageTable table) {
    return MakeBlock(cmd::kSetDpiStagesHigh, StageOnWire(s, table, 4), StageOnWire(s, table, 5), StageOnWire(s, table, 6));
}

CommandBlock LightEffectBlock(const MouseSettings& s) {
    const auto level = [&](LightEffect effect) { return s.at(kMouseLightMode + static_cast<std::size_t>(effect)); };
    const auto wire = [](MouseLightWire code) { return static_cast<std::uint8_t>(code); };
    switch (static_cast<LightEffect>(s.at(kMouseLightMode))) {
    case LightEffect::Standard: {
        const std::uint8_t brightness =
            level(LightEffect::Standard) == 1 ? 0 : static_cast<std::uint8_t>(level(LightEffect::Standard) * kBrightnessStep);
        return MakeBlock(cmd::kSetLightEffect, wire(MouseLightWire::Standard), 0x00, brightness);
    }
    case LightEffect::Breathing: {
        const std::uint8_t colours = s.at(kMouseLightColor) == kColourCycleIndex ? kAllColours : 0x00;
        return MakeBlock(cmd::kSetLightEffect, wire(MouseLightWire::Breathing), colours, kEffectTempo,
                         Speed(level(LightEffect::Breathing)));
    }
    case LightEffect::Neon:
        return MakeBlock(cmd::kSetLightEffect, wire(MouseLightWire::Neon), kAllColours, kEffectTempo,
                         Speed(level(LightEffect::Neon)));
    case LightEffect::Tapping:
        return MakeBlock(cmd::kSetLightEffect, wire(MouseLightWire::Tapping), kAllColours, kEffectTempo,
                         Speed(level(LightEffect::Tapping)));
    case LightEffect::Stream:
        return MakeBlock(cmd::kSetLightEffect, wire(MouseLightWire::Stream), kAllColours, kEffectTempo,
                         Speed(level(LightEffect::Stream)));
    }
    return MakeBlock(cmd::kSetLightEffect);
}

std::array<std::uint8_t, kChunkSize> DpiColourChunk(const MouseSettings& s) {
    std::array<std::uint8_t, kChunkSize> chunk{};
    std::copy_n(s.data() + kDpiStageColor, kStageCount * kColourSize, chunk.begin());
    return chunk;
}

std::array<std::uint8_t, kChunkSize> LightBlockChunk(const MouseSettings& s,
                                                     const std::array<std::uint8_t, kChunkSize>& readBlock) {
    std::array<std::uint8_t, kChunkSize> chunk = readBlock;
    // The colour index is not range-checked, like every stored field; even 255
    // stays inside the record.
    const Rgb colour = s.Colour(MouseSettings::MouseColourOffset(s.at(kMouseLightColor)));
    chunk[0] = colour.red;
    chunk[1] = colour.green;
    chunk[2] = colour.blue;
    return chunk;
}

CommandBlock MacroBlock(std::uint8_t macroIndex) { return MakeBlock(cmd::kSetMacro, 0x00, macroIndex, kThreeChunks); }

CommandBlock OneChunkBlock(std::uint8_t code) { return MakeBlock(code, 0x00, 0x00, kOneChunk); }

CommandBlock QueryBlock(std::uint8_t code) { return MakeBlock(code); }

std::array<std::uint8_t, kPadParams> PadLightEffectParams(const MouseSettings& s) {
    const auto level = [&](LightEffect effect) { return s.at(kPadLightMode + static_cast<std::size_t>(effect)); };
    const std::uint8_t c = s.at(kPadLightColor);
    const Rgb rgb = s.Colour(MouseSettings::PadColourOffset(c)); // stays inside the record for any c
    const auto nibble = static_cast<std::uint8_t>((c + 1) * kPadColourNibble);
    const auto wire = [](PadLightWire code) { return static_cast<std::uint8_t>(code); };
    switch (static_cast<LightEffect>(s.at(kPadLightMode))) {
    case LightEffect::Standard:
        if (level(LightEffect::Standard) == 1) return {};
        return {wire(PadLightWire::Standard), static_cast<std::uint8_t>(level(LightEffect::Standard) * kBrightnessStep),
                0x00, nibble, rgb.red, rgb.green, rgb.blue};
    case LightEffect::Breathing:
        return {wire(PadLightWire::Breathing), kEffectTempo, level(LightEffect::Breathing),
                c == kColourCycleIndex ? kPadCycleNibble : nibble, rgb.red, rgb.green, rgb.blue};
    case LightEffect::Neon: return {wire(PadLightWire::Neon), kEffectTempo, level(LightEffect::Neon), 0, 0, 0, 0};
    case LightEffect::Stream: return {wire(PadLightWire::Stream), kEffectTempo, level(LightEffect::Stream), 0, 0, 0, 0};
    case LightEffect::Tapping: break; // the pad has no finger tapping
    }
    return {};
}

std::array<std::uint8_t, kPadParams> PadPaletteParams(const MouseSettings& s, std::size_t pair) {
    std::array<std::uint8_t, kPadParams> params{};
    std::copy_n(s.data() + MouseSettings::PadColourOffset(2 * pair), 2 * kColourSize, params.begin());
    return params;
}

} // namespace qv530
