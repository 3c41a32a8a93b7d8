#include "platform/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv530 {

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return runtime;

    return PrivateFolder("/tmp/qv530-10800rad-" + std::to_string(::getuid()));
}

std::string PrivateFolder(const std::string& path) {
    if (path.empty() || (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)) return {};
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return {};
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 0077) != 0) return {};
    return path;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool SingleInstanceLock::Acquire(const std::string& folder) {
    if (fd_ >= 0) return true;
    anotherCopy_ = false;
    error_.clear();
    if (folder.empty()) {
        error_ = "no private runtime folder for the lock";
        return false;
    }
    const std::string path = folder + "/" + kInstanceLockName;
    // O_NOFOLLOW: a symbolic link planted in place of the lock file is not followed.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = path + ": " + std::strerror(errno);
        return false;
    }
    int locked;
    while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        const int failure = errno;
        ::close(fd);
        if (failure == EWOULDBLOCK) anotherCopy_ = true;
        else error_ = path + ": " + std::strerror(failure);
        return false;
    }
    // The file stays in place: removing a lock file lets two copies lock
    // two different files.
    fd_ = fd;
    return true;
}

} // namespace qv530
