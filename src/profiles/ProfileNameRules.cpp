#include "profiles/ProfileNameRules.h"

namespace qv530 {

std::string ProfileNameRefusal(std::string_view name) {
    if (name.find_first_not_of(" \t") == std::string_view::npos) return "A profile name cannot be empty.";
    std::string problem;
    if (name.find_first_of("\r\n") != std::string_view::npos) problem = "a line break";
    if (name.find('\0') != std::string_view::npos) problem += problem.empty() ? "a NUL character" : ", a NUL character";
    return problem.empty() ? std::string{} : "A profile name cannot hold " + problem + ".";
}

} // namespace qv530
