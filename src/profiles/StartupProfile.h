#pragma once
// The profile as the program loads it at start-up: the current profile's
// configuration file, the language of str.ini and its texts, the captions
// of the side file and the "IsDefault" rule.
#include <string>

#include "lang/UiStrings.h"
#include "profiles/ConfigFiles.h"

namespace qv530 {

// Returns the language code read from str.ini ("Skins", "Lan"). The record
// is never left without settings: when the profile's file could not be read
// it holds the factory defaults, and notice (when given) says what was
// loaded instead of the profile and why; it is empty when all went well.
// damaged (when given) tells a configuration file that is no profile file:
// the record then holds the factory settings, and nothing may send it as
// the profile.
std::string LoadProfileAtStartUp(ConfigFiles& files, MouseSettings& settings, DeviceState& state, MouseSettings& sent,
                                 UiStrings& texts, std::string* notice = nullptr, bool* damaged = nullptr);

} // namespace qv530
