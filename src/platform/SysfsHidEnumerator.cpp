#include "platform/SysfsHidEnumerator.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/FileIo.h"
#include "platform/HidReportDescriptor.h"

namespace qv530 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::uint16_t kBusUsb = 0x0003;
// HID device -> USB interface -> USB device: bcdDevice sits two levels up.
// A little slack covers drivers that add a level; more would reach the host
// controller or a hub.
constexpr int kMaxLevelsToUsbDevice = 3;
// The kernel keeps report descriptors below 4 KiB; anything bigger is cut.
constexpr std::size_t kMaxDescriptorBytes = 64 * 1024;
constexpr std::size_t kMaxSysfsTextBytes = 64 * 1024;

std::optional<unsigned> NodeNumber(std::string_view name) {
    if (name.size() <= kNodePrefix.size() || name.substr(0, kNodePrefix.size()) != kNodePrefix) return std::nullopt;
    const std::string_view digits = name.substr(kNodePrefix.size());
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> ReadText(const fs::path& path) {
    auto bytes = ReadFilePrefix(path.string(), kMaxSysfsTextBytes);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

// bcdDevice of the USB device the HID device hangs from, 0 when not found.
std::uint16_t FirmwareVersion(const fs::path& hidDevice, const fs::path& devicesRoot) {
    fs::path dir = hidDevice.parent_path();
    for (int level = 0; level < kMaxLevelsToUsbDevice; ++level) {
        if (dir.empty() || dir == devicesRoot || dir == dir.root_path()) break;
        if (const auto text = ReadText(dir / "bcdDevice")) {
            const auto value = ParseHex(Trim(*text));
            return value && *value <= 0xFFFF ? static_cast<std::uint16_t>(*value) : std::uint16_t{0};
        }
        dir = dir.parent_path();
    }
    return 0;
}

std::optional<HidInterfaceInfo> ReadEntry(const fs::path& entry, const std::string& name, const fs::path& sysfsRoot,
                                          const std::string& devRoot) {
    std::error_code error;
    const fs::path device = fs::canonical(entry / "device", error);
    if (error) return std::nullopt;
    const auto uevent = ReadText(device / "uevent");
    if (!uevent) return std::nullopt;
    const auto id = ParseHidIdLine(*uevent);
    if (!id) return std::nullopt;

    HidInterfaceInfo info;
    info.path = devRoot + "/" + name;
    info.kernelName = device.filename().string();
    info.vendorId = id->vendorId;
    info.productId = id->productId;
    if (id->bus == kBusUsb) {
        const fs::path devicesRoot = fs::weakly_canonical(sysfsRoot / "devices", error);
        info.version = FirmwareVersion(device, error ? fs::path{} : devicesRoot);
    }
    const auto descriptor = ReadFilePrefix((device / "report_descriptor").string(), kMaxDescriptorBytes);
    if (descriptor && !descriptor->empty()) {
        info.descriptorRead = true;
        info.collections = ParseReportDescriptor(*descriptor);
    }
    return info;
}

} // namespace

std::optional<HidId> ParseHidIdLine(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        const auto end = uevent.find('\n');
        const std::string_view line = Trim(uevent.substr(0, end));
        uevent = end == std::string_view::npos ? std::string_view{} : uevent.substr(end + 1);
        if (line.substr(0, kKey.size()) != kKey) continue;
        // BBBB:VVVVVVVV:PPPPPPPP
        const std::string_view value = line.substr(kKey.size());
        const auto first = value.find(':');
        const auto second = first == std::string_view::npos ? first : value.find(':', first + 1);
        if (second == std::string_view::npos) return std::nullopt;
        const auto bus = ParseHex(value.substr(0, first));
        const auto vendor = ParseHex(value.substr(first + 1, second - first - 1));
        const auto product = ParseHex(value.substr(second + 1));
        if (!bus || !vendor || !product || *bus > 0xFFFF || *vendor > 0xFFFF || *product > 0xFFFF)
            return std::nullopt;
        return HidId{static_cast<std::uint16_t>(*bus), static_cast<std::uint16_t>(*vendor),
                     static_cast<std::uint16_t>(*product)};
    }
    return std::nullopt;
}

std::vector<HidInterfaceInfo> ScanHidraw(const std::string& sysfsRoot, const std::string& devRoot) {
    const fs::path classDir = fs::path(sysfsRoot) / "class" / "hidraw";
    std::vector<std::pair<unsigned, std::string>> nodes;
    std::error_code error;
    for (fs::directory_iterator it(classDir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (const auto number = NodeNumber(name)) nodes.emplace_back(*number, name);
    }
    std::sort(nodes.begin(), nodes.end());

    std::vector<HidInterfaceInfo> result;
    for (const auto& [number, name] : nodes) {
        if (auto info = ReadEntry(classDir / name, name, sysfsRoot, devRoot)) result.push_back(std::move(*info));
    }
    return result;
}

} // namespace qv530
