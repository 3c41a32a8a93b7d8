#include "lang/UiStrings.h"

#include "lang/UiStringTables.h"

namespace qv530 {

const std::string& UiStrings::UiString(int slot) const {
    static const std::string empty;
    if (slot < 0 || slot >= kUiSlotCount)
        return empty;
    return slots_[static_cast<std::size_t>(slot)];
}

void UiStrings::Set(int slot, std::string_view text) {
    if (slot < 0 || slot >= kUiSlotCount)
        return;
    slots_[static_cast<std::size_t>(slot)] = text;
}

void UiStrings::Clear() {
    for (auto& text : slots_)
        text.clear();
}

std::vector<int> UiStrings::FilledSlots() const {
    std::vector<int> filled;
    for (int slot = 0; slot < kUiSlotCount; ++slot) {
        if (!slots_[static_cast<std::size_t>(slot)].empty())
            filled.push_back(slot);
    }
    return filled;
}

void LoadUiStrings(UiStrings& strings, std::string_view code) {
    strings.Clear();
    for (const auto& entry : SharedUiTexts())
        strings.Set(entry.slot, entry.text);
    for (const auto& entry : UiTextsOf(DialogLanguage(code)))
        strings.Set(entry.slot, entry.text);
}

} // namespace qv530
