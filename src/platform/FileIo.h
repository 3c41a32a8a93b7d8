#pragma once
// Whole-file reads and atomic writes.
//
// Every read opens the name without following it into a device: the file is
// opened non-blocking and examined on the open descriptor, and anything but
// a regular file (a FIFO, /dev/zero, a folder) is refused, as is a file
// larger than the limit the caller gives.
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv530 {

using Bytes = std::vector<std::uint8_t>;

// Limit of the text files read whole (INI files, the macro store).
inline constexpr std::size_t kMaxTextFileBytes = 8u << 20;

// errno values of a refused read besides those of the system calls.
inline constexpr int kNotARegularFile = EINVAL;
inline constexpr int kFileTooLarge = EOVERFLOW;

bool FileExists(const std::string& path);
// Size in bytes, or -1 when the file cannot be examined.
long long FileSize(const std::string& path);

// The whole file when it is a regular file of at most maxBytes; otherwise
// nothing, with errno telling why (ENOENT, EACCES, kNotARegularFile,
// kFileTooLarge, ...).
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes);
// At most maxBytes from the start of a regular file; nothing (and errno)
// for a file that cannot be opened or is not a regular file.
std::optional<Bytes> ReadFilePrefix(const std::string& path, std::size_t maxBytes);
// "PATH is not a regular file", "PATH is larger than N bytes", "PATH: reason".
std::string DescribeReadError(const std::string& path, int error, std::size_t maxBytes = kMaxTextFileBytes);
// "cannot write PATH: reason".
std::string DescribeWriteError(const std::string& path, int error);

// Writes a temporary file in the same folder, flushes it and renames it over
// path, so a failed save leaves the previous file as it was. Returns 0 or the
// errno of the step that failed.
int WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline int WriteFileAtomic(const std::string& path, const std::string& text) {
    return WriteFileAtomic(path, text.data(), text.size());
}
// The suffix of WriteFileAtomic's temporary files, followed by the writer's process ID.
inline constexpr const char* kTemporarySuffix = ".tmp-";
// Removes the temporary files in folder that processes which no longer run
// left behind (a save killed half-way); returns the paths removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& folder);

// Creates a folder and its parents; returns 0 or errno.
int MakeFolders(const std::string& path);

} // namespace qv530
