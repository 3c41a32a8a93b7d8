#pragma once
// A catalogue name in the four interface languages. The button menus pick
// one by the menu language rule (ButtonMenuLanguage): simplified Chinese,
// traditional Chinese or German for those codes, English for every other.
#include <string_view>

#include "lang/Language.h"

namespace qv530 {

struct LocalisedName {
    std::string_view chs;
    std::string_view cht;
    std::string_view en;
    std::string_view de;

    std::string_view In(Language language) const {
        switch (language) {
        case Language::CHS: return chs;
        case Language::CHT: return cht;
        case Language::DE: return de;
        case Language::EN:
        case Language::None: break;
        }
        return en;
    }
};

} // namespace qv530
