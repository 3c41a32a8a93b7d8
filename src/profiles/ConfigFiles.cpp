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
#include "profiles/StoreJournal.h"

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

std::string ConfigFileDamage(const std::string& path) {
    if (!PathExists(path)) return {};
    const auto bytes = ReadFilePrefix(path, config_file::kSize + 1);
    if (!bytes) return DescribeReadError(path, errno);
    if (bytes->size() != config_file::kSize)
        return path + " has " + (bytes->size() > config_file::kSize ? "more than " + std::to_string(config_file::kSize)
                                                                    : std::to_string(bytes->size())) +
               " bytes; a profile file has " + std::to_string(config_file::kSize);
    return {};
}

std::size_t ConfigFiles::ReadConfigFile(const std::string& path, MouseSettings& settings, DeviceState& state,
                                        const char* missingLine) {
    damage_.clear();
    if (!PathExists(path)) {
        DebugWrite(missingLine);
        return 0;
    }
    // A file of another size is no profile: taking its bytes would send and
    // save a record with zeros or another file's bytes where settings belong.
    const auto bytes = ReadFilePrefix(path, config_file::kSize + 1);
    if (!bytes || bytes->size() != config_file::kSize) {
        damage_ = ConfigFileDamage(path);
        if (damage_.empty()) damage_ = path + " cannot be read";
        DebugPrintf("Config file is damaged: %s\n", damage_.c_str());
        return 0;
    }
    state.firstRunFlag = (*bytes)[config_file::kFlag];
    std::memcpy(settings.data(), bytes->data() + config_file::kRecord, kMouseSettingsSize);
    DebugPrintf("Program First Run Flag:%d\nRead Size is: %d", state.firstRunFlag, static_cast<int>(kMouseSettingsSize));
    return bytes->size();
}

