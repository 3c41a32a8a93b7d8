#pragma once
// The factory files of a new data folder: config.bin (the default record),
// str.ini (language, profile list, button captions in every language) and
// record.ini (an empty macro store). Existing files are never overwritten.
#include <string>
#include <vector>

namespace qv530 {

struct ProvisionReport {
    std::vector<std::string> created;  // paths written
    std::vector<std::string> errors;   // one clear message per folder or file that failed
};

// Creates folder (with its parents) and every factory file missing in it.
// languageCode is the "Lan" value of a new str.ini ("CHS", "CHT", "EN", "DE").
ProvisionReport ProvisionDataFolder(const std::string& folder, const std::string& languageCode);

// The contents of the factory files.
std::string FactoryConfigImage();
std::string FactorySideFile(const std::string& languageCode);
std::string FactoryMacroStore();

} // namespace qv530
