#include "profiles/ConfigFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "macros/MacroRebuild.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "settings/IniFile.h"
#include "profiles/ProfileList.h"

namespace qv530 {
namespace {

constexpr const char* kMissingConfig = "Config file is not exist.\n";
constexpr const char* kMissingProfileConfig = "Config file is not exist.";
constexpr const char* kSkins = "Skins";
constexpr const char* kPoint = "Point";
constexpr const char* kProfile = "Profile";
constexpr const char* kIsDefault = "IsDefault";

std::string Indexed(const std::string& folder, const char* stem, int index, const char* extension) {
    return folder + stem + std::to_string(index) + extension;
}

std::size_t FileNameStart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

bool HoldsNoSettings(const MouseSettings& settings) {
    for (std::size_t i = 0; i < field::kMacroSlot; ++i)
        if (settings.at(i) != 0) return false;
    return true;
}

std::string DataFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        base = std::string(home) + "/.config";
    } else {
        return {};
    }
    if (base.back() != '/') base += '/';
    return base + "QV530-10800rad/";
}

std::string SideFilePathFor(const std::string& binPath) {
    // Only the file name changes: a ".bin" in a folder name would otherwise
    // send the side file into a folder that does not exist.
    std::string path = binPath;
    for (auto at = path.find(".bin", FileNameStart(path)); at != std::string::npos; at = path.find(".bin", at + 4))
        path.replace(at, 4, ".ini");
    return path;
}

ConfigFiles::ConfigFiles(std::string dataFolder, std::uint8_t profileFileIndex) : folder_(std::move(dataFolder)) {
    SetStorePaths();
    configPath_ = Indexed(folder_, "config", profileFileIndex, ".bin");
    sideFilePath_ = Indexed(folder_, "str", profileFileIndex, ".ini");
}

void ConfigFiles::SetStorePaths() {
    macroStorePath_ = folder_ + "record.ini";
    profileListPath_ = folder_ + "str.ini";
}

std::size_t ConfigFiles::ReadConfigFile(const std::string& path, MouseSettings& settings, DeviceState& state,
                                        const char* missingLine) {
    if (!FileExists(path)) {
        DebugWrite(missingLine);
        return 0;
    }
    const auto bytes = ReadFilePrefix(path, config_file::kSize);
    if (!bytes) {
        DebugWrite(missingLine);
        return 0;
    }
    int recordBytes = 0;
    if (!bytes->empty()) {
        state.firstRunFlag = (*bytes)[config_file::kFlag];
        recordBytes = static_cast<int>(bytes->size() - config_file::kRecord);
        std::memcpy(settings.data(), bytes->data() + config_file::kRecord, static_cast<std::size_t>(recordBytes));
    }
    DebugPrintf("Program First Run Flag:%d\nRead Size is: %d", state.firstRunFlag, recordBytes);
    return bytes->size();
}

ProfileLoad ConfigFiles::LoadCurrentProfile(MouseSettings& settings, DeviceState& state) {
    SetStorePaths();
    ProfileLoad load;
    if (state.useFactoryFiles == 1) {
        configPath_ = folder_ + "config.bin";
        sideFilePath_ = folder_ + "str.ini";
    } else {
        const IniDocument list = LoadIni(profileListPath_);
        const auto index = ResolveCurrentProfile(list);
        load.listValid = index.valid;
        if (!index.valid) state.profileFileIndex = 0;
        else if (index.position >= 0) state.profileFileIndex = static_cast<std::uint8_t>(index.position);
        configPath_ = Indexed(folder_, "config", state.profileFileIndex, ".bin");
        sideFilePath_ = Indexed(folder_, "str", state.profileFileIndex, ".ini");
    }
    if (load.listValid) {
        load.configLoaded = ReadConfigFile(configPath_, settings, state, kMissingConfig) > 0;
    } else {
        // Without a list the first profile's file counts only when it holds
        // the whole record; anything less would leave zeros to send.
        MouseSettings first = settings;
        DeviceState firstState = state;
        load.configLoaded = ReadConfigFile(configPath_, first, firstState, kMissingConfig) == config_file::kSize &&
                            !HoldsNoSettings(first);
        const std::string problem = "The profile list in " + profileListPath_ + " names no profiles (ItemCount is not 1 to 6); ";
        if (load.configLoaded) {
            settings = first;
            state = firstState;
            load.notice = problem + "the first profile, " + configPath_ + ", was loaded.";
        } else {
            ResetToDefaults(settings);
            load.notice = problem + configPath_ + " could not be read either, so the factory settings are shown.";
        }
    }
    RebuildMacroSlotsFromStore(settings, macroStorePath_);
    return load;
}

void ConfigFiles::LoadProfileFiles(int index, MouseSettings& settings, DeviceState& state) {
    SetStorePaths();
    sideFilePath_ = Indexed(folder_, "str", index, ".ini");
    configPath_ = Indexed(folder_, "config", index, ".bin");
    ReadConfigFile(configPath_, settings, state, kMissingProfileConfig);
}

void ConfigFiles::LoadFactoryFiles(MouseSettings& settings, DeviceState& state) {
    SetStorePaths();
    sideFilePath_ = folder_ + "str.ini";
    configPath_ = folder_ + "config.bin";
    ReadConfigFile(configPath_, settings, state, kMissingConfig);
}

