#pragma once
// The sequences that carry the record to the devices: the whole
// configuration to one mouse and the pad's lighting. Nothing else ever
// sends settings; saving the profile is the caller's (see usecases/).
#include <functional>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/HidPort.h"
#include "device/MouseCommands.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// Everything a send reads and writes.
struct SendContext {
    const MouseSettings& settings;
    DeviceState& state;
    DeviceLink& link;
    Sleeper& sleeper;
    Trace* trace = nullptr;
    // Runs after each mouse's sequence (the profile save); false when it failed.
    std::function<bool()> afterMouse;
};

// A device that did not take every report of its sequence.
struct DeviceFailure {
    std::string device; // its trace name: "a11d", "a1dc" or "pad"
    int reports = 0;
    friend bool operator==(const DeviceFailure&, const DeviceFailure&) = default;
};

struct ApplyResult {
    int failedReports = 0; // reports a device did not take (a device unplugged mid-way)
    bool saved = true;     // false when a configuration file could not be written
    // Set when nothing was sent or saved, and why (in English).
    std::string refused;
    std::vector<DeviceFailure> failedDevices; // which devices failed, in the order they were sent to
    // Set when the settings were sent but deliberately not saved, and why.
    std::string notSaved;
    // What the user should know although all went well (macro events left out).
    std::vector<std::string> warnings;
};

// The stage table the mice get: A whenever an A11D mouse is connected.
StageTable StageTableInUse(const DeviceLink& link);

// The full configuration to one mouse, ending with afterMouse.
ApplyResult SendAllToMouse(HidPort& port, SendContext& context);
ApplyResult SendPadLighting(HidPort& port, const MouseSettings& settings);
// Every connected mouse, then the pad.
ApplyResult SendToConnectedDevices(SendContext& context);

} // namespace qv530
