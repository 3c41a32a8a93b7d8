#include "profiles/ProfileFileMoves.h"

#include <optional>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "profiles/ProfileStore.h"
#include "profiles/StoreJournal.h"

namespace qv530 {
namespace {

constexpr const char* kProfile = "Profile";

// A position's file as it is now: missing, or its bytes. A file that exists
// but cannot be read stops the save (its bytes could not be carried along).
struct Existing {
    bool present = false;
    std::string bytes;
    std::string error;
};

Existing ReadExisting(const std::string& path) {
    Existing file;
    if (!PathExists(path)) return file;
    file.present = true;
    if (auto bytes = ReadWholeFile(path)) file.bytes = std::move(*bytes);
    else file.error = "cannot read " + DescribeReadError(path, errno) + "; nothing was changed";
    return file;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

} // namespace

std::string ProfileConfigName(int index) { return "config" + std::to_string(index) + ".bin"; }
std::string ProfileSideName(int index) { return "str" + std::to_string(index) + ".ini"; }
std::string ProfileConfigPath(const std::string& folder, int index) { return folder + ProfileConfigName(index); }
std::string ProfileSidePath(const std::string& folder, int index) { return folder + ProfileSideName(index); }

ProfileListSave SaveProfileBook(const StoreSession& session, const ProfileBook& book, int current,
                                const NewProfileMaker& makeNew) {
    ProfileListSave result;
    if (!session.ok()) {
        result.error = session.refusal() + "; nothing was changed";
        return result;
    }
    const std::string& folder = session.folder();
    const std::string listPath = folder + "str.ini";
    if (book.count() == 0) return result;
    if (!FileExists(listPath)) {
        result.error = "there is no " + listPath;
        return result;
    }
    IniDocument list;
    if (const int error = LoadIniForEdit(listPath, list); error != 0) {
        result.error = "cannot read " + DescribeReadError(listPath, error) + "; nothing was changed";
        return result;
    }
    const ProfileBook onDisk = ProfileBook::Read(list, {});
    if (onDisk.readNames() != book.readNames()) {
        result.error = "another program changed the profiles meanwhile; nothing was changed";
        return result;
    }

    std::vector<FileChange> changes;
    const auto carry = [&](int from, const std::string& toName, const std::string& fromPath) -> bool {
        const Existing source = ReadExisting(fromPath);
        if (!source.error.empty()) {
            result.error = source.error;
            return false;
        }
        (void)from;
        changes.push_back({toName, source.present ? std::optional<std::string>(source.bytes) : std::nullopt});
        return true;
    };
    // A file beyond the list as it was read belongs to no profile the user
    // sees; it is kept aside before its name is used.
    const auto keepOrphan = [&](int position, const std::string& name) -> bool {
        if (position < book.readCount()) return true;
        const Existing orphan = ReadExisting(folder + name);
        if (!orphan.error.empty()) {
            result.error = orphan.error;
            return false;
        }
        if (!orphan.present) return true;
        const std::string kept = FileNameOf(KeptAsideName(folder + name, "kept"));
        changes.push_back({kept, orphan.bytes});
        result.notes.push_back(folder + name + " belonged to no listed profile; it was kept as " + folder + kept);
        return true;
    };

    // 1. Every position's new files, read before anything is written.
    for (int p = 0; p < book.count(); ++p) {
        const ProfileEntry& entry = book.entries()[static_cast<std::size_t>(p)];
        if (entry.filesFrom == p) continue;
        if (!keepOrphan(p, ProfileConfigName(p)) || !keepOrphan(p, ProfileSideName(p))) return result;
        if (entry.filesFrom >= 0) {
            // The side file first: a configuration file without its side
            // file is never taken for a profile to initialise.
            if (!carry(entry.filesFrom, ProfileSideName(p), ProfileSidePath(folder, entry.filesFrom)) ||
                !carry(entry.filesFrom, ProfileConfigName(p), ProfileConfigPath(folder, entry.filesFrom)))
                return result;
        } else if (makeNew) {
            NewProfileFiles files = makeNew(p);
            changes.push_back({ProfileSideName(p), std::move(files.side)});
            changes.push_back({ProfileConfigName(p), std::move(files.config)});
        } else {
            changes.push_back({ProfileSideName(p), std::nullopt});
            changes.push_back({ProfileConfigName(p), std::nullopt});
        }
    }

    // 2. The list and the identities that follow their entries.
    const std::vector<std::string> oldIds = ProfileIds(session, book.readNames());
    std::vector<std::string> names;
    for (const ProfileEntry& entry : book.entries()) {
        names.push_back(entry.name);
        result.ids.push_back(entry.origin >= 0 && entry.origin < static_cast<int>(oldIds.size())
                                 ? oldIds[static_cast<std::size_t>(entry.origin)]
                                 : NewProfileId());
    }
    const int selected = current >= 0 && current < book.count() ? current : 0;
    list.DeleteSection(kProfile);
    list.Set(kProfile, "CurProfileName", names[static_cast<std::size_t>(selected)]);
    list.Set(kProfile, "ItemCount", std::to_string(book.count()));
    for (int i = 0; i < book.count(); ++i) list.Set(kProfile, "Item" + std::to_string(i), names[static_cast<std::size_t>(i)]);
    changes.push_back({"str.ini", list.Serialize()});
    changes.push_back({kProfileIdsName, FormatProfileIds(result.ids, names)});

    // 3. The positions the list gave up (their profiles moved down or were deleted).
    for (int p = book.count(); p < book.readCount() && p < kMaxProfiles; ++p) {
        changes.push_back({ProfileConfigName(p), std::nullopt});
        changes.push_back({ProfileSideName(p), std::nullopt});
    }

    const JournalResult committed = CommitChanges(folder, changes);
    if (!committed.done) {
        result.error = committed.error;
        return result;
    }
    result.saved = true;
    return result;
}

} // namespace qv530