void ConfigFiles::ReadSideFile(const std::string& path) {
    const IniDocument file = LoadIni(path);
    if (!settingsSection.empty())
        for (std::size_t i = 0; i < kCaptionCount; ++i)
            side.captions[i] = file.Get(settingsSection, "Item" + std::to_string(i + 1));
    side.skinRed = file.Get(kSkins, "RColor");
    side.skinGreen = file.Get(kSkins, "GColor");
    side.skinBlue = file.Get(kSkins, "BColor");
    side.skinPath = file.Get(kSkins, "Path");
    side.sensitivityX = file.Get(kPoint, "SensitivityX_Y");
    side.sensitivityY = file.Get(kPoint, "SensitivityY_Y");
    side.sensitivity = file.Get(kPoint, "Sensitivity_Y");
    side.mouseSpeed = file.Get(kPoint, "MouseSpeed_Y");
}

void ConfigFiles::WriteFailed(const std::string& path, int error) {
    DebugPrintf("Error Code is: %d \n", error);
    if (error == kNotARegularFile) writeFailures_.push_back("cannot write " + path + ": it is not a regular file");
    else if (error == kFileTooLarge) writeFailures_.push_back("cannot write " + DescribeReadError(path, error));
    else writeFailures_.push_back(DescribeWriteError(path, error));
}

std::vector<std::string> ConfigFiles::TakeWriteFailures() { return std::exchange(writeFailures_, {}); }

bool ConfigFiles::WriteConfigFile(const std::string& path, const MouseSettings& settings, DeviceState& state) {
    if (HoldsNoSettings(settings)) {
        writeFailures_.push_back("the profile was never loaded, so " + path + " was not written");
        return false;
    }
    std::array<std::uint8_t, config_file::kSize> image{};
    image[config_file::kFlag] = config_file::kSavedFlag;
    std::memcpy(image.data() + config_file::kRecord, settings.data(), kMouseSettingsSize);
    const int error = WriteFileAtomic(path, image.data(), image.size());
    if (error != 0) {
        WriteFailed(path, error);
        return false;
    }
    state.firstRunFlag = config_file::kSavedFlag;
    DebugPrintf("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1, static_cast<int>(kMouseSettingsSize),
                static_cast<int>(kMouseSettingsSize));
    return true;
}

bool ConfigFiles::SaveCurrentProfile(const MouseSettings& settings, DeviceState& state) {
    configPath_ = Indexed(folder_, "config", state.profileFileIndex, ".bin");
    sideFilePath_ = Indexed(folder_, "str", state.profileFileIndex, ".ini");
    return WriteConfigFile(configPath_, settings, state);
}

bool ConfigFiles::WriteCaptions(const std::string& path) {
    if (settingsSection.empty()) return true;
    IniDocument file;
    if (const int error = LoadIniForEdit(path, file); error != 0) {
        WriteFailed(path, error);
        return false;
    }
    for (std::size_t i = 0; i < kWrittenCaptions; ++i)
        file.Set(settingsSection, "Item" + std::to_string(i + 1), side.captions[i]);
    if (const int error = SaveIni(path, file); error != 0) {
        WriteFailed(path, error);
        return false;
    }
    return true;
}

void ConfigFiles::InitialiseIfNeeded(bool strict, MouseSettings& settings, DeviceState& state) {
    const std::string value = ReadProfileString(sideFilePath_, kProfile, kIsDefault);
    const bool initialise = value == "N" || (strict && value.empty());
    if (initialise) {
        ResetToDefaults(settings);
        // Marked only once the defaults are on disk: otherwise the next
        // start would take a missing or old file for the profile.
        if (!SaveCurrentProfile(settings, state)) return;
        // A profile set to the defaults before it ever had captions (the first
        // start) takes the factory captions, so its buttons are not left blank.
        if (!settingsSection.empty() && !LoadIni(sideFilePath_).HasKey(settingsSection, "Item1")) {
            const IniDocument factory = LoadIni(profileListPath_);
            for (std::size_t i = 0; i < kCaptionCount; ++i)
                if (side.captions[i].empty())
                    side.captions[i] = factory.Get(settingsSection, "Item" + std::to_string(i + 1));
            WriteCaptions();
        }
    }
    if (value == "Y") return; // already marked
    if (const int error = WriteProfileString(sideFilePath_, kProfile, kIsDefault, "Y"); error != 0)
        WriteFailed(sideFilePath_, error);
}

ConfigFiles::ExportResult ConfigFiles::ExportProfile(const std::string& chosenPath, MouseSettings& settings,
                                                     DeviceState& state) {
    ExportResult result{chosenPath, false};
    if (result.path.find(".bin", FileNameStart(result.path)) == std::string::npos) result.path += ".bin";
    WriteCaptions(SideFilePathFor(result.path));
    result.written = WriteConfigFile(result.path, settings, state);
    LoadCurrentProfile(settings, state);
    InitialiseIfNeeded(false, settings, state);
    return result;
}

ConfigFiles::ImportResult ConfigFiles::ImportProfile(const std::string& chosenPath, MouseSettings& settings,
                                                     DeviceState& state) {
    if (chosenPath.find(".bin", FileNameStart(chosenPath)) == std::string::npos) return ImportResult::NotABinFile;
    if (!FileExists(chosenPath)) {
        DebugWrite(kMissingConfig);
        return ImportResult::Missing;
    }
    ImportResult result = ImportResult::WrongSize;
    if (FileSize(chosenPath) == static_cast<long long>(config_file::kSize)) {
        ReadConfigFile(chosenPath, settings, state, kMissingConfig);
        result = ImportResult::Imported;
    }
    ReadSideFile(SideFilePathFor(chosenPath));
    return result;
}

} // namespace qv530
