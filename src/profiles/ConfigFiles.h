#pragma once
// The configuration files in the data folder: config.bin / config%d.bin
// (a flag byte then the 1884-byte record) and their INI side files
// str.ini / str%d.ini, with export to and import from a file of the user's.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/MouseSettings.h"

namespace qv530 {

// Layout of a configuration file.
namespace config_file {
inline constexpr std::size_t kFlag = 0;
inline constexpr std::size_t kRecord = 1;
inline constexpr std::size_t kSize = kRecord + kMouseSettingsSize; // 1885
inline constexpr std::uint8_t kSavedFlag = 1;
} // namespace config_file

inline constexpr std::size_t kCaptionCount = 8;      // Item1..Item8 are read
inline constexpr std::size_t kWrittenCaptions = 7;   // Item1..Item7 are written
inline constexpr int kMaxProfiles = 6;

// Values of the side file besides the captions.
struct SideFileValues {
    std::array<std::string, kCaptionCount> captions; // captions of buttons 1..8
    std::string skinRed, skinGreen, skinBlue, skinPath;
    std::string sensitivityX, sensitivityY, sensitivity, mouseSpeed;
};

// The data folder: $XDG_CONFIG_HOME (or ~/.config) + "/QV530-10800rad/".
// Empty when neither can be found, so names are relative to the current folder.
std::string DataFolder();

// True when the record holds no settings at all (every byte before the
// macro area is zero): a record that was never loaded. Such a record is
// never sent nor saved.
bool HoldsNoSettings(const MouseSettings& settings);

// How the current profile was loaded.
struct ProfileLoad {
    bool listValid = true;     // false: the profile list's ItemCount is not 1..6
    bool configLoaded = false; // the configuration file was read
    // The configuration file exists but is no profile (wrong size, not a
    // regular file, unreadable): the record holds the factory settings
    // instead, and the file is kept aside before anything is saved there.
    bool damaged = false;
    // Set when the record is not the profile the list names: what was
    // loaded instead and why, in English.
    std::string notice;
    explicit operator bool() const { return listValid; }
};

// Replaces every ".bin" of the file-name part of path by ".ini".
std::string SideFilePathFor(const std::string& binPath);

// The file side of a profile: the data folder, the current profile's paths,
// its side-file values and the caption section. A plain value: the record
// and the device-state values it reads and writes are passed to each call,
// so a worker thread can work on copies of all three.
class ConfigFiles {
public:
    ConfigFiles(std::string dataFolder, std::uint8_t profileFileIndex = 0);

    // The section that holds the captions ("Setting-EN", ...); empty when the
    // language matched none, and then no captions are read or written.
    std::string settingsSection;
    SideFileValues side;

    const std::string& dataFolder() const { return folder_; }
    const std::string& configPath() const { return configPath_; }
    const std::string& sideFilePath() const { return sideFilePath_; }
    const std::string& macroStorePath() const { return macroStorePath_; }
    const std::string& profileListPath() const { return profileListPath_; }

