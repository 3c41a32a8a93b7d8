#include "profiles/SavedMacroReferences.h"

#include <algorithm>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "profiles/ProfileList.h"
#include "settings/IniFile.h"

namespace qv530 {

bool PointSavedMacroButtons(const std::string& configPath, const ButtonCaptions& captions,
                            const std::vector<std::string>& names) {
    if (!FileExists(configPath)) return false;
    auto bytes = ReadFilePrefix(configPath, config_file::kSize);
    if (!bytes || bytes->size() != config_file::kSize) return false;
    MouseSettings saved;
    std::copy_n(bytes->begin() + config_file::kRecord, kMouseSettingsSize, saved.bytes.begin());
    if (!PointMacroButtonsAtSlots(saved, captions, names)) return false;
    std::copy(saved.bytes.begin(), saved.bytes.end(), bytes->begin() + config_file::kRecord);
    return WriteFileAtomic(configPath, bytes->data(), bytes->size()) == 0;
}

void FollowMacroStoreInOtherProfiles(const ConfigFiles& files, const std::vector<std::string>& names,
                                     const std::string& renamedFrom, const std::string& renamedTo) {
    if (files.settingsSection.empty()) return; // no captions to go by
    const std::size_t profiles = ProfileNames(LoadIni(files.profileListPath())).size();
    for (std::size_t i = 0; i < profiles; ++i) {
        const std::string index = std::to_string(i);
        const std::string configPath = files.dataFolder() + "config" + index + ".bin";
        if (configPath == files.configPath() || !FileExists(configPath)) continue;
        const std::string sidePath = files.dataFolder() + "str" + index + ".ini";
        const IniDocument side = LoadIni(sidePath);
        ButtonCaptions captions;
        for (std::size_t k = 0; k < captions.size(); ++k)
            captions[k] = side.Get(files.settingsSection, "Item" + std::to_string(k + 1));
        if (!renamedFrom.empty()) {
            const auto bytes = ReadFilePrefix(configPath, config_file::kSize);
            if (!bytes || bytes->size() != config_file::kSize) continue;
            MouseSettings saved;
            std::copy_n(bytes->begin() + config_file::kRecord, kMouseSettingsSize, saved.bytes.begin());
            for (std::size_t k : RenameMacroInCaptions(saved, captions, renamedFrom, renamedTo))
                WriteProfileString(sidePath, files.settingsSection, "Item" + std::to_string(k + 1), captions[k]);
        }
        PointSavedMacroButtons(configPath, captions, names);
    }
}

} // namespace qv530
