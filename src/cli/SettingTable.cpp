// Every name of get and set, in get's order: one line per group.
#include "cli/SettingCommands.h"

namespace qv530::cli {

std::span<const SettingCommand> SettingCommands() {
    static const std::vector<SettingCommand> all = [] {
        std::vector<SettingCommand> names;
        const auto add = [&](std::span<const SettingCommand> group) { names.insert(names.end(), group.begin(), group.end()); };
        add(PerformanceSettingCommands());
        add(AxisSettingCommands());
        add(LightingSettingCommands());
        add(ButtonSettingCommands());
        return names;
    }();
    return all;
}

} // namespace qv530::cli
