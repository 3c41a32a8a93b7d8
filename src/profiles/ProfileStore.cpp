#include "profiles/ProfileStore.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/FileIo.h"
#include "profiles/ProfileBook.h"
#include "profiles/StoreJournal.h"
#include "settings/IniFile.h"

namespace qv530 {
namespace {
constexpr const char* kSection = "Profiles";
}

StoreSession::StoreSession(std::string folder, std::chrono::milliseconds wait)
    : folder_(std::move(folder)), lock_(folder_, wait) {
    if (!lock_.held()) {
        refusal_ = lock_.BusyMessage();
        return;
    }
    const JournalResult rolled = RollForward(folder_, notes_);
    if (!rolled.done) refusal_ = "an unfinished change of the profiles cannot be completed: " + rolled.error;
}

std::string NewProfileId() {
    static std::mt19937_64 generator{std::random_device{}()};
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return text;
}

std::vector<std::string> ReconcileProfileIds(const std::string& idsFileText, const std::vector<std::string>& names) {
    const IniDocument file = IniDocument::Parse(idsFileText);
    std::vector<std::string> storedIds, storedNames;
    for (int i = 0; i < 64; ++i) {
        const std::string id = file.Get(kSection, "Id" + std::to_string(i));
        if (id.empty()) break;
        storedIds.push_back(id);
        storedNames.push_back(file.Get(kSection, "Name" + std::to_string(i)));
    }
    std::vector<std::string> ids(names.size());
    std::vector<bool> taken(storedIds.size(), false);
    // Same name at the same position first, then the same name elsewhere.
    for (std::size_t p = 0; p < names.size(); ++p)
        if (p < storedIds.size() && storedNames[p] == names[p]) {
            ids[p] = storedIds[p];
            taken[p] = true;
        }
    for (std::size_t p = 0; p < names.size(); ++p) {
        if (!ids[p].empty()) continue;
        for (std::size_t s = 0; s < storedIds.size(); ++s)
            if (!taken[s] && storedNames[s] == names[p]) {
                ids[p] = storedIds[s];
                taken[s] = true;
                break;
            }
        if (ids[p].empty()) ids[p] = NewProfileId();
    }
    return ids;
}

std::string FormatProfileIds(const std::vector<std::string>& ids, const std::vector<std::string>& names) {
    IniDocument file;
    for (std::size_t i = 0; i < ids.size() && i < names.size(); ++i) {
        file.Set(kSection, "Id" + std::to_string(i), ids[i]);
        file.Set(kSection, "Name" + std::to_string(i), names[i]);
    }
    return file.Serialize();
}

std::vector<std::string> ProfileIds(const StoreSession& session, const std::vector<std::string>& names) {
    const std::string path = session.folder() + kProfileIdsName;
    const std::string stored = ReadWholeFile(path).value_or(std::string());
    std::vector<std::string> ids = ReconcileProfileIds(stored, names);
    if (const std::string text = FormatProfileIds(ids, names); session.ok() && text != stored)
        WriteFileAtomic(path, text); // a folder we cannot write keeps no identities: nothing moves there either
    return ids;
}

int PositionOfProfileId(const StoreSession& session, const std::vector<std::string>& names, const std::string& id) {
    const std::vector<std::string> ids = ProfileIds(session, names);
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

namespace {
std::vector<std::string> ListedNames(const StoreSession& session) {
    return ProfileBook::Read(session.folder() + "str.ini", {}).readNames();
}
} // namespace

int PositionOfProfileId(const StoreSession& session, const std::string& id) {
    return PositionOfProfileId(session, ListedNames(session), id);
}

std::string ProfileIdAt(const StoreSession& session, int position) {
    // Without the lock a new identity could not be kept: none is given.
    if (!session.ok()) return {};
    const std::vector<std::string> names = ListedNames(session);
    if (position < 0 || position >= static_cast<int>(names.size())) return {};
    return ProfileIds(session, names)[static_cast<std::size_t>(position)];
}

} // namespace qv530
