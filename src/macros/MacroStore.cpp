#include "macros/MacroStore.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include "macros/LeadingNumber.h"
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "settings/IniFile.h"
#include "settings/IniIndex.h"

namespace qv530 {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}


constexpr std::chrono::milliseconds kSettleAfterWrite{100};

std::string ItemKey(std::size_t index) { return std::string(store::kItemKeyPrefix) + std::to_string(index); }

// A count as read: its leading number, 0 when negative or missing, and never
// more than the keys the section holds (a larger count could only add empty
// texts, and a huge one would never end).
std::size_t ReadCount(const IniIndex& doc, std::string_view section, std::string_view key) {
    const std::int64_t count = LeadingNumber(doc.Get(section, key));
    if (count <= 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(count), doc.KeyCount(section));
}

std::vector<std::string> NamesFrom(const IniIndex& doc) {
    std::vector<std::string> names;
    const std::size_t count = ReadCount(doc, store::kIndexSection, store::kCountKey);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(doc.Get(store::kIndexSection, std::to_string(i)));
    }
    return names;
}

StoredMacro MacroFrom(const IniIndex& doc, std::string_view name) {
    const std::string section = MacroSectionName(name);
    StoredMacro macro;
    macro.loopText = doc.Get(section, store::kLoopKey);
    macro.delayFlagText = doc.Get(section, store::kDelayFlagKey);
    const std::size_t count = ReadCount(doc, section, store::kItemCountKey);
    for (std::size_t i = 0; i < count; ++i) {
        macro.items.push_back(doc.Get(section, ItemKey(i)));
    }
    return macro;
}

void PutNames(IniDocument& doc, const std::vector<std::string>& names) {
    doc.DeleteSection(store::kIndexSection);
    if (names.empty()) {
        doc.Set(store::kIndexSection, store::kCountKey, "0");
        doc.Set(store::kIndexSection, "0", "");
        return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        doc.Set(store::kIndexSection, store::kCountKey, std::to_string(names.size()));
        doc.Set(store::kIndexSection, std::to_string(i), names[i]);
    }
}

void PutMacro(IniDocument& doc, std::string_view name, int delayFlag, std::string_view loopText,
              const std::vector<std::string>& items) {
    const std::string section = MacroSectionName(name);
    doc.DeleteSection(section);
    doc.Set(section, store::kDelayFlagKey, std::to_string(delayFlag));
    doc.Set(section, store::kLoopKey, loopText);
    doc.Set(section, store::kItemCountKey, std::to_string(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        doc.Set(section, ItemKey(i), items[i]);
    }
}

// A macro whose section would be the index section would overwrite or
// delete the list of names.
bool CollidesWithIndex(std::string_view name) { return IsMacroStoreKeyName(name); }

} // namespace

bool IsMacroStoreKeyName(std::string_view name) {
    const std::string section = MacroSectionName(name);
    return std::equal(section.begin(), section.end(), store::kIndexSection.begin(), store::kIndexSection.end(),
                      [](char a, char b) {
                          const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
                          return lower(a) == lower(b);
                      });
}

std::string MacroSectionName(std::string_view name) {
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = name.find_last_not_of(" \t");
    return std::string(name.substr(first, last - first + 1));
}

MacroStore::MacroStore(std::string path, Pause pause) : path_(std::move(path)), pause_(std::move(pause)) {
    if (!pause_) {
        pause_ = [](std::chrono::milliseconds time) { std::this_thread::sleep_for(time); };
    }
}

bool MacroStore::Exists() const { return FileExists(path_); }

std::vector<std::string> MacroStore::ReadMacroNames() const {
    if (!Exists()) return {};
    return NamesFrom(IniIndex(LoadIni(path_)));
}

StoredMacro MacroStore::ReadMacro(std::string_view name) const {
    if (!Exists()) return {};
    return MacroFrom(IniIndex(LoadIni(path_)), name);
}

std::vector<NamedMacro> MacroStore::ReadAllMacros() const {
    if (!Exists()) return {};
    const IniIndex doc(LoadIni(path_));
    std::vector<NamedMacro> macros;
    for (auto& name : NamesFrom(doc)) {
        StoredMacro macro = MacroFrom(doc, name);
        macros.push_back({std::move(name), std::move(macro)});
    }
    return macros;
}

namespace {
// Nothing is written without the folder's lock: EBUSY while another copy of
// the program holds it, ENOLCK when the lock file cannot be used.
int Refusal(const FolderLock& lock) {
    if (lock.held()) return 0;
    return lock.busy() ? EBUSY : ENOLCK;
}
} // namespace

int MacroStore::WriteMacroNames(const std::vector<std::string>& names) {
    if (!Exists()) return 0;
    const FolderLock lock(FolderOf(path_)); // one writer of the data folder at a time
    if (const int refused = Refusal(lock); refused != 0) return refused;
    IniDocument doc;
    if (const int error = LoadIniForEdit(path_, doc); error != 0) return error;
    PutNames(doc, names);
    return SaveIni(path_, doc);
}

int MacroStore::WriteMacro(std::string_view name, int delayFlag, std::string_view loopText,
                           const std::vector<std::string>& items) {
    if (!Exists()) return 0;
    const FolderLock lock(FolderOf(path_)); // one writer of the data folder at a time
    if (const int refused = Refusal(lock); refused != 0) return refused;
    if (CollidesWithIndex(name) || !IniSectionProblem(MacroSectionName(name)).empty()) return EINVAL;
    if (items.empty()) {
        return DeleteMacroSection(name);
    }
    IniDocument doc;
    if (const int error = LoadIniForEdit(path_, doc); error != 0) return error;
    PutMacro(doc, name, delayFlag, loopText, items);
    const int result = SaveIni(path_, doc);
    pause_(kSettleAfterWrite);
    return result;
}

int MacroStore::WriteLoopTimes(std::string_view name, long value) {
    if (!Exists()) return 0;
    const FolderLock lock(FolderOf(path_)); // one writer of the data folder at a time
    if (const int refused = Refusal(lock); refused != 0) return refused;
    if (CollidesWithIndex(name)) return EINVAL;
    return WriteProfileString(path_, MacroSectionName(name), store::kLoopKey, std::to_string(value));
}

int MacroStore::DeleteMacroSection(std::string_view name) {
    if (!Exists()) return 0;
    const FolderLock lock(FolderOf(path_)); // one writer of the data folder at a time
    if (const int refused = Refusal(lock); refused != 0) return refused;
    if (CollidesWithIndex(name)) return EINVAL;
    return DeleteProfileSection(path_, MacroSectionName(name));
}

int MacroStore::WriteRenamedMacro(const std::vector<std::string>& names, std::string_view newName, int delayFlag,
                                  std::string_view loopText, const std::vector<std::string>& items) {
    if (!Exists()) return 0;
    const FolderLock lock(FolderOf(path_)); // one writer of the data folder at a time
    if (const int refused = Refusal(lock); refused != 0) return refused;
    if (CollidesWithIndex(newName) || !IniSectionProblem(MacroSectionName(newName)).empty()) return EINVAL;
    IniDocument doc;
    if (const int error = LoadIniForEdit(path_, doc); error != 0) return error;
    PutNames(doc, names);
    PutMacro(doc, newName, delayFlag, loopText, items);
    return SaveIni(path_, doc);
}

} // namespace qv530
