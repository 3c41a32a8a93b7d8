#include "macros/MacroItem.h"

#include <algorithm>

#include "macros/LeadingNumber.h"

namespace qv530 {
namespace {

std::string RemoveAll(std::string_view text, std::string_view what) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = text.find(what); found != std::string_view::npos; found = text.find(what, start)) {
        result.append(text.substr(start, found - start));
        start = found + what.size();
    }
    result.append(text.substr(start));
    return result;
}

} // namespace

MacroItemKind ClassifyMacroItem(std::string_view text) {
    if (text.find(kPressSuffix) != std::string_view::npos) return MacroItemKind::Press;
    if (text.find(kReleaseSuffix) != std::string_view::npos) return MacroItemKind::Release;
    if (text.find(kDelayMarker) != std::string_view::npos) return MacroItemKind::Delay;
    return MacroItemKind::Other;
}

std::string MacroItemKeyName(std::string_view text) {
    return RemoveAll(text, ClassifyMacroItem(text) == MacroItemKind::Press ? kPressSuffix : kReleaseSuffix);
}

std::int64_t MacroItemDelay(std::string_view text) {
    return std::max<std::int64_t>(0, LeadingNumber(RemoveAll(text, kDelaySuffix)));
}

std::string PressItem(std::string_view keyName) { return std::string(keyName) + std::string(kPressSuffix); }
std::string ReleaseItem(std::string_view keyName) { return std::string(keyName) + std::string(kReleaseSuffix); }
std::string DelayItem(std::int64_t milliseconds) {
    return std::to_string(milliseconds) + std::string(kDelaySuffix);
}

} // namespace qv530
