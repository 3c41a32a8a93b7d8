#pragma once
// One advisory lock per data folder ("QV530.lock" in it, flock) held for a
// whole load-modify-save, so that two copies of the program (two qv530ctl
// runs, or the window and qv530ctl) never mix their files. The kernel drops
// the lock when its process dies.
//
// Within one process the lock is re-entrant: a use case that locks inside a
// command that already locked goes on. It does not order the threads of one
// process; the window keeps its own writers apart.
#include <chrono>
#include <string>

namespace qv530 {

inline constexpr const char* kFolderLockName = "QV530.lock";

class FolderLock {
public:
    static constexpr std::chrono::milliseconds kDefaultWait{15000};

    // Waits up to wait while another process holds the lock. A folder where
    // no lock file can be made (missing, read-only) is not locked, and the
    // writes that follow report their own errors.
    explicit FolderLock(std::string folder, std::chrono::milliseconds wait = kDefaultWait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when another process held the lock for the whole wait.
    bool busy() const { return busy_; }
    // "another copy of the program is saving in FOLDER".
    std::string BusyMessage() const;

private:
    std::string folder_;
    bool counted_ = false;
    bool busy_ = false;
};

} // namespace qv530
