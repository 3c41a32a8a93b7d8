#include "platform/SysfsHidEnumerator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/TestDescriptors.h"
#include "support/TempDir.h"

namespace qv530 {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void WriteFile(const fs::path& path, const test::DescriptorBytes& bytes) {
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string Uevent(const std::string& hidId) {
    return "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Holtek USB Gaming Mouse\nHID_PHYS=usb-0000:00:14.0-2/input0\n";
}

// A fake sysfs laid out like the kernel's:
//   devices/<usb device>/bcdDevice
//   devices/<usb device>/<interface>/<hid name>/{uevent,report_descriptor}
//   devices/<usb device>/<interface>/<hid name>/hidraw/hidrawN/device -> ../../../<hid name>
//   class/hidraw/hidrawN -> ../../devices/<usb device>/<interface>/<hid name>/hidraw/hidrawN
class FakeSysfs {
public:
    explicit FakeSysfs(std::string root) : root_(std::move(root)) { fs::create_directories(root_ / "class/hidraw"); }

    // Returns the HID device folder so a test can break it.
    fs::path AddNode(const std::string& node, const std::string& parent, const std::string& hidName,
                     const std::string& uevent, const test::DescriptorBytes& descriptor) {
        const fs::path hidDir = root_ / "devices" / parent / hidName;
        WriteFile(hidDir / "uevent", uevent);
        WriteFile(hidDir / "report_descriptor", descriptor);
        const fs::path nodeDir = hidDir / "hidraw" / node;
        fs::create_directories(nodeDir);
        fs::create_directory_symlink(fs::path("../../..") / hidName, nodeDir / "device");
        WriteFile(nodeDir / "dev", "245:0\n");
        fs::create_directory_symlink(fs::path("../../devices") / parent / hidName / "hidraw" / node,
                                     root_ / "class/hidraw" / node);
        return hidDir;
    }

    void SetBcdDevice(const std::string& usbDevice, const std::string& text) {
        WriteFile(root_ / "devices" / usbDevice / "bcdDevice", text);
    }

