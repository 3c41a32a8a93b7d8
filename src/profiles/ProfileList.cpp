#include "profiles/ProfileList.h"

#include "profiles/ConfigFiles.h"

namespace qv530 {
namespace {
constexpr const char* kProfile = "Profile";
}

std::optional<int> ParseCount(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::vector<std::string> ProfileNames(const IniDocument& list) {
    const auto count = ParseCount(list.Get(kProfile, "ItemCount"));
    if (!count || *count < 1 || *count > kMaxProfiles) return {};
    std::vector<std::string> names;
    for (int i = 0; i < *count; ++i) names.push_back(list.Get(kProfile, "Item" + std::to_string(i)));
    return names;
}

CurrentProfileIndex ResolveCurrentProfile(const IniDocument& list) {
    const std::vector<std::string> names = ProfileNames(list);
    CurrentProfileIndex result;
    if (names.empty()) return result;
    result.valid = true;
    const std::string current = list.Get(kProfile, "CurProfileName");
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == current) result.position = static_cast<int>(i);
    return result;
}

} // namespace qv530
