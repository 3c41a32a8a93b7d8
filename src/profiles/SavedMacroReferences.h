#pragma once
// The saved configuration file of the current profile follows the macro
// store too: the store changes for good when the manager deletes a macro,
// and the profile is reloaded (its macros rebuilt from the store) before the
// next Apply may save it.
#include <string>
#include <vector>

#include "macros/MacroReferences.h"

namespace qv530 {

// Points the macro buttons of the configuration file at path at their
// macros' slots (only the slot bytes change). False when the file is missing,
// short, unchanged or could not be written.
bool PointSavedMacroButtons(const std::string& configPath, const ButtonCaptions& captions,
                            const std::vector<std::string>& names);

} // namespace qv530
