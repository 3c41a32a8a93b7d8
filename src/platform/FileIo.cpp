#include "platform/FileIo.h"

#include "platform/FaultPoint.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <signal.h>
#include <algorithm>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qv530 {

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

long long FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return -1;
    return static_cast<long long>(info.st_size);
}

namespace {

// Opens a regular file for reading: non-blocking, so that a FIFO cannot
// hold the open, and checked on the descriptor itself, so that the name
// cannot be swapped between the check and the read. -1 with errno set.
int OpenRegularFile(const std::string& path, long long& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    const bool examined = ::fstat(fd, &info) == 0;
    if (!examined || !S_ISREG(info.st_mode)) {
        const int error = examined ? kNotARegularFile : errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    size = static_cast<long long>(info.st_size);
    return fd;
}

// Reads up to limit bytes into out; returns the bytes read or -1 with errno.
long long ReadUpTo(int fd, char* out, std::size_t limit) {
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, out + got, limit - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(got);
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    long long size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0) return std::nullopt;
    if (size > static_cast<long long>(maxBytes)) {
        ::close(fd);
        errno = kFileTooLarge;
        return std::nullopt;
    }
    // One byte more than the limit tells a file that grew (or a /proc file
    // whose size reads 0) from one that fits.
    std::string text(std::min<std::size_t>(static_cast<std::size_t>(size), maxBytes) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        const long long n = ReadUpTo(fd, text.data() + got, text.size() - got);
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return std::nullopt;
        }
        got += static_cast<std::size_t>(n);
        if (got < text.size()) break;
        if (text.size() > maxBytes) {
            ::close(fd);
            errno = kFileTooLarge;
            return std::nullopt;
        }
        text.resize(std::min(text.size() * 2, maxBytes + 1));
    }
    ::close(fd);
    text.resize(got);
    return text;
}

std::optional<Bytes> ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
    long long size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0) return std::nullopt;
    Bytes bytes(maxBytes);
    const long long got = ReadUpTo(fd, reinterpret_cast<char*>(bytes.data()), maxBytes);
    const int error = errno;
    ::close(fd);
    if (got < 0) {
        errno = error;
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

std::string DescribeReadError(const std::string& path, int error, std::size_t maxBytes) {
    if (error == kNotARegularFile) return path + " is not a regular file";
    if (error == kFileTooLarge) return path + " is larger than " + std::to_string(maxBytes) + " bytes";
    return path + ": " + std::strerror(error);
}

std::string DescribeWriteError(const std::string& path, int error) {
    if (error == kNotARegularFile) return "cannot write " + path + ": it is not a regular file";
    return "cannot write " + path + ": " + std::strerror(error);
}

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Creates the temporary file: never through a link or over a file planted
// at its name (one left by an earlier process with our ID is removed first).
int CreateTemporary(const std::string& temporary) {
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
    if (const int error = FaultPoint("create", temporary); error != 0) {
        errno = error;
        return -1;
    }
    int fd = ::open(temporary.c_str(), kFlags, 0644);
    if (fd < 0 && errno == EEXIST && ::unlink(temporary.c_str()) == 0) fd = ::open(temporary.c_str(), kFlags, 0644);
    return fd;
}

} // namespace

int CheckWritableTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
    return S_ISREG(info.st_mode) ? 0 : kNotARegularFile;
}

int SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) != 0 ? errno : 0;
    ::close(fd);
    // Some file systems cannot sync a folder; the rename is done all the same.
    return error == EINVAL ? 0 : error;
}

int WriteFileAtomic(const std::string& path, const void* data, std::size_t size) {
    // Only a regular file is replaced: a FIFO, a device node, a folder or a
    // link at the name stays as it is and the write is refused.
    if (const int error = CheckWritableTarget(path); error != 0) return error;
    const std::string temporary = path + kTemporarySuffix + std::to_string(::getpid());
    const int fd = CreateTemporary(temporary);
    if (fd < 0) return errno;
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return error;
    };
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        if (const int error = FaultPoint("write", temporary); error != 0) return fail(error);
        const ssize_t n = ::write(fd, bytes + written, size - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (const int error = FaultPoint("fsync", temporary); error != 0) return fail(error);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    if (const int error = FaultPoint("rename", path); error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    return SyncFolder(FolderOf(path));
}

int RemoveFile(const std::string& path) {
    if (const int error = FaultPoint("remove", path); error != 0) return error;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return errno;
    return 0;
}

int RenameFile(const std::string& from, const std::string& to) {
    if (const int error = FaultPoint("rename", to); error != 0) return error;
    if (::rename(from.c_str(), to.c_str()) != 0) return errno;
    return SyncFolder(FolderOf(to));
}

std::vector<std::string> RemoveStaleTemporaries(const std::string& folder) {
    std::vector<std::string> removed;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return removed;
    const std::string suffix = kTemporarySuffix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const auto at = name.rfind(suffix);
        if (at == std::string::npos || at == 0) continue;
        const std::string digits = name.substr(at + suffix.size());
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        // A process that still runs (or that we may not signal) keeps its file.
        if (pid <= 0 || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        std::string path = folder;
        if (!path.empty() && path.back() != '/') path += '/';
        path += name;
        if (::unlink(path.c_str()) == 0) removed.push_back(path);
    }
    ::closedir(dir);
    return removed;
}

int MakeFolders(const std::string& path) {
    if (path.empty()) return 0;
    std::string partial;
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = path.find('/', position + 1);
        partial = path.substr(0, position);
        if (partial.empty()) continue;
        if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return errno;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

} // namespace qv530
