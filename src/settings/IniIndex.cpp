#include "settings/IniIndex.h"

#include "settings/AsciiCase.h"
#include "settings/TextEncoding.h"

namespace qv530 {
namespace {

} // namespace

IniIndex::IniIndex(const IniDocument& document) {
    Section* section = nullptr; // null: a later section of a name already seen
    document.Visit(
        [&](std::string_view name) {
            const auto [entry, added] = sections_.try_emplace(LowerAsciiCopy(name));
            section = added ? &entry->second : nullptr;
        },
        [&](std::string_view key, std::string_view value) {
            if (section == nullptr) return;
            ++section->keyCount;
            section->values.try_emplace(LowerAsciiCopy(key), value);
        });
}

std::string IniIndex::Get(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(LowerAsciiCopy(section));
    if (found == sections_.end()) return {};
    const auto value = found->second.values.find(LowerAsciiCopy(key));
    if (value == found->second.values.end()) return {};
    return std::string(Utf8Prefix(value->second, kIniValueMax));
}

std::size_t IniIndex::KeyCount(std::string_view section) const {
    const auto found = sections_.find(LowerAsciiCopy(section));
    return found == sections_.end() ? 0 : found->second.keyCount;
}

} // namespace qv530
