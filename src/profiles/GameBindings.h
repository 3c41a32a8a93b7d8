#pragma once
// Game profiles: program names bound to a profile, so that the profile is
// sent while the program runs. They live in a file of our own in the data
// folder, "QV530.games" (the Windows tool's files are never touched for
// them), one binding a line: the profile's lasting identity (QV530.ids), a
// tab, the program name. Keyed by identity, a binding follows its profile
// through moves and renames, and is dropped once its profile is deleted:
// ignored when read, gone with the next write.
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

class StoreSession;

inline constexpr const char* kGameBindingsName = "QV530.games";
// Longer names are no program's; Linux file names stop at 255 bytes.
inline constexpr std::size_t kProgramNameMax = 128;

struct GameBinding {
    std::string program;   // as the user gave it: "shooter.exe", "supertuxkart"
    std::string profileId; // the identity of the profile it brings
};

// What keeps program from being bound, the first one found in this order.
enum class ProgramNameFault {
    None,
    Empty,
    TooLong,          // more than kProgramNameMax bytes
    Path,             // a '/' or '\'
    ControlCharacter,
    BlankAtEnd,       // a blank at either end
};
ProgramNameFault FindProgramNameFault(std::string_view program);
// Empty when program can be bound, else why not, in English.
std::string ProgramNameRefusal(std::string_view program);
// Program names are compared ignoring the case of ASCII letters.
bool SameProgram(std::string_view a, std::string_view b);
// The order program names are listed in: ignoring case, names equal but for
// case in a fixed order.
bool ProgramNameLess(std::string_view a, std::string_view b);

struct GameBindingList {
    std::vector<GameBinding> bindings; // in the file's order
    std::string error;                 // the file is there but cannot be read: nothing may be written
    bool damaged = false;              // it holds lines that are no binding
};
std::string FormatGameBindings(const std::vector<GameBinding>& bindings);
// Lines that are no binding are skipped (and damaged set).
GameBindingList ParseGameBindings(std::string_view text);
// The bindings of folder whose identity is one of liveIds.
GameBindingList ReadGameBindings(const std::string& folder, const std::vector<std::string>& liveIds);
// The identities of the listed profiles as the ids file gives them, for a
// reader without the folder lock (nothing is written).
std::vector<std::string> ListedProfileIds(const std::string& folder);

struct GameBindingChange {
    bool done = false;
    std::string error;              // why nothing changed, in English
    bool badInput = false;          // ... and it is the name or position given
    std::string previousProfileId;  // Bind: the profile program was bound to before, if another
    std::vector<std::string> notes; // a damaged file kept aside, in English
};
// Binds program to the listed profile at position (a program bound to
// another profile moves); written at once. Refused without the lock.
GameBindingChange BindGame(const StoreSession& session, int position, const std::string& program);
// Removes program's binding; refused when it has none.
GameBindingChange UnbindGame(const StoreSession& session, const std::string& program);
// The bindings of the session's folder with the positions of their profiles
// in the list, in list order and then the file's order.
struct PlacedBinding {
    int position = -1;
    GameBinding binding;
};
std::vector<PlacedBinding> PlacedGameBindings(const StoreSession& session, std::string* error = nullptr);

} // namespace qv530
