#pragma once
// Whole-file reads and atomic writes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv530 {

using Bytes = std::vector<std::uint8_t>;

bool FileExists(const std::string& path);
// Size in bytes, or -1 when the file cannot be examined.
long long FileSize(const std::string& path);
// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// At most maxBytes from the start of the file.
std::optional<Bytes> ReadFilePrefix(const std::string& path, std::size_t maxBytes);

// Writes a temporary file in the same folder, flushes it and renames it over
// path, so a failed save leaves the previous file as it was. Returns 0 or the
// errno of the step that failed.
int WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline int WriteFileAtomic(const std::string& path, const std::string& text) {
    return WriteFileAtomic(path, text.data(), text.size());
}

// Creates a folder and its parents; returns 0 or errno.
int MakeFolders(const std::string& path);

} // namespace qv530
