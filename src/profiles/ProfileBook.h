#pragma once
// The profile list as the profile dialog and `qv530ctl profile` edit it: a
// working copy of the names in str.ini with the naming rules (New, Copy,
// Rename), the limits (1..6 entries) and, for every entry, the position whose
// files it holds, so that saving the list can move each profile's files with
// it. Files belong to positions; an entry keeps its own files when entries
// before it are deleted.
#include <optional>
#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace qv530 {

struct ProfileEntry {
    std::string name;
    // The position this entry had when the list was read; -1 for entries
    // added since (New, Copy).
    int origin = -1;
    // The position whose configuration and side files this entry holds;
    // -1 when it has none yet (New).
    int filesFrom = -1;
    // Added by New: closing on it creates the profile from the factory files.
    bool isNew = false;
    // Tells entries apart while the book is edited (unique within a book).
    int key = -1;
};

class ProfileBook {
public:
    enum class Outcome { Done, Limit, Ignored };

    // The list of str.ini, section "Profile". A valid "ItemCount" (1..6)
    // names the entries; any other count shows the "Item%d" keys present from
    // Item0 on (at most six), so a damaged list still shows its profiles.
    // Missing names are generated and repeated names made unique. The
    // selection is the entry equal to "CurProfileName" (the last one, as the
    // start-up load picks), else the first beginning with it (ignoring case).
    static ProfileBook Read(const IniDocument& list, const std::string& baseName);
    static ProfileBook Read(const std::string& listPath, const std::string& baseName);

    const std::vector<ProfileEntry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    int selected() const { return selected_; }
    void Select(int index);
    // How many positions the list held when it was read.
    int readCount() const { return readCount_; }
    // Whether the read list was damaged (count not 1..6, names missing or repeated).
    bool repaired() const { return repaired_; }
    // The names as the file held them when read (before any repair): a save
    // compares them with the file again, so that a list another program
    // changed meanwhile is not overwritten.
    const std::vector<std::string>& readNames() const { return readNames_; }
    // The index of the entry whose name equals name ignoring case, or -1.
    int FindIgnoringCase(const std::string& name) const;
    // The index of the entry equal to name, or -1.
    int Find(const std::string& name) const;

    // New: Limit with six entries; else adds the rule's name and selects it.
    Outcome New(const std::string& baseName);
    // Removes entry index (with two or more entries) and selects the entry
    // now at its position, or the last; another selection stays on its entry.
    Outcome Delete(int index);
    // A new last entry named copyWord + " " + name (made unique) holding a
    // copy of index's files. Limit with six entries.
    Outcome Copy(int index, const std::string& copyWord);
    // Ignored when the name is empty, holds a line break, or is another
    // entry's name: the old name stays.
    Outcome Rename(int index, const std::string& name);

    // The entry closing the dialog switches to: the selection, else entry 0;
    // -1 for an empty list.
    int CloseSelection() const;
    // Where the entry read at position origin is now; -1 when it was deleted.
    int PositionOfOrigin(int origin) const;
    // Where the entry with this key is now; -1 when it was deleted.
    int PositionOfKey(int key) const;

private:
    bool Contains(const std::string& name, int except = -1) const;
    std::string Unique(const std::string& name, int except = -1) const;

    std::vector<ProfileEntry> entries_;
    int selected_ = -1;
    int readCount_ = 0;
    bool repaired_ = false;
    std::vector<std::string> readNames_;
    int nextKey_ = 0;
};

// The name New gives after the entries of names: base name + " 1" for an
// empty list; else, when the last name has a space, base name + " " + (the
// number leading the text after its first space + 1), otherwise the last name
// + " " + the count; the number counts up until the name is not taken.
std::string NextProfileName(const std::vector<std::string>& names, const std::string& baseName);

// Whether a text is allowed as a profile name (non-empty, no line breaks,
// at most 1023 bytes so it reads back whole).
bool IsValidProfileName(const std::string& name);

} // namespace qv530
