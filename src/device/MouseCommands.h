#pragma once
// The command blocks of the mouse and the frames of the pad, built from the
// record. Every sequence sends exactly these bytes.
#include <array>
#include <cstdint>

#include "device/CommandFraming.h"
#include "settings/DpiEdits.h"
#include "settings/MouseSettings.h"

namespace qv530 {

namespace cmd {
inline constexpr std::uint8_t kSetReportRate = 0x01;
inline constexpr std::uint8_t kSetButtonMap = 0x03;
inline constexpr std::uint8_t kSetMacro = 0x05;
inline constexpr std::uint8_t kSetLightEffect = 0x06;
inline constexpr std::uint8_t kSetDpiStages = 0x07;
inline constexpr std::uint8_t kSetDpiStagesHigh = 0x08;
inline constexpr std::uint8_t kSetDpiColors = 0x0A;
inline constexpr std::uint8_t kSetSensitivity = 0x0B;
inline constexpr std::uint8_t kSetLightBlock = 0x0C;
inline constexpr std::uint8_t kGetDeviceState = 0x81;
inline constexpr std::uint8_t kGetDpiStage = 0x87;
inline constexpr std::uint8_t kGetLightBlock = 0x8C;
} // namespace cmd

namespace padcmd {
inline constexpr std::uint8_t kSetLightEffect = 0x08;
inline constexpr std::uint8_t kSetPalette01 = 0x09;
inline constexpr std::uint8_t kSetPalette23 = 0x0A;
inline constexpr std::uint8_t kSetPalette45 = 0x0B;
inline constexpr std::uint8_t kGetState = 0x88;
} // namespace padcmd

// Bulk commands announce their chunk count in parameter 3.
inline constexpr std::uint8_t kOneChunk = 0x01;
inline constexpr std::uint8_t kThreeChunks = 0x03;
inline constexpr std::size_t kLightBlockKept = 24;

// Which stage table goes to the mice (StageTable, settings/DpiEdits.h): A
// whenever an A11D mouse is connected.

CommandBlock ReportRateBlock(const MouseSettings& settings, const std::array<std::uint8_t, 4>& deviceState);
CommandBlock SensitivityBlock(const MouseSettings& settings);
CommandBlock DpiStagesBlock(const MouseSettings& settings, StageTable table, std::uint8_t currentStage);
CommandBlock DpiStagesHighBlock(const MouseSettings& settings, StageTable table);
// Bit i set when stage i is enabled, with bit 7 always set.
std::uint8_t StageMask(const MouseSettings& settings);
// The effect codes on the wire, in the light-effect command (mouse) and the
// pad's effect parameters.
enum class MouseLightWire : std::uint8_t { Standard = 0, Breathing = 1, Neon = 2, Tapping = 3, Stream = 4 };
enum class PadLightWire : std::uint8_t { Standard = 0, Breathing = 1, Neon = 2, Stream = 3 };

CommandBlock LightEffectBlock(const MouseSettings& settings);
// The 64 bytes of the colour chunk: stages 1..7 as R G B, then zeros.
std::array<std::uint8_t, kChunkSize> DpiColourChunk(const MouseSettings& settings);
// The light block to send back: the block as read with the palette colour in bytes 0..2.
std::array<std::uint8_t, kChunkSize> LightBlockChunk(const MouseSettings& settings,
                                                     const std::array<std::uint8_t, kChunkSize>& readBlock);
CommandBlock MacroBlock(std::uint8_t macroIndex);
CommandBlock OneChunkBlock(std::uint8_t code); // button map, colours, light block (set and get)
CommandBlock QueryBlock(std::uint8_t code);    // device state, current stage

std::array<std::uint8_t, kPadParams> PadLightEffectParams(const MouseSettings& settings);
// Palette entries 2k and 2k+1 of the pad, then a zero byte.
std::array<std::uint8_t, kPadParams> PadPaletteParams(const MouseSettings& settings, std::size_t pair);

} // namespace qv530
