#pragma once
// Which names a profile may take: the list keeps them as values of str.ini
// ("Item0=NAME", "CurProfileName=NAME"), one line each.
#include <string>
#include <string_view>

namespace qv530 {

// Empty when the list can keep the name, else why not in English, naming
// the characters that are not allowed.
std::string ProfileNameRefusal(std::string_view name);

} // namespace qv530
