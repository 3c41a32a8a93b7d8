#pragma once
// The one way into the data folder. Every read-modify-write of the profile
// files, from the window, its dialogs or qv530ctl, opens a StoreSession: it
// takes the folder lock (waiting while another copy of the program saves)
// and finishes a change that a crash cut short before anything is read.
// Without the lock nothing may be written: ok() is false and refusal()
// says why.
//
// Beside the Windows tool's files the store keeps one file of its own,
// "QV530.ids": a lasting identity for each list position, so that a program
// that holds a profile finds it again after another program moved it.
#include <chrono>
#include <string>
#include <vector>

#include "platform/FolderLock.h"

namespace qv530 {

inline constexpr const char* kProfileIdsName = "QV530.ids";

class StoreSession {
public:
    explicit StoreSession(std::string folder, std::chrono::milliseconds wait = FolderLock::kDefaultWait);

    bool ok() const { return refusal_.empty(); }
    // Why the session cannot write ("another copy of the program is saving
    // in ...", a lock file that cannot be used, a journal that cannot be
    // finished); empty when ok().
    const std::string& refusal() const { return refusal_; }
    // What finishing an earlier change did, in English; usually empty.
    const std::vector<std::string>& notes() const { return notes_; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    FolderLock lock_;
    std::string refusal_;
    std::vector<std::string> notes_;
};

// The identities of the list's positions, reconciled with its names: a
// position whose name is the one stored keeps its identity, a name found at
// another position brings its identity along, any other gets a new one.
// New identities are written at once (the session holds the lock), so every
// program reads the same ones.
std::vector<std::string> ProfileIds(const StoreSession& session, const std::vector<std::string>& names);
std::vector<std::string> ReconcileProfileIds(const std::string& idsFileText, const std::vector<std::string>& names);
// The text of the ids file for these identities and names.
std::string FormatProfileIds(const std::vector<std::string>& ids, const std::vector<std::string>& names);
std::string NewProfileId();
// The position of identity id in the list's current names; -1 when no
// position has it (its profile was deleted).
int PositionOfProfileId(const StoreSession& session, const std::vector<std::string>& names, const std::string& id);
// The same for the list in the session's folder.
int PositionOfProfileId(const StoreSession& session, const std::string& id);
// The identity of position in the list of the session's folder; empty when
// the list has no such position or the session has no lock.
std::string ProfileIdAt(const StoreSession& session, int position);

} // namespace qv530
