#pragma once
// One running copy per user: the first copy holds an flock on
// QV530_Mutex.lock in the user's runtime folder for as long as it runs. The
// kernel releases it when the process ends, however it ends.
#include <string>

namespace qv530 {

// The user's private runtime folder: $XDG_RUNTIME_DIR when it is set to an
// absolute path, else /tmp/qv530-10800rad-<uid>, created with mode 0700 when
// missing. Empty when that fallback exists but is not a private folder of
// this user (not a directory, a symbolic link, another owner, or open to
// others), since anyone could then take the lock or the socket first.
std::string RuntimeFolder();

// path itself when it is, or has just been made, a private folder of this
// user (mkdir 0700 when missing); empty otherwise.
std::string PrivateFolder(const std::string& path);

inline constexpr const char* kInstanceLockName = "QV530_Mutex.lock";

class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock in folder without waiting. True when this object now
    // holds it. False either when another copy holds it (AnotherCopyRuns())
    // or when the lock file cannot be opened or locked (error() says why);
    // in the second case the caller may still run as the only copy.
    // Acquiring again while held returns true and changes nothing.
    bool Acquire(const std::string& folder);

    bool held() const { return fd_ >= 0; }
    bool AnotherCopyRuns() const { return anotherCopy_; }
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    bool anotherCopy_ = false;
    std::string error_;
};

} // namespace qv530
