#pragma once
// Making another profile current, creating one, and moving a profile to and
// from a file of the user's: the operations behind the profile dialog's close,
// Load and Save, shared by the window and qv530ctl. Nothing is sent to a
// device; the user applies.
#include <string>

#include "profiles/ConfigFiles.h"
#include "profiles/ProfileFileMoves.h"

namespace qv530 {

// Switch: profile index becomes current (CurrentProfile, the record's
// profile slot and ProfileFileIndex), its files are loaded, the strict
// "IsDefault" rule runs, its side file is read, and the record and captions
// are saved back. A position whose configuration file is missing is created
// as New creates one, and a configuration file without its side file is
// taken as it is rather than reset to the defaults. A configuration file
// that is no profile file is shown as the factory settings and not saved
// over; the returned text then says so (empty otherwise).
std::string SwitchToProfile(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state);

// Create: profile index becomes current with the factory file's record and
// the defaults over it (so it starts with the factory file's macro area),
// the factory side file's captions, and is saved with "IsDefault" = "Y".
void CreateProfileAt(int index, ConfigFiles& files, MouseSettings& settings, DeviceState& state);

// The files New gives profile index: the factory record with the defaults
// over it, the factory captions, "IsDefault" = "Y". Nothing is written.
NewProfileFiles MakeNewProfileFiles(const ConfigFiles& current, int index);

// Load: a 1885-byte file and the side file beside it are read into the
// record and the captions of profile index (ProfileFileIndex), to be saved
// there by the next apply. Any other size, a missing file or a name without
// ".bin" changes nothing. Captions the side file does not hold are named
// from the imported functions.
ConfigFiles::ImportResult ImportIntoProfile(int index, const std::string& path, ConfigFiles& files,
                                            MouseSettings& settings, DeviceState& state);

// Save of a profile that is not the one being edited: the stored files of
// position index (the factory record and the defaults when it has none)
// are written to path (".bin" appended when the name has none) and its side
// file. The current profile's record is untouched.
ConfigFiles::ExportResult ExportStoredProfile(int index, const std::string& path, const ConfigFiles& current);

} // namespace qv530
