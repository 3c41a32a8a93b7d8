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

    // Waits up to wait while another process holds the lock. When the lock
    // file cannot be opened (a missing or unreadable folder, a link, a
    // folder at its name) the lock is not held: held() is false and
    // BusyMessage() says why, and a writer must refuse.
    explicit FolderLock(std::string folder, std::chrono::milliseconds wait = kDefaultWait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when another process held the lock for the whole wait.
    bool busy() const { return busy_; }
    // True when this process holds the lock now.
    bool held() const { return counted_; }
    // "another copy of the program is saving in FOLDER", or why the lock
    // file cannot be used.
    std::string BusyMessage() const;

private:
    std::string folder_;
    bool counted_ = false;
    bool busy_ = false;
    int openError_ = 0;
    static constexpr int kNotALockFile = -1;
};

} // namespace qv530
