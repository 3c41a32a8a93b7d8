#include "profiles/StoreJournal.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "platform/FileIo.h"

namespace qv530 {
namespace {

// Layout:
//   "QV530 journal 1\n"
//   per change "W NAMELEN SIZE\n" NAME CONTENTS  or  "R NAMELEN\n" NAME
//   "END HASH\n"   (FNV-1a 64 of everything before, in hex)
constexpr std::string_view kHeader = "QV530 journal 1\n";
constexpr std::string_view kEnd = "END ";
constexpr std::size_t kMaxJournalBytes = 64u << 20;

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// Reads "N\n" or "N " at at; advances past the separator.
bool ReadNumber(std::string_view bytes, std::size_t& at, char separator, std::size_t& value) {
    value = 0;
    std::size_t digits = 0;
    while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && digits < 10) {
        value = value * 10 + static_cast<std::size_t>(bytes[at++] - '0');
        ++digits;
    }
    if (digits == 0 || at >= bytes.size() || bytes[at] != separator) return false;
    ++at;
    return true;
}

std::string FolderSlash(const std::string& folder) {
    if (folder.empty()) return "./";
    return folder.back() == '/' ? folder : folder + "/";
}

JournalResult Apply(const std::string& folder, const std::vector<FileChange>& changes) {
    JournalResult result;
    const std::string base = FolderSlash(folder);
    for (const FileChange& change : changes) {
        const std::string path = base + change.name;
        const int error = change.contents ? WriteFileAtomic(path, *change.contents) : RemoveFile(path);
        if (error != 0) {
            result.error = change.contents ? DescribeWriteError(path, error)
                                           : "cannot remove " + path + ": " + DescribeReadError(path, error);
            return result;
        }
    }
    if (const int error = SyncFolder(folder.empty() ? "." : folder); error != 0) {
        result.error = DescribeWriteError(folder, error);
        return result;
    }
    result.done = true;
    return result;
}

} // namespace

std::string EncodeJournal(const std::vector<FileChange>& changes) {
    std::string out(kHeader);
    for (const FileChange& change : changes) {
        if (change.contents) {
            out += "W " + std::to_string(change.name.size()) + " " + std::to_string(change.contents->size()) + "\n";
            out += change.name;
            out += *change.contents;
        } else {
            out += "R " + std::to_string(change.name.size()) + "\n";
            out += change.name;
        }
    }
    out += std::string(kEnd) + Hex(Fnv1a(out)) + "\n";
    return out;
}

std::optional<std::vector<FileChange>> DecodeJournal(const std::string& bytes) {
    const std::string_view all = bytes;
    if (all.substr(0, kHeader.size()) != kHeader) return std::nullopt;
    std::vector<FileChange> changes;
    std::size_t at = kHeader.size();
    while (at < all.size() && all.substr(at, kEnd.size()) != kEnd) {
        const char kind = all[at];
        if ((kind != 'W' && kind != 'R') || at + 2 > all.size() || all[at + 1] != ' ') return std::nullopt;
        at += 2;
        std::size_t nameLength = 0, size = 0;
        if (kind == 'W') {
            if (!ReadNumber(all, at, ' ', nameLength) || !ReadNumber(all, at, '\n', size)) return std::nullopt;
        } else if (!ReadNumber(all, at, '\n', nameLength)) {
            return std::nullopt;
        }
        if (nameLength > all.size() - at || size > all.size() - at - nameLength) return std::nullopt;
        FileChange change{std::string(all.substr(at, nameLength)), std::nullopt};
        at += nameLength;
        if (kind == 'W') {
            change.contents = std::string(all.substr(at, size));
            at += size;
        }
        if (!IsPlainName(change.name)) return std::nullopt;
        changes.push_back(std::move(change));
    }
    const std::string expected = std::string(kEnd) + Hex(Fnv1a(all.substr(0, at))) + "\n";
    if (all.substr(at) != expected) return std::nullopt;
    return changes;
}

JournalResult CommitChanges(const std::string& folder, const std::vector<FileChange>& changes) {
    JournalResult result;
    for (const FileChange& change : changes)
        if (!IsPlainName(change.name)) {
            result.error = "'" + change.name + "' is not a file name of the data folder";
            return result;
        }
    const std::string journal = FolderSlash(folder) + kJournalName;
    if (const int error = WriteFileAtomic(journal, EncodeJournal(changes)); error != 0) {
        result.error = DescribeWriteError(journal, error) + "; nothing was changed";
        return result;
    }
    result = Apply(folder, changes);
    if (!result.done) return result; // the journal stays: the next start finishes the change
    // A journal that cannot be removed is carried out again next time: the
    // same files with the same contents.
    RemoveFile(journal);
    SyncFolder(folder.empty() ? "." : folder);
    return result;
}

JournalResult RollForward(const std::string& folder, std::vector<std::string>& notes) {
    const std::string journal = FolderSlash(folder) + kJournalName;
    JournalResult result;
    if (!PathExists(journal)) {
        result.done = true; // no journal: nothing was cut short
        return result;
    }
    const auto bytes = ReadWholeFile(journal, kMaxJournalBytes);
    const auto changes = bytes ? DecodeJournal(*bytes) : std::nullopt;
    if (!changes) {
        std::string error;
        const std::string kept = KeepAside(journal, error);
        notes.push_back(kept.empty() ? "the unfinished change " + journal + " cannot be read and cannot be moved aside: " + error
                                     : "the unfinished change " + journal + " cannot be read; it was kept as " + kept +
                                           " and nothing was changed");
        result.done = !kept.empty();
        result.error = kept.empty() ? error : "";
        return result;
    }
    result = Apply(folder, *changes);
    if (!result.done) return result;
    notes.push_back("a change of the profiles that was cut short (" + std::to_string(changes->size()) +
                    " files) was finished");
    RemoveFile(journal);
    SyncFolder(folder.empty() ? "." : folder);
    return result;
}

std::string KeptAsideName(const std::string& path, const char* why) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = path + "." + why + "-" + stamp;
    std::string name = stem;
    for (int n = 2; PathExists(name); ++n) name = stem + "-" + std::to_string(n);
    return name;
}

std::string KeepAside(const std::string& path, std::string& error, const char* why) {
    const std::string target = KeptAsideName(path, why);
    if (const int code = RenameFile(path, target); code != 0) {
        error = "cannot rename " + path + ": " + DescribeReadError(path, code);
        return {};
    }
    return target;
}

} // namespace qv530
