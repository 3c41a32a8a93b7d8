#include "profiles/StartupProfile.h"

#include "settings/IniFile.h"

namespace qv530 {

std::string LoadProfileAtStartUp(ConfigFiles& files, MouseSettings& settings, DeviceState& state, MouseSettings& sent,
                                 UiStrings& texts) {
    files.LoadCurrentProfile(settings, state);
    CopySettings(settings, sent);
    const std::string language = ReadProfileString(files.profileListPath(), "Skins", "Lan");
    LoadUiStrings(texts, language);
    files.settingsSection = texts.UiString(kSlotCaptionSection);
    files.ReadSideFile();
    files.InitialiseIfNeeded(true, settings, state);
    // The rule may have just written the defaults; the last-applied copy
    // must hold them too, or Cancel and the DPI notices would show the
    // all-zero record of a first start.
    CopySettings(settings, sent);
    return language;
}

} // namespace qv530
