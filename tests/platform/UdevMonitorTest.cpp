#include "platform/UdevMonitor.h"

#include <gtest/gtest.h>

#include <fcntl.h>

namespace qv530 {
namespace {

TEST(UdevMonitor, EventCodes) {
    const std::string path = "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A11D.0002/hidraw/hidraw1";
    EXPECT_EQ(DeviceChangeEventCode({"add", path, "hidraw"}), 0x8000);
    EXPECT_EQ(DeviceChangeEventCode({"remove", path, "hidraw"}), 0x8004);
    for (const char* action : {"change", "bind", "unbind", "move", "online", "", "Add", "REMOVE"})
        EXPECT_EQ(DeviceChangeEventCode({action, path, "hidraw"}), 0) << action;
    for (const char* subsystem : {"hid", "usb", "input", ""})
        EXPECT_EQ(DeviceChangeEventCode({"add", path, subsystem}), 0) << subsystem;
}

// Whether udev is reachable depends on the machine (containers usually have
// no udev); either way the monitor must behave.
TEST(UdevMonitor, OpensOrFailsCleanly) {
    UdevMonitor monitor;
    EXPECT_FALSE(monitor.IsOpen());
    EXPECT_EQ(monitor.fd(), -1);
    EXPECT_FALSE(monitor.Receive().has_value());

    if (monitor.Open()) {
        EXPECT_TRUE(monitor.IsOpen());
        ASSERT_GE(monitor.fd(), 0);
        // Receive must not block: the socket is non-blocking.
        EXPECT_NE(::fcntl(monitor.fd(), F_GETFL) & O_NONBLOCK, 0);
        (void)monitor.Receive();
        EXPECT_TRUE(monitor.Open()); // reopening replaces the first one
    } else {
        EXPECT_FALSE(monitor.IsOpen());
        EXPECT_EQ(monitor.fd(), -1);
    }
    monitor.Close();
    EXPECT_EQ(monitor.fd(), -1);
    EXPECT_FALSE(monitor.Receive().has_value());
}

} // namespace
} // namespace qv530
