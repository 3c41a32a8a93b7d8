#pragma once
// The devices over the program's run: discovery at start-up, the two reader
// threads, and the handling of plug and unplug events. What the window must
// do in answer (tray icon, notices, hiding) comes back as DeviceChangeEffects.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "device/Discovery.h"
#include "device/MouseCommands.h"
#include "device/ReaderThread.h"
#include "platform/UdevMonitor.h"
#include "settings/MouseSettings.h"

namespace qv530 {

// Event codes of device arrival and removal (kDeviceArrival, kDeviceRemoveComplete).

struct DeviceChangeEffects {
    enum class Tray { Unchanged, Add, Remove };
    bool handled = false;          // false: the event was not about our devices
    std::vector<int> notices;      // device notices to post (14 mouse found, 15 last mouse gone)
    bool hideWindow = false;
    Tray tray = Tray::Unchanged;
    std::optional<StageTable> dpiTable; // the stage table the DPI page must show
    bool reloadProfile = false;    // a mouse arrived: the caller reads the current profile again
    bool padChanged = false;       // the settings panel shows or hides its pad section
    bool checkFirmware = false;
};

class DeviceSession {
public:
    DeviceSession(HidBackend& backend, DeviceLink& link, MouseSettings& settings, DeviceState& state,
                  ReaderThread::Deliver deliver);
    ~DeviceSession();

    // Start-up discovery: both mice (each only when both its interfaces
    // open) and the pad; the device-state values of a found mouse are cleared.
    void DiscoverAll();
    // Starts both reader threads; each runs once its mouse is connected.
    // False when a thread could not be created.
    bool StartReaders();
    // Ends the reader threads and closes every handle.
    void Shutdown();

    // Arrival (kDeviceArrival) or removal (kDeviceRemoveComplete) of the device named by path.
    DeviceChangeEffects OnDeviceChange(int event, std::string_view path);

    // The stage table of the connected mice (A1DC first, so A wins when both are present).
    std::optional<StageTable> DpiTable() const;

    Discovery& discovery() { return discovery_; }
    DeviceLink& link() { return link_; }

private:
    void FindMice();
    void ClearDeviceState();
    ReaderThread& Reader(MouseVariant variant) { return variant == MouseVariant::A11D ? *a11dReader_ : *a1dcReader_; }

    DeviceLink& link_;
    MouseSettings& settings_;
    DeviceState& state_;
    Discovery discovery_;
    std::unique_ptr<ReaderThread> a11dReader_;
    std::unique_ptr<ReaderThread> a1dcReader_;
};

// Which of our products a device path names: the kernel's HID device name
// carries "04D9:A11D" and the like, upper case.
bool PathNamesMouse(std::string_view path);
bool PathNamesPad(std::string_view path);

} // namespace qv530
