#pragma once
// The profile list kept in str.ini, section "Profile": "ItemCount" names
// 1..6 entries "Item0".."Item5", and "CurProfileName" the current one.
// Files belong to positions, not to names.
#include <optional>
#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace qv530 {

struct CurrentProfileIndex {
    bool valid = false;  // false: "ItemCount" is not a number from 1 to 6
    int position = -1;   // last entry equal to "CurProfileName"; -1 when none is
};

// Reads "ItemCount" as a whole decimal number; nothing for anything else.
std::optional<int> ParseCount(const std::string& text);

CurrentProfileIndex ResolveCurrentProfile(const IniDocument& profileList);

// The names "Item0".."Item(n-1)" of a valid list, else empty.
std::vector<std::string> ProfileNames(const IniDocument& profileList);

} // namespace qv530
