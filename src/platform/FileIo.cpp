#include "platform/FileIo.h"

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
    return "cannot write " + path + ": " + std::strerror(error);
}

int WriteFileAtomic(const std::string& path, const void* data, std::size_t size) {
    const std::string temporary = path + kTemporarySuffix + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, bytes + written, size - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            ::unlink(temporary.c_str());
            return error;
        }
        written += static_cast<std::size_t>(n);
    }
    const int syncError = ::fsync(fd) != 0 ? errno : 0;
    const int closeError = ::close(fd) != 0 ? errno : 0;
    if (syncError != 0 || closeError != 0) {
        ::unlink(temporary.c_str());
        return syncError != 0 ? syncError : closeError;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    return 0;
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
