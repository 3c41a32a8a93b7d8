#pragma once
// The profile as the program loads it at start-up: the current profile's
// configuration file, the language of str.ini and its texts, the captions
// of the side file and the "IsDefault" rule.
#include <string>

#include "lang/UiStrings.h"
#include "profiles/ConfigFiles.h"

namespace qv530 {

// Returns the language code read from str.ini ("Skins", "Lan").
std::string LoadProfileAtStartUp(ConfigFiles& files, MouseSettings& settings, DeviceState& state, MouseSettings& sent,
                                 UiStrings& texts);

} // namespace qv530
