// get/set names of the mouse's and the pad's lighting.
#include "cli/SettingCommands.h"
#include "settings/LightingRules.h"

#include <optional>

namespace qv530::cli {
namespace {

constexpr std::string_view kCycleWord = "cycle";

std::string_view EffectName(LightEffect effect) {
    switch (effect) {
    case LightEffect::Standard: return "standard";
    case LightEffect::Breathing: return "breathing";
    case LightEffect::Neon: return "neon";
    case LightEffect::Tapping: return "tapping";
    case LightEffect::Stream: return "stream";
    }
    return "";
}

// An offered effect by its name or number.
std::optional<LightEffect> ParseEffect(LightDevice device, std::string_view text) {
    for (LightEffect effect : OfferedEffects(device)) {
        if (EqualsIgnoringAsciiCase(text, EffectName(effect)) || text == std::to_string(static_cast<int>(effect)))
            return effect;
    }
    return std::nullopt;
}

template <LightDevice device>
constexpr std::string_view Prefix() {
    return device == LightDevice::Pad ? "pad-" : "";
}

template <LightDevice device>
void GetLight(const CliProfile& profile, std::ostream& out) {
    // Every effect's level; the stored effect last, so that set leaves it current.
    const int stored = StoredEffect(profile.settings, device);
    const auto line = [&](LightEffect effect) {
        const int level = StoredLevel(profile.settings, device, effect);
        out << Prefix<device>() << "light " << EffectName(effect) << " "
            << (level >= kMinLightLevel && level <= kMaxLightLevel ? std::to_string(level) : CodeWords(level)) << "\n";
    };
    for (LightEffect effect : OfferedEffects(device))
        if (static_cast<int>(effect) != stored) line(effect);
    if (RowOfEffect(device, stored)) line(static_cast<LightEffect>(stored));
    else out << Prefix<device>() << "light " << CodeWords(stored) << "\n"; // an effect the page cannot choose
}

template <LightDevice device>
int SetLight(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    // An effect the page cannot choose, as get prints it: stored as it is.
    int raw = 0;
    if (ParseCode(values, raw)) {
        profile.settings.at(FieldsOf(device).mode) = static_cast<std::uint8_t>(raw);
        return kSetDone;
    }
    const std::optional<LightEffect> effect = values.empty() ? std::nullopt : ParseEffect(device, values[0]);
    const std::span<const std::string> levelWords = values.subspan(values.empty() ? 0 : 1);
    int level = 0;
    const bool levelGiven = !levelWords.empty();
    if (!effect || (levelGiven && !ParseCode(levelWords, level) &&
                    (levelWords.size() != 1 || !ParseNumber(levelWords[0], kMinLightLevel, kMaxLightLevel, level)))) {
        err << "qv530ctl: " << Prefix<device>() << "light takes an effect (";
        const char* separator = "";
        for (LightEffect e : OfferedEffects(device)) {
            err << separator << EffectName(e);
            separator = ", ";
        }
        err << ") and an optional level from " << kMinLightLevel << " to " << kMaxLightLevel << "\n";
        return kSetBadInput;
    }
    PickLightEffect(profile.settings, device, *effect);
    if (levelGiven)
        profile.settings.at(FieldsOf(device).mode + static_cast<std::size_t>(*effect)) = static_cast<std::uint8_t>(level);
    return kSetDone;
}

template <LightDevice device>
void GetLightColour(const CliProfile& profile, std::ostream& out) {
    const int colour = StoredColour(profile.settings, device);
    const bool standard = StoredEffect(profile.settings, device) == static_cast<int>(LightEffect::Standard);
    out << Prefix<device>() << "light-color ";
    if (colour < kEditableColours) out << colour << "\n";
    else if (colour == kColourCycleSwatch && !standard) out << kCycleWord << "\n";
    else out << CodeWords(colour) << "\n"; // no swatch of the page stands for it
}

template <LightDevice device>
int SetLightColour(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int colour = -1;
    if (ParseCode(values, colour)) {
        profile.settings.at(FieldsOf(device).colour) = static_cast<std::uint8_t>(colour);
        return kSetDone;
    }
    if (values.size() == 1) {
        if (EqualsIgnoringAsciiCase(values[0], kCycleWord)) colour = kColourCycleSwatch;
        else if (!ParseNumber(values[0], 0, kEditableColours - 1, colour)) colour = -1;
    }
    if (colour < 0 || !SetLightColourIndex(profile.settings, device, colour)) {
        err << "qv530ctl: " << Prefix<device>() << "light-color takes a palette entry from 0 to "
            << kEditableColours - 1 << ", or cycle (not with the standard effect)\n";
        return kSetBadInput;
    }
    return kSetDone;
}

template <LightDevice device>
void GetLightPalette(const CliProfile& profile, std::ostream& out) {
    for (int entry = 0; entry < kEditableColours; ++entry)
        out << Prefix<device>() << "light-palette " << entry << " "
            << FormatColour(StoredPaletteEntry(profile.settings, device, entry)) << "\n";
}

template <LightDevice device>
int SetLightPalette(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int entry = 0;
    Rgb colour;
    if (values.size() != 2 || !ParseNumber(values[0], 0, kEditableColours - 1, entry) || !ParseColour(values[1], colour)) {
        err << "qv530ctl: " << Prefix<device>() << "light-palette takes an entry from 0 to " << kEditableColours - 1
            << " and a colour RRGGBB\n";
        return kSetBadInput;
    }
    SetLightPaletteEntry(profile.settings, device, entry, colour);
    return kSetDone;
}

const SettingCommand kLightingCommands[] = {
    {"light", "light standard|breathing|neon|tapping|stream [LEVEL 1..6]", GetLight<LightDevice::Mouse>,
     SetLight<LightDevice::Mouse>},
    {"light-color", "light-color 0..4|cycle", GetLightColour<LightDevice::Mouse>, SetLightColour<LightDevice::Mouse>},
    {"light-palette", "light-palette 0..4 RRGGBB", GetLightPalette<LightDevice::Mouse>,
     SetLightPalette<LightDevice::Mouse>},
    {"pad-light", "pad-light standard|breathing|neon|stream [LEVEL 1..6]", GetLight<LightDevice::Pad>,
     SetLight<LightDevice::Pad>},
    {"pad-light-color", "pad-light-color 0..4|cycle", GetLightColour<LightDevice::Pad>, SetLightColour<LightDevice::Pad>},
    {"pad-light-palette", "pad-light-palette 0..4 RRGGBB", GetLightPalette<LightDevice::Pad>,
     SetLightPalette<LightDevice::Pad>},
};

} // namespace

std::span<const SettingCommand> LightingSettingCommands() { return kLightingCommands; }

} // namespace qv530::cli
