#include "lang/Language.h"

#include <algorithm>
#include <cstdlib>

#include "settings/AsciiCase.h"

namespace qv530 {

Language DialogLanguage(std::string_view code) {
    if (code == kCodeChs)
        return Language::CHS;
    if (code == kCodeCht)
        return Language::CHT;
    if (code == kCodeEn)
        return Language::EN;
    if (code == kCodeDe)
        return Language::DE;
    return Language::None;
}

Language ButtonMenuLanguage(std::string_view code) {
    if (code == kCodeChs)
        return Language::CHS;
    if (code == kCodeCht)
        return Language::CHT;
    if (code == kCodeDe)
        return Language::DE;
    return Language::EN;
}

std::string_view LanguageCode(Language language) {
    switch (language) {
    case Language::CHS:
        return kCodeChs;
    case Language::CHT:
        return kCodeCht;
    case Language::EN:
        return kCodeEn;
    case Language::DE:
        return kCodeDe;
    case Language::None:
        break;
    }
    return {};
}

std::string_view FontFace(std::string_view code) {
    if (code == kCodeChs || code == kCodeCht)
        return "黑体";
    return "Arial";
}

std::string_view LanguageFromLocale(std::string_view localeName) {
    // language[_territory][.codeset][@modifier]; the BCP 47 form "zh-TW"
    // is accepted as well.
    const auto languageEnd = std::min(localeName.find_first_of("_-.@"), localeName.size());
    const auto language = localeName.substr(0, languageEnd);
    std::string_view territory;
    if (languageEnd < localeName.size() && (localeName[languageEnd] == '_' || localeName[languageEnd] == '-')) {
        const auto rest = localeName.substr(languageEnd + 1);
        territory = rest.substr(0, std::min(rest.find_first_of(".@"), rest.size()));
    }

    if (EqualsIgnoringAsciiCase(language, "zh")) {
        if (EqualsIgnoringAsciiCase(territory, "CN"))
            return kCodeChs;
        if (EqualsIgnoringAsciiCase(territory, "TW") || EqualsIgnoringAsciiCase(territory, "HK"))
            return kCodeCht;
        return kCodeEn;
    }
    if (EqualsIgnoringAsciiCase(language, "de"))
        return kCodeDe;
    return kCodeEn;
}

std::string LocaleFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

} // namespace qv530
