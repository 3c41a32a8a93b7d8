#pragma once
// The sequences that carry the record to the devices: the whole
// configuration to one mouse, the pad's lighting, apply-and-save and reset.
// Nothing else ever sends settings.
#include <functional>

#include "device/DeviceLink.h"
#include "device/HidPort.h"
#include "device/MouseCommands.h"
#include "settings/ConfigFiles.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// Everything a sequence reads and writes.
struct ApplyContext {
    MouseSettings& settings;
    MouseSettings& sent;
    DeviceState& state;
    ConfigFiles& files;
    DeviceLink& link;
    Sleeper& sleeper;
    Trace* trace = nullptr;
    // Hands the record's pointer settings to the desktop.
    std::function<void()> applyPointerSettings;
};

struct ApplyResult {
    int failedReports = 0; // reports a device did not take (a device unplugged mid-way)
    bool saved = true;     // false when a configuration file could not be written
};

// The stage table the mice get: A whenever an A11D mouse is connected.
StageTable StageTableInUse(const DeviceLink& link);

// The full configuration to one mouse, ending with the profile save.
ApplyResult SendAllToMouse(HidPort& port, ApplyContext& context);
ApplyResult SendPadLighting(HidPort& port, const MouseSettings& settings);
// Apply: every connected mouse, the pad, save, copy to the sent record and
// the desktop's pointer settings.
ApplyResult ApplyAndSave(ApplyContext& context);
// Reset: factory defaults with the profile slot and the macros kept, then apply.
ApplyResult ResetAndApply(ApplyContext& context);
// The window's and the CLI's Apply: the macro slots are rebuilt from the
// store first, then ApplyAndSave.
ApplyResult ApplySettings(ApplyContext& context);

} // namespace qv530
