#pragma once
// Rules for macro names: the name of a new macro, which renames are taken,
// and which macros may not be deleted because a button runs them.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

// A text the store can keep as a name: not empty, not only blanks, no
// "[", "]", line break, NUL or byte-order mark (they would break the file's
// section layout), and not the name of the store's index section.
bool IsStorableMacroName(std::string_view name);

// Empty when the store can keep the name, else why not in English, naming
// the characters that are not allowed or the store's own name it would take.
std::string MacroNameRefusal(std::string_view name);

// True when two names would share one section of the store: sections match
// without regard to ASCII case or surrounding blanks.
bool ShareMacroSection(std::string_view a, std::string_view b);

// "<macro word>_<n>": n is one more than the number after the first "_" of
// the last name, or the count plus one when the last name has no "_"; a
// number whose name is taken (or would share a section) moves on to the next.
std::string NewMacroName(const std::vector<std::string>& names, std::string_view language);

// Whether the macro at index may take newName: it is rejected when it is not
// storable, equal to another name, or would share another name's section.
bool IsAcceptedRename(const std::vector<std::string>& names, std::size_t index, std::string_view newName);

// True when a button runs the macro: its name is the text after the last ":"
// of one of the seven button labels (the whole label when it has no ":"), or
// the label ends with ":" and the name.
bool IsMacroInUse(std::string_view name, const std::array<std::string, 7>& buttonLabels);

} // namespace qv530
