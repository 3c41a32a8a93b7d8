#pragma once
// The configuration record: 1884 bytes at fixed offsets, stored unchanged in
// every configuration file and read by the device layer to build its commands.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace qv530 {

namespace field {
// Offset and width of every field of the record.
inline constexpr std::size_t kProfileSlot = 0;
inline constexpr std::size_t kReserved1 = 1;          // 4 bytes, no reader
inline constexpr std::size_t kReserved1Size = 4;
inline constexpr std::size_t kReportRate = 5;
inline constexpr std::size_t kReserved6 = 6;
inline constexpr std::size_t kDpiStageA = 7;          // 7 codes
inline constexpr std::size_t kFiller14 = 14;
inline constexpr std::size_t kDpiStageB = 15;         // 7 codes, 100 dpi units
inline constexpr std::size_t kFiller22 = 22;
inline constexpr std::size_t kDpiStageOn = 23;        // 7 flags
inline constexpr std::size_t kFiller30 = 30;
inline constexpr std::size_t kDpiStageOnB = 31;       // 7 flags, no reader
inline constexpr std::size_t kFiller38 = 38;
inline constexpr std::size_t kDpiStageColor = 39;     // 8 colours of 3 bytes
inline constexpr std::size_t kMouseLightMode = 63;
inline constexpr std::size_t kMouseLightLevel = 64;   // 10 levels, effect m at 63 + m
inline constexpr std::size_t kFiller74 = 74;          // 14 bytes
inline constexpr std::size_t kMouseLightPalette = 88; // 8 colours
inline constexpr std::size_t kMouseLightColor = 112;
inline constexpr std::size_t kPadLightMode = 113;
inline constexpr std::size_t kPadLightLevel = 114;    // 10 levels, effect m at 113 + m
inline constexpr std::size_t kFiller124 = 124;        // 12 bytes
inline constexpr std::size_t kPadLightPalette = 136;  // 8 colours
inline constexpr std::size_t kPadLightColor = 160;
inline constexpr std::size_t kPointerPrecision = 161;
inline constexpr std::size_t kWheelPageScroll = 162;
inline constexpr std::size_t kPointerSpeed = 163;
inline constexpr std::size_t kWheelLines = 164;
inline constexpr std::size_t kDoubleClickLevel = 165;
inline constexpr std::size_t kAngleSnapParam = 166;
inline constexpr std::size_t kAngleSnapOn = 167;
inline constexpr std::size_t kReserved168 = 168;
inline constexpr std::size_t kSensitivityX = 169;
inline constexpr std::size_t kSensitivityY = 170;
inline constexpr std::size_t kButtonFunction = 171;   // 8 codes
inline constexpr std::size_t kButtonParam = 179;      // 8 bytes
inline constexpr std::size_t kButtonParam2 = 187;     // 8 bytes, no reader
inline constexpr std::size_t kButtonExtra = 195;      // 16 tables of 8 bytes
inline constexpr std::size_t kMacroSlot = 323;        // 12 slots of 130 bytes
inline constexpr std::size_t kFiller1883 = 1883;

inline constexpr std::size_t kStageCount = 7;
inline constexpr std::size_t kColourSize = 3;
inline constexpr std::size_t kColourCount = 8;
inline constexpr std::size_t kLightLevelCount = 10;
inline constexpr std::size_t kButtonSlots = 8;
inline constexpr std::size_t kSentButtons = 7;
inline constexpr std::size_t kButtonExtraTables = 16;
inline constexpr std::size_t kMacroSlotCount = 12;
inline constexpr std::size_t kMacroSlotSize = 130;
// Index of the palette entry that means "colour cycle".
inline constexpr std::uint8_t kColourCycleIndex = 5;
} // namespace field

inline constexpr std::size_t kMouseSettingsSize = 1884;

// The lighting effects as the record stores them (the mouse's and the pad's
// mode byte; the level of effect m is at the mode's offset + m). The pad has
// no finger tapping.
enum class LightEffect : std::uint8_t { Standard = 1, Breathing = 2, Neon = 3, Tapping = 4, Stream = 9 };

static_assert(field::kMacroSlot + field::kMacroSlotCount * field::kMacroSlotSize == field::kFiller1883);
static_assert(field::kFiller1883 + 1 == kMouseSettingsSize);
static_assert(field::kButtonExtra + field::kButtonExtraTables * field::kButtonSlots == field::kMacroSlot);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The record itself: a plain byte array with named accessors.
struct MouseSettings {
    std::array<std::uint8_t, kMouseSettingsSize> bytes{};

