#include "platform/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
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
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
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
    return "another copy of the program is saving in " + (folder_.empty() ? std::string(".") : folder_) +
           "; try again when it is done";
}

} // namespace qv530
