#pragma once
// The texts of the profile dialog, chosen by the language code when the
// dialog opens.
#include <string>
#include <string_view>

namespace qv530 {

struct ProfileTexts {
    std::string title;        // dialog title
    std::string baseName;     // new entries are named baseName + " " + number
    std::string newEntry;     // New button
    std::string remove;       // context menu: Delete
    std::string edit;         // context menu: Edit (rename in place)
    std::string copy;         // context menu: Copy, also the prefix of copies
    std::string load;         // context menu: Load (import)
    std::string save;         // context menu: Save (export)
    std::string caption;      // caption of the limit message box
    std::string limitMessage; // more than six profiles refused
};

// The dialog's texts for "CHS", "CHT", "EN" or "DE"; every text is empty for
// any other code.
ProfileTexts ProfileTextsFor(std::string_view code);

// The base name of new profiles ("Profile", "設定檔", "Profil"); empty for an
// unknown code.
std::string ProfileBaseName(std::string_view code);

} // namespace qv530
