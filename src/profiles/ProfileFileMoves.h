#pragma once
// Saving an edited profile list as one change of the data folder: every
// entry's configuration and side files are brought to its position, the
// files of a new entry are created, the list and the positions' identities
// are written, and the files of positions no longer listed are removed. The
// whole change goes through the store's journal, so a crash at any point
// leaves either the folder as it was or the folder as it is meant to be.
#include <functional>
#include <string>
#include <vector>

#include "profiles/ProfileBook.h"

namespace qv530 {

class StoreSession;

struct ProfileListSave {
    bool saved = false;            // the list was written
    std::string error;             // what failed, when not saved
    std::vector<std::string> ids;  // the saved entries' identities, in list order
    std::vector<std::string> notes; // files kept aside, in English
};

// The files a new profile starts with.
struct NewProfileFiles {
    std::string config;
    std::string side;
};
using NewProfileMaker = std::function<NewProfileFiles(int position)>;

// Writes book into the session's folder + "str.ini" with "CurProfileName" =
// the entry at current (entry 0 when current is -1). An entry without files
// gets makeNew's files when given (else its position is left empty). A file
// at a position beyond the read list (left there by an earlier crash or
// another tool) is kept aside, never overwritten. Refused without the lock,
// without str.ini, and when the list in the file is no longer the one the
// book was read from (another program changed it meanwhile).
ProfileListSave SaveProfileBook(const StoreSession& session, const ProfileBook& book, int current,
                                const NewProfileMaker& makeNew = {});

// The file names of position index in folder.
std::string ProfileConfigPath(const std::string& folder, int index);
std::string ProfileSidePath(const std::string& folder, int index);
std::string ProfileConfigName(int index);
std::string ProfileSideName(int index);

} // namespace qv530
