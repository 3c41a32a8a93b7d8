#include "profiles/ProfileFileMoves.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "profiles/ConfigFiles.h"

namespace qv530 {
namespace {

constexpr const char* kProfile = "Profile";

// The two files of one position as they are read before anything moves.
struct PositionFiles {
    std::optional<std::string> config;
    std::optional<std::string> side;
};

PositionFiles ReadPosition(const std::string& folder, int index) {
    if (index < 0) return {};
    return {ReadWholeFile(ProfileConfigPath(folder, index)), ReadWholeFile(ProfileSidePath(folder, index))};
}

// Replaces path by contents, or removes it when there are none.
int Place(const std::string& path, const std::optional<std::string>& contents) {
    if (contents) return WriteFileAtomic(path, *contents);
    if (std::remove(path.c_str()) != 0 && errno != ENOENT) return errno;
    return 0;
}

std::string Explain(const std::string& path, int error) { return "cannot write " + path + ": " + std::strerror(error); }

// A copy of a position's files beside them, kept while a ring of moves
// (two entries taking each other's places) is under way.
std::string KeepPath(const std::string& path) { return path + ".moving"; }

} // namespace

std::string ProfileConfigPath(const std::string& folder, int index) {
    return folder + "config" + std::to_string(index) + ".bin";
}

std::string ProfileSidePath(const std::string& folder, int index) {
    return folder + "str" + std::to_string(index) + ".ini";
}

ProfileListSave SaveProfileBook(const std::string& folder, const ProfileBook& book, int current,
                                const std::function<bool()>& proceed) {
    const FolderLock lock(folder); // one writer of the data folder at a time
    ProfileListSave result;
    const auto interrupted = [&] {
        if (!proceed || proceed()) return false;
        result.error = "interrupted";
        return true;
    };
    const std::string listPath = folder + "str.ini";
    if (book.count() == 0 || !FileExists(listPath)) return result;
    IniDocument list;
    if (const int error = LoadIniForEdit(listPath, list); error != 0) {
        result.error = "cannot read " + listPath + ": " + std::strerror(error);
        return result;
    }

    // 1. What every position must hold, read before anything is written.
    struct Move {
        int target;
        int source; // -1: the position is emptied (an entry without files yet)
        PositionFiles files;
        bool done = false;
    };
    std::vector<Move> moves;
    for (int p = 0; p < book.count(); ++p) {
        const int source = book.entries()[static_cast<std::size_t>(p)].filesFrom;
        if (source == p) continue;
        moves.push_back({p, source, ReadPosition(folder, source)});
    }

    // 2. The new files, in an order that overwrites a position only once no
    // pending move still reads it; a ring is broken by keeping one
    // position's files beside them first.
    std::vector<std::string> kept;
    const auto stillRead = [&](int position) {
        for (const Move& move : moves)
            if (!move.done && move.source == position && move.target != position) return true;
        return false;
    };
    for (std::size_t left = moves.size(); left > 0; --left) {
        Move* next = nullptr;
        for (Move& move : moves)
            if (!move.done && !stillRead(move.target)) {
                next = &move;
                break;
            }
        if (next == nullptr) {
            for (Move& move : moves)
                if (!move.done) {
                    next = &move;
                    break;
                }
            const PositionFiles old = ReadPosition(folder, next->target);
            for (const auto& [path, contents] : {std::pair{ProfileConfigPath(folder, next->target), old.config},
                                                 std::pair{ProfileSidePath(folder, next->target), old.side}}) {
                if (!contents) continue;
                if (interrupted()) return result;
                if (const int error = WriteFileAtomic(KeepPath(path), *contents); error != 0) {
                    result.error = Explain(KeepPath(path), error);
                    return result;
                }
                kept.push_back(KeepPath(path));
            }
        }
        // The side file first: a configuration file without its side file
        // would be reset to the defaults when it is switched to.
        const std::string side = ProfileSidePath(folder, next->target);
        const std::string config = ProfileConfigPath(folder, next->target);
        if (interrupted()) return result;
        if (const int error = Place(side, next->files.side); error != 0) {
            result.error = Explain(side, error);
            return result;
        }
        if (interrupted()) return result;
        if (const int error = Place(config, next->files.config); error != 0) {
            result.error = Explain(config, error);
            return result;
        }
        next->done = true;
    }

    // 3. The list.
    const int selected = current >= 0 && current < book.count() ? current : 0;
    list.DeleteSection(kProfile);
    list.Set(kProfile, "CurProfileName", book.entries()[static_cast<std::size_t>(selected)].name);
    list.Set(kProfile, "ItemCount", std::to_string(book.count()));
    for (int i = 0; i < book.count(); ++i)
        list.Set(kProfile, "Item" + std::to_string(i), book.entries()[static_cast<std::size_t>(i)].name);
    if (interrupted()) return result;
    if (const int error = SaveIni(listPath, list); error != 0) {
        result.error = Explain(listPath, error);
        return result;
    }
    result.saved = true;

    // 4. What is no longer listed: the positions the list gave up, and the
    // copies kept for a ring.
    for (int p = book.count(); p < book.readCount() && p < kMaxProfiles; ++p) {
        for (const std::string& path : {ProfileConfigPath(folder, p), ProfileSidePath(folder, p)})
            if (!interrupted() && Place(path, std::nullopt) != 0) DebugPrintf("Cannot remove %s\n", path.c_str());
    }
    for (const std::string& path : kept)
        if (!interrupted()) std::remove(path.c_str());
    return result;
}

} // namespace qv530
