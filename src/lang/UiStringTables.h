#pragma once
// The text tables behind UiStrings, one per language, as slot/text pairs.
#include "lang/Language.h"

#include <span>
#include <string_view>

namespace qv530 {

struct UiText {
    int slot;
    std::string_view text;
};

// The slots that read the same in every language (profile buttons, LOAD,
// SAVE, RESET, the DPI colour captions).
std::span<const UiText> SharedUiTexts();

// The slots of one language; empty for Language::None.
std::span<const UiText> UiTextsOf(Language language);

} // namespace qv530
