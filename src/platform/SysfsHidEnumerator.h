#pragma once
// Lists the hidraw nodes of the system from sysfs: IDs, the kernel's HID
// device name, the firmware version and the capabilities of every top-level
// collection (from the report descriptor).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HidDevice.h"

namespace qv530 {

// Walks <sysfsRoot>/class/hidraw/ in node-number order. path is
// <devRoot>/hidrawN. An entry without a readable HID_ID is left out; an entry
// whose report descriptor cannot be read is kept with descriptorRead false
// and no collections. The version is the bcdDevice of the USB device above
// the HID device (0 when there is none, e.g. for Bluetooth or uhid devices).
std::vector<HidInterfaceInfo> ScanHidraw(const std::string& sysfsRoot = "/sys", const std::string& devRoot = "/dev");

struct HidId {
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// The HID_ID line of a HID device's uevent file ("HID_ID=0003:000004D9:0000A11D").
std::optional<HidId> ParseHidIdLine(std::string_view uevent);

} // namespace qv530
