#pragma once
// Language codes and the rules that hang on them: which text set a dialog
// picks, which language the button menus use, the font face, and the code a
// new installation starts with.
#include <string>
#include <string_view>

namespace qv530 {

// The codes stored under [Skins] Lan of str.ini. Exact and case-sensitive:
// "en" or "chs" match nothing.
inline constexpr std::string_view kCodeChs = "CHS"; // simplified Chinese
inline constexpr std::string_view kCodeCht = "CHT"; // traditional Chinese
inline constexpr std::string_view kCodeEn = "EN";   // English
inline constexpr std::string_view kCodeDe = "DE";   // German

enum class Language { None, CHS, CHT, EN, DE };

// The language whose text set a dialog shows: "CHS", "CHT", "EN", "DE" in
// that order; any other code gives None (the dialog's texts stay empty).
Language DialogLanguage(std::string_view code);

// The language of the button-assignment menus: "CHS", "CHT", "DE", and
// English for every other code (also for unknown ones).
Language ButtonMenuLanguage(std::string_view code);

// The code of a language; empty for None.
std::string_view LanguageCode(Language language);

// Face of every text font the windows create: "黑体" for the Chinese codes,
// "Arial" for all others.
std::string_view FontFace(std::string_view code);

// The code written into a freshly created str.ini for a POSIX locale name
// such as "de_DE.UTF-8" or "zh_TW.UTF-8@x": zh_CN gives "CHS", zh_TW and
// zh_HK give "CHT", any German locale gives "DE", everything else (also
// "", "C" and "POSIX") gives "EN".
std::string_view LanguageFromLocale(std::string_view localeName);

// The locale that governs messages: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG; empty when none is set.
std::string LocaleFromEnvironment();

} // namespace qv530
