#pragma once
// Edits one entry of a KDE configuration file (kdeglobals, kcminputrc) in
// its text, keeping every other line byte for byte. The files are INI-like;
// nested groups are written as a run of bracketed names on one header line,
// "[Libinput][1241][41245][USB Gaming Mouse]"; a bracket inside a name is
// written "\x5b" / "\x5d" as KConfig does.
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

// The group path of a header line ("[A][B]" -> {"A", "B"}), or nothing when
// the line is no group header.
std::vector<std::string> ParseKdeGroupHeader(std::string_view line);

// The header line of a group path, without its line end.
std::string KdeGroupHeader(const std::vector<std::string>& group);

// The text with `key=value` in the group: the first line of that key in the
// group gets the new value (its line end kept); a missing key is added after
// the group's last entry; a missing group is added at the end. Other lines,
// blank lines and comments stay as they are.
std::string SetKdeConfigEntry(std::string_view text, const std::vector<std::string>& group, std::string_view key,
                              std::string_view value);

// The value of the key in the group, or nothing.
bool FindKdeConfigEntry(std::string_view text, const std::vector<std::string>& group, std::string_view key,
                        std::string& value);

} // namespace qv530
