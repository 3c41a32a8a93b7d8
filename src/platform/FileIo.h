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
// Whether anything (a file, a folder, a link, ...) has this name.
bool PathExists(const std::string& path);
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

// Writes a temporary file in the same folder (created exclusively, never
// through a link), syncs it, renames it over path and syncs the folder, so a
// failed save or a crash leaves the previous file as it was. Only a regular
// file or a new name is written: anything else at path (a link, a FIFO, a
// device node, a folder) is refused with kNotARegularFile. Returns 0 or the
// errno of the step that failed.
int WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline int WriteFileAtomic(const std::string& path, const std::string& text) {
    return WriteFileAtomic(path, text.data(), text.size());
}
// 0 when path is a regular file or does not exist, else kNotARegularFile or errno.
int CheckWritableTarget(const std::string& path);
// Removes a file (a missing one is no error); returns 0 or errno.
int RemoveFile(const std::string& path);
// Renames a file and syncs the folder; returns 0 or errno.
int RenameFile(const std::string& from, const std::string& to);
// Makes the folder's entries (renames, new and removed files) durable.
int SyncFolder(const std::string& folder);
// The suffix of WriteFileAtomic's temporary files, followed by the writer's process ID.
inline constexpr const char* kTemporarySuffix = ".tmp-";
// Removes the temporary files in folder that processes which no longer run
// left behind (a save killed half-way); returns the paths removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& folder);

// Creates a folder and its parents; returns 0 or errno.
int MakeFolders(const std::string& path);

} // namespace qv530
