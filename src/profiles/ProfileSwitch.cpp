#include "profiles/ProfileSwitch.h"

#include "buttons/FunctionName.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/FactoryFiles.h"
#include "profiles/ProfileFileMoves.h"

#include <cstring>
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

// A damaged file's place shows what New would make there.
void ShowFactoryInstead(const ConfigFiles& files, int index, MouseSettings& settings) {
    const NewProfileFiles fresh = MakeNewProfileFiles(files, index);
    std::memcpy(settings.data(), fresh.config.data() + config_file::kRecord, kMouseSettingsSize);
}

bool HasBinName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return path.find(".bin", slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

} // namespace

std::string SwitchToProfile(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    if (index < 0 || index >= kMaxProfiles) return {};
    const std::string folder = files.dataFolder();
    if (!PathExists(ProfileConfigPath(folder, index))) {
        // Nothing stored there yet (a New that was not closed on, a damaged
        // list): start it as New would, never with another profile's record.
        CreateProfileAt(index, files, settings, state);
        return {};
    }
    if (const std::string damage = ConfigFileDamage(ProfileConfigPath(folder, index)); !damage.empty()) {
        // Shown as the factory settings and left as it is until the user saves.
        MakeCurrent(index, settings, state);
        files.LoadProfileFiles(index, settings, state);
        ShowFactoryInstead(files, index, settings);
        files.ReadSideFile();
        return damage + ". It is not a profile file, so the factory settings are shown; it is moved aside under a "
                        "name ending in .damaged before anything is saved in its place.";
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
    files.SaveProfileFiles(settings, state);
    return {};
}

void CreateProfileAt(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state) {
    if (index < 0 || index >= kMaxProfiles) return;
    MakeCurrent(index, settings, state);
    state.useFactoryFiles = 1;
    files.LoadFactoryFiles(settings, state);
    ResetToDefaults(settings);
    files.ReadSideFile();
    state.useFactoryFiles = 0;
    // Saved with "IsDefault" = "Y": the next start or switch keeps what the
    // user applies to it instead of resetting it to the defaults.
    files.SaveProfileFiles(settings, state);
}

NewProfileFiles MakeNewProfileFiles(const ConfigFiles& current, int index) {
    ConfigFiles factory(current.dataFolder());
    factory.settingsSection = current.settingsSection;
    MouseSettings settings;
    DeviceState state;
    // A factory file that is no profile file gives way to the built-in one.
    if (factory.ReadConfigFile(current.dataFolder() + "config.bin", settings, state) == 0) {
        const std::string image = FactoryConfigImage();
        std::memcpy(settings.data(), image.data() + config_file::kRecord, kMouseSettingsSize);
    }
    ResetToDefaults(settings);
    settings.at(field::kProfileSlot) = static_cast<std::uint8_t>(index);
    factory.ReadSideFile(current.dataFolder() + "str.ini");
    NewProfileFiles files;
    files.config.assign(config_file::kSize, '\0');
    files.config[config_file::kFlag] = static_cast<char>(config_file::kSavedFlag);
    std::memcpy(files.config.data() + config_file::kRecord, settings.data(), kMouseSettingsSize);
    IniDocument side;
    if (!factory.settingsSection.empty())
        for (std::size_t i = 0; i < kWrittenCaptions; ++i)
            side.Set(factory.settingsSection, "Item" + std::to_string(i + 1), factory.side.captions[i]);
    side.Set(kProfile, kIsDefault, "Y");
    files.side = side.Serialize();
    return files;
}

ConfigFiles::ImportResult ImportIntoProfile(int index, const std::string& path, ConfigFiles& files,
                                            MouseSettings& settings, DeviceState& state) {
    // A file that is not a profile leaves record, captions and index alone.
    if (!HasBinName(path)) return ConfigFiles::ImportResult::NotABinFile;
    if (!PathExists(path)) return ConfigFiles::ImportResult::Missing;
    if (!FileExists(path)) return ConfigFiles::ImportResult::Unreadable;
    if (FileSize(path) != static_cast<long long>(config_file::kSize)) return ConfigFiles::ImportResult::WrongSize;
    // Read into copies: a file that cannot be read changes nothing.
    ConfigFiles importFiles = files;
    MouseSettings imported = settings;
    DeviceState importedState = state;
    const auto result = importFiles.ImportProfile(path, imported, importedState);
    if (result != ConfigFiles::ImportResult::Imported) return result;
    files = importFiles;
    settings = imported;
    state = importedState;
    if (index >= 0 && index < kMaxProfiles) state.profileFileIndex = static_cast<std::uint8_t>(index);
    NameMissingCaptions(files, settings);
    return result;
}

ConfigFiles::ExportResult ExportStoredProfile(int index, const std::string& path, const ConfigFiles& current) {
    ConfigFiles stored(current.dataFolder());
    stored.settingsSection = current.settingsSection;
    MouseSettings settings;
    DeviceState state;
    if (index >= 0 && index < kMaxProfiles && PathExists(ProfileConfigPath(current.dataFolder(), index))) {
        state.profileFileIndex = static_cast<std::uint8_t>(index);
        stored.LoadProfileFiles(index, settings, state);
        // A damaged profile is not exported as if it were one.
        if (!stored.damage().empty()) return {path, false, stored.damage()};
    } else {
        ShowFactoryInstead(stored, index < 0 ? 0 : index, settings);
    }
    stored.ReadSideFile(ProfileSidePath(current.dataFolder(), index));
    // Only the chosen file and its side file are written; nothing in the data folder.
    return stored.WriteExport(path, settings, state);
}

} // namespace qv530
