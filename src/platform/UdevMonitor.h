#pragma once
// Hot-plug notices for hidraw nodes from udev. Open it before enumerating so
// that a device plugged in between the two is not missed.
#include <optional>
#include <string>

struct udev;
struct udev_monitor;

namespace qv530 {

struct UdevEvent {
    std::string action;    // "add", "remove", "change", ...
    std::string devpath;   // "/devices/.../0003:04D9:A11D.0001/hidraw/hidraw0"
    std::string subsystem; // "hidraw"
    friend bool operator==(const UdevEvent&, const UdevEvent&) = default;
};

// The Windows device-change event an udev event stands for: 0x8000 (arrival)
// for "add", 0x8004 (removal) for "remove", 0 (ignored) for any other action
// or a subsystem other than hidraw.
int DeviceChangeEventCode(const UdevEvent& event);

inline constexpr int kDeviceArrival = 0x8000;
inline constexpr int kDeviceRemoveComplete = 0x8004;

class UdevMonitor {
public:
    UdevMonitor() = default;
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Starts listening to udev's hidraw events. False when udev or its
    // netlink socket is not available (in a container, say); the monitor then
    // stays closed and fd() is -1. Opening again closes the previous one.
    bool Open();
    void Close();
    bool IsOpen() const { return monitor_ != nullptr; }
    // Readable when an event is waiting; -1 while closed. Non-blocking.
    int fd() const;
    // The next waiting event, or nothing when none is waiting or closed.
    std::optional<UdevEvent> Receive();

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

} // namespace qv530