    std::uint8_t& at(std::size_t offset) { return bytes[offset]; }
    std::uint8_t at(std::size_t offset) const { return bytes[offset]; }
    std::uint8_t* data() { return bytes.data(); }
    const std::uint8_t* data() const { return bytes.data(); }

    std::uint8_t& DpiStageA(std::size_t stage) { return bytes[field::kDpiStageA + stage]; }
    std::uint8_t& DpiStageB(std::size_t stage) { return bytes[field::kDpiStageB + stage]; }
    std::uint8_t& DpiStageOn(std::size_t stage) { return bytes[field::kDpiStageOn + stage]; }
    std::uint8_t& ButtonFunction(std::size_t slot) { return bytes[field::kButtonFunction + slot]; }
    std::uint8_t& ButtonParam(std::size_t slot) { return bytes[field::kButtonParam + slot]; }
    // Byte of button slot in ButtonExtra table k.
    std::uint8_t& ButtonExtra(std::size_t table, std::size_t slot) {
        return bytes[field::kButtonExtra + field::kButtonSlots * table + slot];
    }
    std::uint8_t* MacroSlot(std::size_t slot) { return &bytes[field::kMacroSlot + field::kMacroSlotSize * slot]; }
    const std::uint8_t* MacroSlot(std::size_t slot) const {
        return &bytes[field::kMacroSlot + field::kMacroSlotSize * slot];
    }

    Rgb Colour(std::size_t offset) const { return {bytes[offset], bytes[offset + 1], bytes[offset + 2]}; }
    void SetColour(std::size_t offset, Rgb colour) {
        bytes[offset] = colour.red;
        bytes[offset + 1] = colour.green;
        bytes[offset + 2] = colour.blue;
    }
    static constexpr std::size_t StageColourOffset(std::size_t stage) {
        return field::kDpiStageColor + field::kColourSize * stage;
    }
    static constexpr std::size_t MouseColourOffset(std::size_t entry) {
        return field::kMouseLightPalette + field::kColourSize * entry;
    }
    static constexpr std::size_t PadColourOffset(std::size_t entry) {
        return field::kPadLightPalette + field::kColourSize * entry;
    }

    friend bool operator==(const MouseSettings&, const MouseSettings&) = default;
};

// Writes every default of the record and touches no other byte: the profile
// slot, the fillers, the effect-10 levels, palette entries 6 and 7 and the
// macro area keep what they held (that is how macros survive a reset).
void ResetToDefaults(MouseSettings& settings);

// A plain copy of all 1884 bytes.
void CopySettings(const MouseSettings& from, MouseSettings& to);

// The byte ranges ResetToDefaults writes, as [first, last] pairs.
struct ByteRange {
    std::size_t first;
    std::size_t last;
};
inline constexpr std::array<ByteRange, 9> kDefaultRanges{{
    {1, 13}, {15, 21}, {23, 29}, {31, 37}, {39, 72}, {88, 105}, {112, 122}, {136, 153}, {160, 322},
}};

// Values read from the mouse and kept beside the record; never stored in files.
struct DeviceState {
    std::uint8_t currentDpiStage = 0;
    std::array<std::uint8_t, 4> state{}; // answer of the device-state query; byte 0 is the rate code
    std::array<std::uint8_t, 24> lightBlock{};
    std::int32_t currentProfile = 0;
    std::uint8_t profileFileIndex = 0;
    std::uint8_t firstRunFlag = 0;
    std::uint8_t useFactoryFiles = 0;
};

// DPI codes. Table A (A11D mouse): 1..144 are code x 50 dpi, 145..180 are
// (code - 72) x 100 dpi. Table B (A1DC mouse): code x 100 dpi.
int DpiFromCode(std::uint8_t code);
std::uint8_t CodeFromDpi(int dpi);
int DpiFromCodeB(std::uint8_t code);
std::uint8_t CodeFromDpiB(int dpi);

inline constexpr int kMinDpiA = 50;
inline constexpr int kMaxDpiA = 10800;
inline constexpr int kMinDpiB = 100;
inline constexpr int kMaxDpiB = 12000;

// Sensitivity level as sent to the mouse.
std::uint8_t SensitivityToDevice(std::uint8_t level);
// Pointer speed level 1..11 to the desktop's speed 1..20.
int PointerSpeedFromLevel(int level);
// Double-click level 1..11 to milliseconds.
int DoubleClickMsFromLevel(int level);

} // namespace qv530
