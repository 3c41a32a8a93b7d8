#pragma once
// Saving an edited profile list: every entry's configuration and side files
// are brought to its position, then the list is written, then the files of
// positions no longer listed are removed. Each file is replaced atomically and
// no profile's files are overwritten before they have reached their new
// place, so an interruption at any step leaves every profile whole.
#include <functional>
#include <string>

#include "profiles/ProfileBook.h"

namespace qv530 {

struct ProfileListSave {
    bool saved = false;        // the list was written
    std::string error;         // what failed, when not saved
};

// Writes book into folder + "str.ini" with "CurProfileName" = the entry at
// current (entry 0 when current is -1), moving the files as described above.
// Nothing is written for an empty book or without str.ini.
// proceed, when given, is asked before every file is written or removed;
// false stops there as an interruption would (for tests).
ProfileListSave SaveProfileBook(const std::string& folder, const ProfileBook& book, int current,
                                const std::function<bool()>& proceed = {});

// The file names of position index in folder.
std::string ProfileConfigPath(const std::string& folder, int index);
std::string ProfileSidePath(const std::string& folder, int index);

} // namespace qv530
