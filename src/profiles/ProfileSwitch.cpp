#include "profiles/ProfileSwitch.h"

#include "buttons/FunctionName.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/ProfileFileMoves.h"
#include "settings/IniFile.h"

namespace qv530 {
namespace {

constexpr const char* kProfile = "Profile";
constexpr const char* kIsDefault = "IsDefault";
constexpr std::string_view kSectionPrefix = "Setting-";

void MakeCurrent(int index, MouseSettings& settings, DeviceState& state) {
    state.currentProfile = index;
    state.profileFileIndex = static_cast<std::uint8_t>(index);
    settings.at(field::kProfileSlot) = static_cast<std::uint8_t>(index);
}

void MarkInitialised(const std::string& sidePath) {
    if (const int error = WriteProfileString(sidePath, kProfile, kIsDefault, "Y"); error != 0)
        DebugPrintf("Error Code is: %d \n", error);
}

// The language code of a caption section ("Setting-DE" gives "DE").
std::string_view CodeOfSection(const std::string& section) {
    std::string_view code = section;
    if (code.substr(0, kSectionPrefix.size()) == kSectionPrefix) code.remove_prefix(kSectionPrefix.size());
    return code;
}

// Captions the side file does not hold are named after the buttons' functions.
void NameMissingCaptions(ConfigFiles& files, const MouseSettings& settings) {
    if (files.settingsSection.empty()) return;
    const std::string_view code = CodeOfSection(files.settingsSection);
    for (std::size_t i = 0; i < kWrittenCaptions; ++i)
        if (files.side.captions[i].empty())
            files.side.captions[i] =
                FunctionName(settings.at(field::kButtonFunction + i), settings.at(field::kButtonParam + i), code);
}

bool HasBinName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return path.find(".bin", slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

} // namespace

void SwitchToProfile(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    if (index < 0 || index >= kMaxProfiles) return;
    const std::string folder = files.dataFolder();
    if (!FileExists(ProfileConfigPath(folder, index))) {
        // Nothing stored there yet (a New that was not closed on, a damaged
        // list): start it as New would, never with another profile's record.
        CreateProfileAt(index, files, settings, state);
        return;
    }
    // A configuration file whose side file is missing holds a profile (one
    // written by another tool, or moved without its side file): it is not
    // reset to the defaults.
    if (!FileExists(ProfileSidePath(folder, index))) MarkInitialised(ProfileSidePath(folder, index));
    // The slot is set before the load, so the stored record's own slot byte
    // is what goes to the mouse, as the Windows tool sends it.
    MakeCurrent(index, settings, state);
    files.LoadProfileFiles(index, settings, state);
    files.InitialiseIfNeeded(true, settings, state);
    files.ReadSideFile();
    NameMissingCaptions(files, settings);
    files.SaveCurrentProfile(settings, state);
    files.WriteCaptions();
}

void CreateProfileAt(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    if (index < 0 || index >= kMaxProfiles) return;
    MakeCurrent(index, settings, state);
    state.useFactoryFiles = 1;
    files.LoadFactoryFiles(settings, state);
    ResetToDefaults(settings);
    files.ReadSideFile();
    state.useFactoryFiles = 0;
    files.SaveCurrentProfile(settings, state);
    files.WriteCaptions();
    // Marked as initialised: the next start or switch keeps what the user
    // applies to it instead of resetting it to the defaults.
    MarkInitialised(files.sideFilePath());
}

ConfigFiles::ImportResult ImportIntoProfile(int index, const std::string& path, ConfigFiles& files,
                                            MouseSettings& settings, DeviceState& state) {
    // A file that is not a profile leaves record, captions and index alone.
    if (!HasBinName(path)) return ConfigFiles::ImportResult::NotABinFile;
    if (!FileExists(path)) return ConfigFiles::ImportResult::Missing;
    if (FileSize(path) != static_cast<long long>(config_file::kSize)) return ConfigFiles::ImportResult::WrongSize;
    if (index >= 0 && index < kMaxProfiles) state.profileFileIndex = static_cast<std::uint8_t>(index);
    const auto result = files.ImportProfile(path, settings, state);
    if (result == ConfigFiles::ImportResult::Imported) NameMissingCaptions(files, settings);
    return result;
}

ConfigFiles::ExportResult ExportStoredProfile(int index, const std::string& path, const ConfigFiles& current) {
    ConfigFiles stored(current.dataFolder());
    stored.settingsSection = current.settingsSection;
    MouseSettings settings;
    DeviceState state;
    if (index >= 0 && index < kMaxProfiles && FileExists(ProfileConfigPath(current.dataFolder(), index))) {
        state.profileFileIndex = static_cast<std::uint8_t>(index);
        stored.LoadProfileFiles(index, settings, state);
    } else {
        stored.LoadFactoryFiles(settings, state);
        ResetToDefaults(settings);
    }
    stored.ReadSideFile();
    // The export's own reload works on this copy only.
    return stored.ExportProfile(path, settings, state);
}

} // namespace qv530