std::vector<std::string> ConfigFiles::TakeNotes() { return std::exchange(notes_, {}); }

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
    loadedDamaged_ = false;
    if (load.listValid) {
        load.configLoaded = ReadConfigFile(configPath_, settings, state, kMissingConfig) > 0;
        if (!damage_.empty()) {
            // Shown as the factory settings; the file stays until something
            // is saved in its place, and is then kept aside.
            load.damaged = loadedDamaged_ = true;
            load.notice = damage_ + ". It is not a profile file, so the factory settings are shown; it is kept as it is, "
                                    "and moved aside under a name ending in .damaged before anything is saved in its place.";
            const std::string config = configPath_, sidePath = sideFilePath_;
            MouseSettings factory = settings;
            DeviceState factoryState = state;
            if (ReadConfigFile(folder_ + "config.bin", factory, factoryState, kMissingConfig) > 0) settings = factory;
            ResetToDefaults(settings);
            settings.at(field::kProfileSlot) = state.profileFileIndex;
            configPath_ = config;
            sideFilePath_ = sidePath;
        }
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

void ConfigFiles::PointAt(int index) {
    configPath_ = Indexed(folder_, "config", index, ".bin");
    sideFilePath_ = Indexed(folder_, "str", index, ".ini");
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

bool ConfigFiles::KeepDamagedAside(const std::string& path, const std::string& damage) {
    if (damage.empty()) return true;
    std::string error;
    const std::string kept = KeepAside(path, error);
    if (kept.empty()) {
        writeFailures_.push_back(damage + "; it could not be kept aside (" + error + "), so it was not overwritten");
        return false;
    }
    notes_.push_back(damage + "; it was kept as " + kept);
    return true;
}

bool ConfigFiles::SaveCurrentProfile(const MouseSettings& settings, DeviceState& state) {
    configPath_ = Indexed(folder_, "config", state.profileFileIndex, ".bin");
    sideFilePath_ = Indexed(folder_, "str", state.profileFileIndex, ".ini");
    if (HoldsNoSettings(settings)) return WriteConfigFile(configPath_, settings, state);
    // A damaged file in the profile's place is kept, never overwritten.
    if (!KeepDamagedAside(configPath_, ConfigFileDamage(configPath_))) return false;
    loadedDamaged_ = false;
    return WriteConfigFile(configPath_, settings, state);
}

bool ConfigFiles::SaveProfileFiles(const MouseSettings& settings, DeviceState& state) {
    configPath_ = Indexed(folder_, "config", state.profileFileIndex, ".bin");
    sideFilePath_ = Indexed(folder_, "str", state.profileFileIndex, ".ini");
    if (HoldsNoSettings(settings)) {
        writeFailures_.push_back("the profile was never loaded, so " + configPath_ + " was not written");
        return false;
    }
    // Damaged files are kept, never overwritten.
    const int sideProblem = CheckWritableTarget(sideFilePath_);
    const std::string sideDamage =
        sideProblem == 0 ? std::string() : DescribeReadError(sideFilePath_, sideProblem);
    if (!KeepDamagedAside(configPath_, ConfigFileDamage(configPath_)) || !KeepDamagedAside(sideFilePath_, sideDamage))
        return false;

    IniDocument sideFile;
    if (const int error = LoadIniForEdit(sideFilePath_, sideFile); error != 0) {
        WriteFailed(sideFilePath_, error);
        return false;
    }
    if (!settingsSection.empty())
        for (std::size_t i = 0; i < kWrittenCaptions; ++i)
            sideFile.Set(settingsSection, "Item" + std::to_string(i + 1), side.captions[i]);
    sideFile.Set(kProfile, kIsDefault, "Y");
    std::string image(config_file::kSize, '\0');
    image[config_file::kFlag] = static_cast<char>(config_file::kSavedFlag);
    std::memcpy(image.data() + config_file::kRecord, settings.data(), kMouseSettingsSize);
    const auto name = [](const std::string& path) { return path.substr(FileNameStart(path)); };
    // The side file first: a configuration file is never newer than its captions.
    const JournalResult saved =
        CommitChanges(folder_, {{name(sideFilePath_), sideFile.Serialize()}, {name(configPath_), image}});
    if (!saved.done) {
        DebugPrintf("Error Code is: %d \n", ENOSPC);
        writeFailures_.push_back(saved.error);
        return false;
    }
    state.firstRunFlag = config_file::kSavedFlag;
    loadedDamaged_ = false;
    DebugPrintf("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1, static_cast<int>(kMouseSettingsSize),
                static_cast<int>(kMouseSettingsSize));
    return true;
}

bool ConfigFiles::WriteSideFile(const std::string& path, bool markInitialised) {
    if (settingsSection.empty() && !markInitialised) return true;
    IniDocument file;
    if (const int error = LoadIniForEdit(path, file); error != 0) {
        WriteFailed(path, error);
        return false;
    }
    const IniDocument before = file;
    if (!settingsSection.empty())
        for (std::size_t i = 0; i < kWrittenCaptions; ++i)
            file.Set(settingsSection, "Item" + std::to_string(i + 1), side.captions[i]);
    if (markInitialised) file.Set(kProfile, kIsDefault, "Y");
    if (file.Serialize() == before.Serialize() && FileExists(path)) return true;
    if (const int error = SaveIni(path, file); error != 0) {
        WriteFailed(path, error);
        return false;
    }
    return true;
}

void ConfigFiles::InitialiseIfNeeded(bool strict, MouseSettings& settings, DeviceState& state) {
    // A damaged configuration file is shown as the defaults already and is
    // left alone until the user saves.
    if (loadedDamaged_) return;
    const std::string value = ReadProfileString(sideFilePath_, kProfile, kIsDefault);
    // An empty value initialises only a profile that has no saved
    // configuration yet: a side file that is missing or cannot be read must
    // never reset a profile the user saved.
    const bool saved = FileExists(configPath_) && ConfigFileDamage(configPath_).empty() &&
                       state.firstRunFlag == config_file::kSavedFlag;
    const bool initialise = value == "N" || (strict && value.empty() && !saved);
    if (initialise) {
        ResetToDefaults(settings);
        ReadSideFile();
        // A profile set to the defaults before it ever had captions (the first
        // start) takes the factory captions, so its buttons are not left blank.
        if (!settingsSection.empty() && !LoadIni(sideFilePath_).HasKey(settingsSection, "Item1")) {
            const IniDocument factory = LoadIni(profileListPath_);
            for (std::size_t i = 0; i < kCaptionCount; ++i)
                if (side.captions[i].empty())
                    side.captions[i] = factory.Get(settingsSection, "Item" + std::to_string(i + 1));
        }
        // The defaults, the captions and "IsDefault" = "Y" in one change: a
        // failed save leaves it unmarked, so the next start initialises again.
        SaveProfileFiles(settings, state);
        return;
    }
    if (value == "Y") return; // already marked
    // A side file that is no file (a folder, a FIFO) is left alone here; a
    // save keeps it aside.
    if (CheckWritableTarget(sideFilePath_) != 0) return;
    if (const int error = WriteProfileString(sideFilePath_, kProfile, kIsDefault, "Y"); error != 0)
        WriteFailed(sideFilePath_, error);
}

ConfigFiles::ExportResult ConfigFiles::ExportProfile(const std::string& chosenPath, MouseSettings& settings,
                                                     DeviceState& state) {
    ExportResult result = WriteExport(chosenPath, settings, state);
    LoadCurrentProfile(settings, state);
    InitialiseIfNeeded(false, settings, state);
    return result;
}

ConfigFiles::ExportResult ConfigFiles::WriteExport(const std::string& chosenPath, const MouseSettings& settings,
                                                   DeviceState& state) {
    ExportResult result{chosenPath, false, {}};
    if (result.path.find(".bin", FileNameStart(result.path)) == std::string::npos) result.path += ".bin";
    const std::size_t failuresBefore = writeFailures_.size();
    // The configuration file first: a side file alone is no export.
    result.written = WriteConfigFile(result.path, settings, state) && WriteCaptions(SideFilePathFor(result.path));
    if (!result.written && writeFailures_.size() > failuresBefore) result.error = writeFailures_.back();
    return result;
}

ConfigFiles::ImportResult ConfigFiles::ImportProfile(const std::string& chosenPath, MouseSettings& settings,
                                                     DeviceState& state) {
    if (chosenPath.find(".bin", FileNameStart(chosenPath)) == std::string::npos) return ImportResult::NotABinFile;
    if (!PathExists(chosenPath)) {
        DebugWrite(kMissingConfig);
        return ImportResult::Missing;
    }
    if (!FileExists(chosenPath)) return ImportResult::Unreadable;
    ImportResult result = ImportResult::WrongSize;
    if (FileSize(chosenPath) == static_cast<long long>(config_file::kSize)) {
        if (ReadConfigFile(chosenPath, settings, state, kMissingConfig) == 0) return ImportResult::Unreadable;
        result = ImportResult::Imported;
    }
    ReadSideFile(SideFilePathFor(chosenPath));
    return result;
}

} // namespace qv530
