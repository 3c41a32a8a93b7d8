#include "platform/UdevMonitor.h"

#include <libudev.h>

namespace qv530 {
namespace {

constexpr const char* kSubsystem = "hidraw";

std::string TextOrEmpty(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

} // namespace

int DeviceChangeEventCode(const UdevEvent& event) {
    if (event.subsystem != kSubsystem) return 0;
    if (event.action == "add") return kDeviceArrival;
    if (event.action == "remove") return kDeviceRemoveComplete;
    return 0;
}

UdevMonitor::~UdevMonitor() { Close(); }

bool UdevMonitor::Open() {
    Close();
    udev_ = udev_new();
    if (udev_ == nullptr) return false;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor_, kSubsystem, nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0 || udev_monitor_get_fd(monitor_) < 0) {
        Close();
        return false;
    }
    return true;
}

void UdevMonitor::Close() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
    monitor_ = nullptr;
    udev_ = nullptr;
}

int UdevMonitor::fd() const { return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1; }

std::optional<UdevEvent> UdevMonitor::Receive() {
    if (monitor_ == nullptr) return std::nullopt;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) return std::nullopt;
    UdevEvent event{TextOrEmpty(udev_device_get_action(device)), TextOrEmpty(udev_device_get_devpath(device)),
                    TextOrEmpty(udev_device_get_subsystem(device))};
    udev_device_unref(device);
    return event;
}

} // namespace qv530
