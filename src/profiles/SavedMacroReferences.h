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

class ConfigFiles;

// The other profiles of the list follow the store as well, each by its own
// captions (in the language's caption section): a renamed macro's captions
// are renamed in their side files, and every macro button of their saved
// configuration files points at its macro's slot. The current profile
// (files.configPath()) is left to the caller, who holds it in memory.
void FollowMacroStoreInOtherProfiles(const ConfigFiles& files, const std::vector<std::string>& names,
                                     const std::string& renamedFrom, const std::string& renamedTo);

} // namespace qv530
