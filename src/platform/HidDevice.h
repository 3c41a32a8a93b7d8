#pragma once
// The transport seam: one opened HID interface. Reports cross it in the
// Windows layout: byte 0 is the report ID, 0 for an interface without
// numbered reports. The protocol code only ever talks to this interface.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qv530 {

class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Sends a feature report (byte 0 the report ID). False when it failed.
    virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
    // Reads a feature report into report; byte 0 holds the report ID to ask
    // for. On failure the buffer is left as it was. False when it failed.
    virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
    // Writes one output report. False when it failed.
    virtual bool Write(std::span<const std::uint8_t> report) = 0;
    // Blocks until an input report arrives, CancelRead is called or the
    // device goes away. Returns the bytes stored (report ID first), 0 when
    // cancelled, -1 on an error such as the device being unplugged.
    virtual int Read(std::span<std::uint8_t> report) = 0;
    // Wakes a Read that is blocked in another thread (and makes the next one
    // return 0 at once until ResetCancel).
    virtual void CancelRead() = 0;
    virtual void ResetCancel() = 0;
};

using HidDevicePtr = std::shared_ptr<HidDevice>;

// What a HID interface reports about itself before it is opened.
struct HidCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Largest report of each kind in bytes, plus one byte for the report ID
    // (0 when the interface has no report of that kind).
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    bool numberedReports = false;
    friend bool operator==(const HidCaps&, const HidCaps&) = default;
};

struct HidInterfaceInfo {
    std::string path;          // the node to open (/dev/hidrawN)
    std::string kernelName;    // the kernel's HID device name, "0003:04D9:A11D.0001"
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0; // firmware version (the USB device's bcdDevice)
    bool descriptorRead = false;
    std::vector<HidCaps> collections; // one entry per top-level collection
};

enum class OpenMode { ReadWrite, ReadOnly };

struct OpenResult {
    HidDevicePtr device; // null when the open failed
    int error = 0;       // errno of the failure
};

// Lists the present HID interfaces and opens them.
class HidBackend {
public:
    virtual ~HidBackend() = default;
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    virtual OpenResult Open(const HidInterfaceInfo& info, OpenMode mode) = 0;
};

} // namespace qv530