    // Resolves the current profile from the profile list (or the factory
    // files while UseFactoryFiles is set), reads its configuration file and
    // rebuilds the macro slots from the store. When the profile list is
    // invalid the first profile's files (config0.bin, str0.ini) are used
    // where its configuration file reads whole, else the record becomes the
    // factory defaults; the result is then false and its notice says so.
    ProfileLoad LoadCurrentProfile(MouseSettings& settings, DeviceState& state);
    void LoadProfileFiles(int index, MouseSettings& settings, DeviceState& state);
    // Points the configuration and side-file paths at position index (the
    // profile moved there); nothing is read.
    void PointAt(int index);
    void LoadFactoryFiles(MouseSettings& settings, DeviceState& state);
    void ReadSideFile(const std::string& path);
    void ReadSideFile() { ReadSideFile(sideFilePath_); }
    // Writes config%d.bin of ProfileFileIndex; false when it could not be
    // written or the record holds no settings (see HoldsNoSettings).
    bool SaveCurrentProfile(const MouseSettings& settings, DeviceState& state);
    // Saves the profile as one change (through the journal): config%d.bin of
    // ProfileFileIndex and its side file with the captions and "IsDefault" =
    // "Y". A damaged file in either place is kept aside first. False when it
    // was not saved (the reason is in TakeWriteFailures()).
    bool SaveProfileFiles(const MouseSettings& settings, DeviceState& state);
    // Writes Item1..Item7 of the captions into the side file at path; false
    // when the file could not be written.
    bool WriteCaptions(const std::string& path) { return WriteSideFile(path, false); }
    // The current profile's side file after a save: its captions and
    // "IsDefault" = "Y", so a profile the user saved is never initialised again.
    bool WriteCaptions() { return WriteSideFile(sideFilePath_, true); }
    // The "IsDefault" rule: strict at start-up and on switching profiles,
    // lenient after an export. "IsDefault=Y" is written only once the
    // defaults are saved, so a failed save initialises again next time.
    void InitialiseIfNeeded(bool strict, MouseSettings& settings, DeviceState& state);

    // The writes that failed since the last call, one message each naming
    // the file and the reason ("cannot write PATH: No space left on device").
    std::vector<std::string> TakeWriteFailures();

    // Writes the profile to a file the user chose and reloads the current
    // profile. The path is the one written (".bin" appended when the name has
    // none); written is false when the configuration file could not be written.
    struct ExportResult {
        std::string path;
        bool written = false;
        std::string error; // why not, naming the file
    };
    ExportResult ExportProfile(const std::string& chosenPath, MouseSettings& settings, DeviceState& state);
    // Only the export's two files: no reload, nothing in the data folder.
    ExportResult WriteExport(const std::string& chosenPath, const MouseSettings& settings, DeviceState& state);
    // Unreadable: a folder, a FIFO or a file we may not read (ConfigFileDamage says which).
    enum class ImportResult { NotABinFile, Missing, Unreadable, WrongSize, Imported };
    // Reads a profile from a file the user chose into the record (nothing is
    // sent or saved); the side file beside it is read in any case.
    ImportResult ImportProfile(const std::string& chosenPath, MouseSettings& settings, DeviceState& state);

    // Reads a configuration file into the record: the flag and the record,
    // only from a regular file of exactly 1885 bytes. Returns the bytes read;
    // 0 when the file is missing (then damage() is empty) or is no profile
    // file (then damage() says why, and the record is untouched).
    std::size_t ReadConfigFile(const std::string& path, MouseSettings& settings, DeviceState& state,
                        const char* missingLine = "Config file is not exist.\n");
    // Why the last configuration file read was refused ("PATH has 100 bytes;
    // a profile file has 1885"); empty when it was read or missing.
    const std::string& damage() const { return damage_; }
    // The files kept aside since the last call, one English line each.
    std::vector<std::string> TakeNotes();

private:
    void SetStorePaths();
    bool WriteSideFile(const std::string& path, bool markInitialised);
    // Renames a file that is no profile file (damage says why) aside before
    // its name is written; false (a write failure) when it cannot be moved.
    bool KeepDamagedAside(const std::string& path, const std::string& damage);
    bool WriteConfigFile(const std::string& path, const MouseSettings& settings, DeviceState& state);
    void WriteFailed(const std::string& path, int error);

    std::string folder_;
    std::string configPath_;
    std::string sideFilePath_;
    std::string macroStorePath_;
    std::string profileListPath_;
    std::vector<std::string> writeFailures_;
    std::vector<std::string> notes_;
    std::string damage_;
    // The current profile's file was damaged when it was loaded: the
    // IsDefault rule leaves it alone.
    bool loadedDamaged_ = false;
};

// Why the file at path is no profile file ("PATH has 100 bytes; ..."); empty
// when it is one or when nothing is there.
std::string ConfigFileDamage(const std::string& path);

} // namespace qv530
