#pragma once
// What Apply, Reset and a plugged-in mouse do with the profile: send it to
// every connected device, save it and hand the pointer settings to the
// desktop; restore the factory settings; reload the current profile.
#include <functional>

#include "device/ApplySequence.h"
#include "profiles/ConfigFiles.h"

namespace qv530 {

// Everything an apply or reset reads and writes. The window gives its
// worker thread copies (see ProfileSnapshot) and takes them back when done.
struct ApplyContext {
    MouseSettings& settings;
    MouseSettings& sent;
    DeviceState& state;
    ConfigFiles& files;
    DeviceLink& link;
    Sleeper& sleeper;
    Trace* trace = nullptr;
    // Hands the pointer settings of the record to the desktop.
    std::function<void(const MouseSettings&)> applyPointerSettings;
    // The lasting identity of the profile the record belongs to (the window
    // keeps it): the save goes to the position that profile has now, found
    // under the lock; when another program deleted it nothing is saved.
    // Empty: the position in the device state (qv530ctl, which reads the list
    // under the same lock).
    std::string profileId;
};

// A whole profile as one value: a sequence runs on such a copy.
struct ProfileSnapshot {
    MouseSettings settings;
    MouseSettings sent;
    DeviceState state;
    ConfigFiles files;
    std::string profileId; // see ApplyContext::profileId
};

// Apply: every connected mouse, the pad, save, copy to the sent record and
// the desktop's pointer settings. Holds the data folder's lock throughout;
// refuses (result.refused) a record that holds no settings, or when the lock
// cannot be had. Failed writes are in context.files.TakeWriteFailures(); a
// save left out because the profile was deleted is said in result.notSaved.
ApplyResult ApplyAndSave(ApplyContext& context);
// Reset: factory defaults with the profile slot and the macros kept, then apply.
ApplyResult ResetAndApply(ApplyContext& context);
// The window's and the CLI's Apply: the macro slots are rebuilt from the
// store first, then ApplyAndSave.
ApplyResult ApplySettings(ApplyContext& context);

// A mouse was plugged in: the current profile and its side file are read
// again (nothing is sent).
void ReloadProfileAfterPlug(ConfigFiles& files, MouseSettings& settings, DeviceState& state);

} // namespace qv530
