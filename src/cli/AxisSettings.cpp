// get/set names of the X/Y sensitivity.
#include "cli/SettingCommands.h"
#include "settings/RecordEdits.h"

namespace qv530::cli {
namespace {

template <Axis axis>
void GetSensitivity(const CliProfile& profile, std::ostream& out) {
    out << (axis == Axis::X ? "sensitivity-x " : "sensitivity-y ")
        << LevelWords(profile.settings.at(axis == Axis::X ? field::kSensitivityX : field::kSensitivityY)) << "\n";
}

template <Axis axis>
int SetSensitivityLevel(CliProfile& profile, std::span<const std::string> values, std::ostream& err) {
    int level = 0;
    if (!ParseLevelOrCode(values, level)) {
        err << "qv530ctl: " << (axis == Axis::X ? "sensitivity-x" : "sensitivity-y") << " takes a level from "
            << kMinLevel << " to " << kMaxLevel << "\n";
        return kSetBadInput;
    }
    profile.settings.at(axis == Axis::X ? field::kSensitivityX : field::kSensitivityY) = static_cast<std::uint8_t>(level);
    return kSetDone;
}

const SettingCommand kAxisCommands[] = {
    {"sensitivity-x", "sensitivity-x N (1..11)", GetSensitivity<Axis::X>, SetSensitivityLevel<Axis::X>},
    {"sensitivity-y", "sensitivity-y N (1..11)", GetSensitivity<Axis::Y>, SetSensitivityLevel<Axis::Y>},
};

} // namespace

std::span<const SettingCommand> AxisSettingCommands() { return kAxisCommands; }

} // namespace qv530::cli
