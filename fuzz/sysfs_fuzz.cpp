// The sysfs scan and its uevent parser. An input holds a uevent file, then
// after a line "#~file~#" the report descriptor, then after another such
// line the bcdDevice text of the USB device; the scan runs over a fake
// sysfs tree holding them as one hidraw node.
// Properties: the node is listed exactly when its uevent holds a HID_ID
// line the parser takes, with those IDs; its caps are the parser's for the
// descriptor (at most 64 KiB of it); a HID_ID written back reads the same.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/HidReportDescriptor.h"
#include "platform/SysfsHidEnumerator.h"

namespace {

namespace fs = std::filesystem;
constexpr std::string_view kFileMarker = "\n#~file~#\n";
constexpr std::size_t kMaxDescriptorBytes = 64 * 1024;
constexpr const char* kUsbDevice = "devices/pci0000:00/usb1/1-2";
constexpr const char* kHidName = "0003:04D9:A11D.0001";

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

// The fake tree, made once: class/hidraw/hidraw0 -> the HID device's node.
const fs::path& FakeSysfs() {
    static const fs::path root = [] {
        const fs::path base = fs::path(qv530::fuzz::ScratchFolder()) / "sys";
        const fs::path hid = base / kUsbDevice / "1-2:1.0" / kHidName;
        fs::create_directories(hid / "hidraw/hidraw0");
        fs::create_directories(base / "class/hidraw");
        fs::create_directory_symlink(fs::path("../../..") / kHidName, hid / "hidraw/hidraw0/device");
        fs::create_directory_symlink(fs::path("../..") / kUsbDevice / "1-2:1.0" / kHidName / "hidraw/hidraw0",
                                     base / "class/hidraw/hidraw0");
        return base;
    }();
    return root;
}

std::string_view Next(std::string_view& rest) {
    const auto at = rest.find(kFileMarker);
    const std::string_view part = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + kFileMarker.size());
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv530;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view uevent = Next(rest);
    const std::string_view descriptor = Next(rest);
    const std::string_view bcd = Next(rest);

    const auto id = ParseHidIdLine(uevent);
    if (id) {
        char line[64];
        std::snprintf(line, sizeof line, "HID_ID=%04X:%08X:%08X\n", id->bus, id->vendorId, id->productId);
        const auto again = ParseHidIdLine(line);
        FUZZ_CHECK(again && again->bus == id->bus && again->vendorId == id->vendorId &&
                   again->productId == id->productId);
    }

    const fs::path& root = FakeSysfs();
    const fs::path hid = root / kUsbDevice / "1-2:1.0" / kHidName;
    WriteFile(hid / "uevent", uevent);
    WriteFile(hid / "report_descriptor", descriptor);
    WriteFile(root / kUsbDevice / "bcdDevice", bcd);

    const auto found = ScanHidraw(root.string(), "/dev");
    FUZZ_CHECK(found.size() == (id ? 1u : 0u));
    if (!id) return 0;
    const HidInterfaceInfo& info = found.front();
    FUZZ_CHECK(info.vendorId == id->vendorId && info.productId == id->productId);
    FUZZ_CHECK(info.path == "/dev/hidraw0");
    FUZZ_CHECK(info.descriptorRead == !descriptor.empty());
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(descriptor.data()),
                                 std::min(descriptor.size(), kMaxDescriptorBytes));
    FUZZ_CHECK(info.collections == ParseReportDescriptor(bytes));
    if (id->bus != 0x0003) FUZZ_CHECK(info.version == 0);
    return 0;
}
