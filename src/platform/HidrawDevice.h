#pragma once
// HidDevice on a Linux hidraw node, and the backend that finds and opens them.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/HidDevice.h"
#include "platform/HidSysCalls.h"

namespace qv530 {

// One open /dev/hidrawN. Feature reports and output reports already carry the
// report ID in byte 0 (0 when unnumbered) on hidraw, exactly as on Windows.
// Input reports of a device without numbered reports arrive from hidraw
// without the ID byte; Read puts a 0 in front of them.
class HidrawDevice final : public HidDevice {
public:
    // Takes ownership of fd (the hidraw node) and cancelFd (an eventfd
    // opened non-blocking); both are closed through calls when destroyed.
    HidrawDevice(HidSysCalls& calls, int fd, int cancelFd, bool numberedReports);
    ~HidrawDevice() override;
    HidrawDevice(const HidrawDevice&) = delete;
    HidrawDevice& operator=(const HidrawDevice&) = delete;

    bool SetFeature(std::span<const std::uint8_t> report) override;
    bool GetFeature(std::span<std::uint8_t> report) override;
    bool Write(std::span<const std::uint8_t> report) override;
    // A read that ends without data (the node reporting end of file) counts
    // as an error, so a caller that loops on Read never spins.
    int Read(std::span<std::uint8_t> report) override;
    void CancelRead() override;
    void ResetCancel() override;

    // The largest report the hidraw feature ioctls can carry: their length
    // travels in the 14-bit size field of the request code.
    static constexpr std::size_t kMaxFeatureLength = 0x3FFF;

private:
    HidSysCalls& calls_;
    int fd_;
    int cancelFd_;
    bool numberedReports_;
};

// Enumerates through the sysfs scan and opens /dev/hidrawN nodes.
class LinuxHidBackend final : public HidBackend {
public:
    explicit LinuxHidBackend(std::string sysfsRoot = "/sys", std::string devRoot = "/dev",
                             HidSysCalls& calls = SystemHidSysCalls());

    std::vector<HidInterfaceInfo> Enumerate() override;
    // Opens info.path read-write or read-only (close-on-exec). On failure the
    // result carries errno; EACCES means the node's permissions keep us out.
    OpenResult Open(const HidInterfaceInfo& info, OpenMode mode) override;

private:
    std::string sysfsRoot_;
    std::string devRoot_;
    HidSysCalls& calls_;
};

} // namespace qv530
