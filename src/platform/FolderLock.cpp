#include "platform/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <cstdlib>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace qv530 {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

struct Held {
    int fd = -1;
    int count = 0;
};

// The locks this process holds, by folder.
std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<std::string, Held>& Registry() {
    static std::map<std::string, Held> held;
    return held;
}

std::string LockPath(const std::string& folder) {
    std::string path = folder.empty() ? std::string("./") : folder;
    if (path.back() != '/') path += '/';
    return path + kFolderLockName;
}

} // namespace

FolderLock::FolderLock(std::string folder, std::chrono::milliseconds wait) : folder_(std::move(folder)) {
    std::lock_guard guard(RegistryMutex());
    auto& registry = Registry();
    if (const auto found = registry.find(folder_); found != registry.end()) {
        ++found->second.count;
        counted_ = true;
        return;
    }
    const std::string path = LockPath(folder_);
    // Never through a link: a lock file planted as a link must not make us
    // create or lock a file elsewhere.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        openError_ = errno == ELOOP ? kNotALockFile : errno;
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        openError_ = kNotALockFile;
        ::close(fd);
        return;
    }
    // QV530_LOCK_WAIT_MS shortens (or lengthens) every wait, for tests and scripts.
    if (const char* override = std::getenv("QV530_LOCK_WAIT_MS"); override != nullptr && override[0] != '\0')
        wait = std::chrono::milliseconds(std::strtol(override, nullptr, 10));
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            busy_ = errno == EWOULDBLOCK;
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
    registry[folder_] = Held{fd, 1};
    counted_ = true;
}

FolderLock::~FolderLock() {
    if (!counted_) return;
    std::lock_guard guard(RegistryMutex());
    auto& registry = Registry();
    const auto found = registry.find(folder_);
    if (found == registry.end() || --found->second.count > 0) return;
    ::close(found->second.fd); // releases the flock
    registry.erase(found);
}

std::string FolderLock::BusyMessage() const {
    if (openError_ != 0) {
        const std::string path = LockPath(folder_);
        return "the data folder's lock " + path + " cannot be used (" +
               (openError_ == kNotALockFile ? std::string("it is not a regular file") : std::string(std::strerror(openError_))) +
               ")";
    }
    return "another copy of the program is saving in " + (folder_.empty() ? std::string(".") : folder_) +
           "; try again when it is done";
}

} // namespace qv530
