#pragma once
// The data folder's journal: a change of several files (a profile list
// saved with its files moved, a profile created beside its list entry) is
// written whole to "QV530.journal" before the first file changes, then
// carried out, then the journal is removed. Whoever takes the folder lock
// next carries out a journal a crash left behind, so a change is either not
// seen at all (the journal never reached the disk) or seen whole.
#include <optional>
#include <string>
#include <vector>

namespace qv530 {

inline constexpr const char* kJournalName = "QV530.journal";

// One file of a change: its name in the data folder (no folders) and its new
// contents; no contents: the file is removed.
struct FileChange {
    std::string name;
    std::optional<std::string> contents;
};

// The journal's bytes, and back. A journal that does not read back whole
// (cut short, altered, a name with a folder in it) gives nothing.
std::string EncodeJournal(const std::vector<FileChange>& changes);
std::optional<std::vector<FileChange>> DecodeJournal(const std::string& bytes);

struct JournalResult {
    bool done = false;
    std::string error; // what failed, naming the file
};

// Writes the journal (synced), carries every change out and removes it.
// When a change fails the journal stays, so the next start finishes it.
JournalResult CommitChanges(const std::string& folder, const std::vector<FileChange>& changes);

// Carries out a journal left in folder by a change that was cut short. A
// journal that cannot be read whole is kept aside and nothing is changed.
// notes: what was done, in English, for the user.
JournalResult RollForward(const std::string& folder, std::vector<std::string>& notes);

// The name a file is kept aside under: "NAME.damaged-YYYYMMDD-HHMMSS"
// (with "-2", "-3" ... when that is taken).
std::string KeptAsideName(const std::string& path, const char* why = "damaged");
// Renames path aside (see KeptAsideName); returns the new path, or "" and
// error set.
std::string KeepAside(const std::string& path, std::string& error, const char* why = "damaged");

} // namespace qv530