    const fs::path& root() const { return root_; }

private:
    fs::path root_;
};

constexpr const char* kUsbA11D = "pci0000:00/0000:00:14.0/usb1/1-2";
constexpr const char* kUsbA1DC = "pci0000:00/0000:00:14.0/usb1/1-4";
constexpr const char* kUsbPad = "pci0000:00/0000:00:14.0/usb1/1-5";

TEST(SysfsHidEnumerator, BothMiceAndThePadWithTheirInterfaces) {
    test::TempDir temp;
    FakeSysfs sysfs(temp.path());
    sysfs.SetBcdDevice(kUsbA11D, "0302\n");
    sysfs.SetBcdDevice(kUsbA1DC, "0107\n");
    sysfs.SetBcdDevice(kUsbPad, "0100\n");
    sysfs.AddNode("hidraw0", std::string(kUsbA11D) + "/1-2:1.0", "0003:04D9:A11D.0001",
                  Uevent("0003:000004D9:0000A11D"), test::kMouseNotificationDescriptor);
    sysfs.AddNode("hidraw1", std::string(kUsbA11D) + "/1-2:1.1", "0003:04D9:A11D.0002",
                  Uevent("0003:000004D9:0000A11D"), test::kMouseCommandDescriptor);
    sysfs.AddNode("hidraw2", std::string(kUsbA1DC) + "/1-4:1.0", "0003:04D9:A1DC.0003",
                  Uevent("0003:000004D9:0000A1DC"), test::kMouseNotificationDescriptor);
    // Node numbers sort as numbers: hidraw10 comes after hidraw3.
    sysfs.AddNode("hidraw10", std::string(kUsbPad) + "/1-5:1.0", "0003:04D9:A1C9.000B",
                  Uevent("0003:000004D9:0000A1C9"), test::kPadDescriptor);
    sysfs.AddNode("hidraw3", std::string(kUsbA1DC) + "/1-4:1.1", "0003:04D9:A1DC.0004",
                  Uevent("0003:000004D9:0000A1DC"), test::kMouseCommandDescriptor);

    const auto found = ScanHidraw(temp.path(), "/dev");
    ASSERT_EQ(found.size(), 5u);
    const char* const paths[] = {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw3", "/dev/hidraw10"};
    const char* const names[] = {"0003:04D9:A11D.0001", "0003:04D9:A11D.0002", "0003:04D9:A1DC.0003",
                                 "0003:04D9:A1DC.0004", "0003:04D9:A1C9.000B"};
    const std::uint16_t products[] = {0xA11D, 0xA11D, 0xA1DC, 0xA1DC, 0xA1C9};
    const std::uint16_t versions[] = {0x0302, 0x0302, 0x0107, 0x0107, 0x0100};
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(paths[i]);
        EXPECT_EQ(found[i].path, paths[i]);
        EXPECT_EQ(found[i].kernelName, names[i]);
        EXPECT_EQ(found[i].vendorId, 0x04D9);
        EXPECT_EQ(found[i].productId, products[i]);
        EXPECT_EQ(found[i].version, versions[i]);
        EXPECT_TRUE(found[i].descriptorRead);
        ASSERT_EQ(found[i].collections.size(), 1u);
    }
    const HidCaps& notification = found[2].collections[0];
    EXPECT_EQ(notification.usagePage, 0xFF02);
    EXPECT_EQ(notification.inputReportLength, 9);
    const HidCaps& command = found[3].collections[0];
    EXPECT_EQ(command.usagePage, 0xFF01);
    EXPECT_EQ(command.usage, 0x0001);
    EXPECT_EQ(command.featureReportLength, 9);
    EXPECT_EQ(command.inputReportLength, 65);
    EXPECT_EQ(command.outputReportLength, 65);
    EXPECT_EQ(found[4].collections[0].usage, 0xFF00);

    // devRoot is only a prefix.
    EXPECT_EQ(ScanHidraw(temp.path(), "/tmp/nodes")[0].path, "/tmp/nodes/hidraw0");
}

TEST(SysfsHidEnumerator, FirmwareVersionOnlyFromTheUsbDeviceAbove) {
    test::TempDir temp;
    FakeSysfs sysfs(temp.path());
    // No bcdDevice anywhere.
    sysfs.AddNode("hidraw0", std::string(kUsbA11D) + "/1-2:1.0", "0003:04D9:A11D.0001",
                  Uevent("0003:000004D9:0000A11D"), test::kMouseCommandDescriptor);
    // A Bluetooth HID device below a USB Bluetooth adapter: the adapter's
    // bcdDevice is not the mouse's firmware.
    sysfs.SetBcdDevice("pci0000:00/0000:00:14.0/usb1/1-7", "8891\n");
    sysfs.AddNode("hidraw1", "pci0000:00/0000:00:14.0/usb1/1-7/1-7:1.0/bluetooth/hci0/hci0:256",
                  "0005:04D9:A1DC.0002", Uevent("0005:000004D9:0000A1DC"), test::kMouseCommandDescriptor);
    // A bcdDevice that is not hex text.
    sysfs.SetBcdDevice(kUsbPad, "garbage\n");
    sysfs.AddNode("hidraw2", std::string(kUsbPad) + "/1-5:1.0", "0003:04D9:A1C9.0003",
                  Uevent("0003:000004D9:0000A1C9"), test::kPadDescriptor);

    const auto found = ScanHidraw(temp.path(), "/dev");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].version, 0);
    EXPECT_EQ(found[1].version, 0);
    EXPECT_EQ(found[1].productId, 0xA1DC);
    EXPECT_EQ(found[2].version, 0);
}

