#pragma once
// The desktop's side of the program's language: a font that has the
// language's glyphs behind the face names the windows ask for, and Qt's own
// translations for the desktop's dialogs (message boxes, colour chooser,
// file dialogs).
#include <QStringList>

#include <string>

namespace qv530 {

// The installed families that draw this language's script, best first
// (empty for the Latin languages, which every font covers).
QStringList FamiliesWithGlyphsOf(const std::string& languageCode);

// Makes the windows' face names ("黑体" for Chinese, "Arial" otherwise) find a
// face that the system has and that holds the glyphs.
void InstallLanguageFonts();

// Loads Qt's translations of its own dialogs for the language code ("DE",
// "CHS", "CHT"; English needs none). False when they are not installed.
bool InstallQtTranslations(const std::string& languageCode);

} // namespace qv530
