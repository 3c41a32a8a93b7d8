#pragma once
// The macro store, record.ini: an index section "MacroName" with "MacroCount"
// and the names under "0", "1", ..., and one section per macro that has
// items, with "DelayTimeSelStatus", "MacroLoopTimes", "ItemCount" and
// "Item0".."Item<n-1>".
//
// The store never creates the file: when record.ini is missing every read
// returns nothing and every write does nothing.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

namespace store {
inline constexpr std::string_view kIndexSection = "MacroName";
inline constexpr std::string_view kCountKey = "MacroCount";
inline constexpr std::string_view kDelayFlagKey = "DelayTimeSelStatus";
inline constexpr std::string_view kLoopKey = "MacroLoopTimes";
inline constexpr std::string_view kItemCountKey = "ItemCount";
inline constexpr std::string_view kItemKeyPrefix = "Item";
inline constexpr std::string_view kFileName = "record.ini";
inline constexpr std::size_t kMaxMacros = 12;
} // namespace store

// One macro as the store holds it; texts are kept as read.
struct StoredMacro {
    std::string loopText;        // "MacroLoopTimes"
    std::string delayFlagText;   // "DelayTimeSelStatus"
    std::vector<std::string> items;
};

struct NamedMacro {
    std::string name;
    StoredMacro macro;
};

class MacroStore {
public:
    using Pause = std::function<void(std::chrono::milliseconds)>;

    // pause is called for the settle time after a macro is written; the
    // default sleeps.
    explicit MacroStore(std::string path, Pause pause = {});

    const std::string& path() const { return path_; }
    bool Exists() const;

    std::vector<std::string> ReadMacroNames() const;
    StoredMacro ReadMacro(std::string_view name) const;
    // The names and every macro, read from one load of the file.
    std::vector<NamedMacro> ReadAllMacros() const;

    // Writes return 0, or the errno of a failed save; EINVAL, with nothing
    // written, for a name whose section the file cannot hold or that would be
    // the index section itself (see IsMacroStoreKeyName).
    // Rewrites the index from the list ("MacroCount" = "0" and an empty "0"
    // for an empty list).
    int WriteMacroNames(const std::vector<std::string>& names);
    // Replaces the macro's section (flag, loop text, count, items, in this
    // order) and pauses; with no items only deletes the section.
    int WriteMacro(std::string_view name, int delayFlag, std::string_view loopText,
                   const std::vector<std::string>& items);
    int WriteLoopTimes(std::string_view name, long value);
    int DeleteMacroSection(std::string_view name);
    // End of a rename: the index from the list, then the section of the new
    // name replaced by the macro's flag, loop text, count and items.
    int WriteRenamedMacro(const std::vector<std::string>& names, std::string_view newName, int delayFlag,
                          std::string_view loopText, const std::vector<std::string>& items);

private:
    std::string path_;
    Pause pause_;
};

// The section a macro name is stored under: section names lose their
// surrounding blanks in the file.
std::string MacroSectionName(std::string_view name);

// True when a macro of this name would be stored in the index section
// ("MacroName", in any case and with any surrounding blanks).
bool IsMacroStoreKeyName(std::string_view name);

} // namespace qv530
