#pragma once
// The programs bound to one saved profile, as the game dialog shows and edits
// them. The profile is its place in the saved list; the caller hands in the
// list's names as it read them, and a change is refused once another
// program has changed that list (the place could name another profile
// then). Every change is written at once, under the folder lock.
#include <string>
#include <vector>

#include "lang/GameDialogTexts.h"

namespace qv530 {

// Why program cannot be bound, in the texts' language; empty when it can.
// A reason the texts do not know comes as the store says it.
std::string ProgramNameRefusalText(const GameDialogTexts& texts, std::string_view program);

class ProfileGames {
public:
    enum class Outcome {
        Added,
        Moved,        // it was bound to another profile (previousPosition)
        AlreadyBound, // nothing to write
        Removed,
        NotBound,     // Remove: it does not bring this profile (any more)
        Refused,      // the name given (detail: why, in English)
        ListChanged,  // the saved list is no longer the one read
        Failed,       // the lock, the file (detail: why, in English)
    };
    struct Change {
        Outcome outcome = Outcome::Failed;
        std::string program;
        int previousPosition = -1;      // Moved: the saved place of its former profile
        std::string detail;
        std::vector<std::string> notes; // a finished earlier change, a damaged file kept aside
    };

    ProfileGames(std::string folder, int position, std::vector<std::string> listAsRead);

    // Reads the bindings again; the error when the file cannot be read.
    std::string Reload();
    // In the file's order.
    const std::vector<std::string>& programs() const { return programs_; }

    Change Add(const std::string& program);
    Change Remove(const std::string& program);

private:
    std::string folder_;
    int position_;
    std::vector<std::string> listAsRead_;
    std::vector<std::string> programs_;
};

} // namespace qv530
