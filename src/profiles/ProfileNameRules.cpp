#include "profiles/ProfileNameRules.h"

#include "settings/IniFile.h"

namespace qv530 {

std::string ProfileNameRefusal(std::string_view name) {
    if (name.find_first_not_of(" \t") == std::string_view::npos) return "A profile name cannot be empty.";
    std::string problem;
    if (name.find_first_of("\r\n") != std::string_view::npos) problem = "a line break";
    if (name.find('\0') != std::string_view::npos) problem += problem.empty() ? "a NUL character" : ", a NUL character";
    if (!problem.empty()) return "A profile name cannot hold " + problem + ".";
    // Longer values are cut when the list is read back.
    if (name.size() > kIniValueMax)
        return "A profile name can hold at most " + std::to_string(kIniValueMax) + " bytes; this one has " +
               std::to_string(name.size()) + ".";
    return {};
}

} // namespace qv530