TEST(SysfsHidEnumerator, UnreadableEntriesAreSkippedOrMarked) {
    test::TempDir temp;
    FakeSysfs sysfs(temp.path());
    // hidraw0: descriptor cut in the middle of an item: still listed, with
    // what could be parsed.
    const auto cut = test::DescriptorBytes(test::kMouseCommandDescriptor.begin(),
                                           test::kMouseCommandDescriptor.begin() + 27);
    sysfs.AddNode("hidraw0", std::string(kUsbA11D) + "/1-2:1.0", "0003:04D9:A11D.0001",
                  Uevent("0003:000004D9:0000A11D"), cut);
    // hidraw1: no report descriptor at all: listed, not read.
    const auto noDescriptor = sysfs.AddNode("hidraw1", std::string(kUsbA11D) + "/1-2:1.1", "0003:04D9:A11D.0002",
                                            Uevent("0003:000004D9:0000A11D"), test::kMouseCommandDescriptor);
    fs::remove(noDescriptor / "report_descriptor");
    // hidraw2: uevent without HID_ID; hidraw3: malformed HID_ID; both left out.
    sysfs.AddNode("hidraw2", std::string(kUsbA1DC) + "/1-4:1.0", "0003:04D9:A1DC.0003", "DRIVER=hid-generic\n",
                  test::kMouseCommandDescriptor);
    sysfs.AddNode("hidraw3", std::string(kUsbA1DC) + "/1-4:1.1", "0003:04D9:A1DC.0004", Uevent("0003:04D9"),
                  test::kMouseCommandDescriptor);
    // hidraw4: the device it links to is gone.
    const auto gone = sysfs.AddNode("hidraw4", std::string(kUsbPad) + "/1-5:1.0", "0003:04D9:A1C9.0005",
                                    Uevent("0003:000004D9:0000A1C9"), test::kPadDescriptor);
    fs::remove_all(gone);
    // Names that are not hidraw nodes.
    WriteFile(sysfs.root() / "class/hidraw/hidrawX", "");
    WriteFile(sysfs.root() / "class/hidraw/README", "");

    const auto found = ScanHidraw(temp.path(), "/dev");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, "/dev/hidraw0");
    EXPECT_TRUE(found[0].descriptorRead);
    ASSERT_EQ(found[0].collections.size(), 1u);
    EXPECT_EQ(found[0].collections[0].featureReportLength, 9);
    EXPECT_EQ(found[0].collections[0].inputReportLength, 65);
    EXPECT_EQ(found[0].collections[0].outputReportLength, 0);
    EXPECT_EQ(found[1].path, "/dev/hidraw1");
    EXPECT_FALSE(found[1].descriptorRead);
    EXPECT_TRUE(found[1].collections.empty());
    EXPECT_EQ(found[1].productId, 0xA11D);

    // No hidraw class at all (no hidraw driver loaded).
    test::TempDir empty;
    EXPECT_TRUE(ScanHidraw(empty.path(), "/dev").empty());
}

TEST(SysfsHidEnumerator, HidIdLine) {
    const auto id = ParseHidIdLine("DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A1DC\nHID_NAME=x\n");
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(id->bus, 0x0003);
    EXPECT_EQ(id->vendorId, 0x04D9);
    EXPECT_EQ(id->productId, 0xA1DC);
    EXPECT_TRUE(ParseHidIdLine("HID_ID=0005:0000046d:0000b01a").has_value()); // lower case, no line feed
    for (const char* bad : {"", "HID_ID=", "HID_ID=0003:000004D9", "HID_ID=0003:000004D9:", "HID_ID=0003:0x04D9:A11D",
                            "HID_ID=0003:000104D9:0000A11D", "HID_ID=0003:000004D9:0000A11D:1",
                            "XHID_ID=0003:000004D9:0000A11D", "HID_ID=0003:-4D9:A11D"})
        EXPECT_FALSE(ParseHidIdLine(bad).has_value()) << bad;
}

} // namespace
} // namespace qv530
