#include "macros/MacroReferences.h"

#include "buttons/ButtonFunction.h"

namespace qv530 {
namespace {

constexpr char kLabelSeparator = ':';

bool PlaysMacro(const MouseSettings& settings, std::size_t button) {
    return settings.at(field::kButtonFunction + button) == function::kMacroKey;
}

} // namespace

bool CaptionNamesMacro(std::string_view caption, std::string_view name) {
    const auto separator = caption.rfind(kLabelSeparator);
    if (separator != std::string_view::npos && caption.substr(separator + 1) == name) return true;
    // A name that holds ":" itself.
    return caption.size() > name.size() && caption.ends_with(name) &&
           caption[caption.size() - name.size() - 1] == kLabelSeparator;
}

int MacroNamedByCaption(std::string_view caption, const std::vector<std::string>& names) {
    int found = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!CaptionNamesMacro(caption, names[i])) continue;
        if (found < 0 || names[i].size() > names[static_cast<std::size_t>(found)].size()) found = static_cast<int>(i);
    }
    return found;
}

bool PointMacroButtonsAtSlots(MouseSettings& settings, const ButtonCaptions& captions,
                              const std::vector<std::string>& names) {
    bool changed = false;
    for (std::size_t button = 0; button < captions.size(); ++button) {
        if (!PlaysMacro(settings, button)) continue;
        const int index = MacroNamedByCaption(captions[button], names);
        if (index < 0) continue;
        std::uint8_t& slot = settings.ButtonExtra(kMacroNumberTable, button);
        if (slot != static_cast<std::uint8_t>(index)) {
            slot = static_cast<std::uint8_t>(index);
            changed = true;
        }
    }
    return changed;
}

std::vector<std::size_t> RenameMacroInCaptions(const MouseSettings& settings, ButtonCaptions& captions,
                                               std::string_view oldName, std::string_view newName) {
    std::vector<std::size_t> changed;
    if (oldName == newName) return changed;
    for (std::size_t button = 0; button < captions.size(); ++button) {
        std::string& caption = captions[button];
        if (!PlaysMacro(settings, button) || !CaptionNamesMacro(caption, oldName)) continue;
        caption = caption.substr(0, caption.size() - oldName.size()) + std::string(newName);
        changed.push_back(button);
    }
    return changed;
}

} // namespace qv530
