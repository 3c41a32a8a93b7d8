#pragma once
// A catalogue name in the four interface languages, and the rule that picks
// one: the button menus speak simplified Chinese, traditional Chinese or
// German for those codes and English for every other code.
#include <string_view>

namespace qv530 {

enum class Language { Chs, Cht, En, De };

struct LocalisedName {
    std::string_view chs;
    std::string_view cht;
    std::string_view en;
    std::string_view de;

    std::string_view In(Language language) const {
        switch (language) {
        case Language::Chs: return chs;
        case Language::Cht: return cht;
        case Language::De: return de;
        case Language::En: break;
        }
        return en;
    }
};

// "CHS", "CHT", "DE" (exact); English for "EN" and anything else.
constexpr Language CatalogueLanguage(std::string_view code) {
    if (code == "CHS") return Language::Chs;
    if (code == "CHT") return Language::Cht;
    if (code == "DE") return Language::De;
    return Language::En;
}

} // namespace qv530
