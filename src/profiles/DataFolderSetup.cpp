#include "profiles/DataFolderSetup.h"

#include "lang/Language.h"
#include "profiles/ConfigFiles.h"
#include "profiles/FactoryFiles.h"
#include "platform/FileIo.h"

namespace qv530 {

void PrepareDataFolder(std::ostream& err, std::string_view program) {
    const std::string folder = DataFolder();
    if (folder.empty()) {
        err << program << ": warning: neither XDG_CONFIG_HOME nor HOME is set; using the current folder\n";
        return;
    }
    // Saves that a killed process left half-way: their temporary files.
    RemoveStaleTemporaries(folder);
    const ProvisionReport report = ProvisionDataFolder(folder, std::string(LanguageFromLocale(LocaleFromEnvironment())));
    for (const std::string& error : report.errors) err << program << ": warning: " << error << "\n";
}

} // namespace qv530
