#include "cli/DataFolderSetup.h"

#include "lang/Language.h"
#include "settings/ConfigFiles.h"
#include "settings/FactoryFiles.h"

namespace qv530::cli {

void PrepareDataFolder(std::ostream& err) {
    const std::string folder = DataFolder();
    if (folder.empty()) {
        err << "qv530ctl: warning: neither XDG_CONFIG_HOME nor HOME is set; using the current folder\n";
        return;
    }
    const ProvisionReport report = ProvisionDataFolder(folder, std::string(LanguageFromLocale(LocaleFromEnvironment())));
    for (const std::string& error : report.errors) err << "qv530ctl: warning: " << error << "\n";
}

} // namespace qv530::cli
