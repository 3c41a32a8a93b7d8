#pragma once
// How the buttons refer to the macros of the store. A button that plays a
// macro has function 11, the macro's slot (its position in the store's list)
// in ButtonExtra table 14, and a caption "<macro word>:<macro name>". When
// the list changes under the buttons (a macro deleted or renamed in the
// manager), these keep the slot byte and the caption in step with the name.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/MouseSettings.h"

namespace qv530 {

inline constexpr std::size_t kMacroNumberTable = 14;  // ButtonExtra table of the macro's slot
inline constexpr std::size_t kMacroRunModeTable = 15;

using ButtonCaptions = std::array<std::string, field::kSentButtons>;

// True when the caption names the macro: the text after its last ":" is the
// name, or the caption ends with ":" and the name (a name holding ":").
bool CaptionNamesMacro(std::string_view caption, std::string_view name);

// The index in names of the macro the caption names (the longest name when
// several fit), or -1.
int MacroNamedByCaption(std::string_view caption, const std::vector<std::string>& names);

// Every macro button whose caption names a macro of the list gets that
// macro's index in table 14. Buttons whose caption names no macro of the
// list keep their byte. True when a byte changed.
bool PointMacroButtonsAtSlots(MouseSettings& settings, const ButtonCaptions& captions,
                              const std::vector<std::string>& names);

// The captions after a rename: a macro button's caption that names oldName
// names newName instead (the part before the name is kept). The indexes of
// the captions that changed are returned.
std::vector<std::size_t> RenameMacroInCaptions(const MouseSettings& settings, ButtonCaptions& captions,
                                               std::string_view oldName, std::string_view newName);

} // namespace qv530
