#include "profiles/StartupProfile.h"

#include "macros/MacroRebuild.h"
#include "profiles/ProfileStore.h"
#include "settings/IniFile.h"

namespace qv530 {

std::string LoadProfileAtStartUp(ConfigFiles& files, MouseSettings& settings, DeviceState& state, MouseSettings& sent,
                                 UiStrings& texts, std::string* notice, bool* damaged) {
    // The IsDefault rule may save: no other copy may write meanwhile, and a
    // change cut short is finished before anything is read.
    const StoreSession session(files.dataFolder());
    const ProfileLoad load = files.LoadCurrentProfile(settings, state);
    CopySettings(settings, sent);
    const std::string language = ReadProfileString(files.profileListPath(), "Skins", "Lan");
    LoadUiStrings(texts, language);
    files.settingsSection = texts.UiString(kSlotCaptionSection);
    files.ReadSideFile();
    std::string message = load.notice;
    for (const std::string& note : session.notes()) message += (message.empty() ? "" : "\n") + note;
    // Without a valid list the rule stays out: a first profile that loaded
    // is never overwritten with defaults, and defaults are saved only by an Apply.
    if (load && session.ok()) files.InitialiseIfNeeded(true, settings, state);
    if (HoldsNoSettings(settings) && !load.damaged) {
        // The profile's file is missing or unreadable and nothing initialised
        // it: the defaults, never a record of zeros.
        ResetToDefaults(settings);
        RebuildMacroSlotsFromStore(settings, files.macroStorePath());
        message = files.configPath() + " could not be read, so the factory settings are shown.";
    }
    // The rule may have just written the defaults; the last-applied copy
    // must hold them too, or Cancel and the DPI notices would show the
    // all-zero record of a first start.
    CopySettings(settings, sent);
    if (notice != nullptr) *notice = message;
    if (damaged != nullptr) *damaged = load.damaged;
    return language;
}

} // namespace qv530
