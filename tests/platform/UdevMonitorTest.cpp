#include "platform/UdevMonitor.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/netlink.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

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

// Whether the kernel hands this process its device events: the monitor
// must open exactly when it does.
bool KernelEventsReachable() {
    const int probe = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    if (probe < 0) return false;
    ::close(probe);
    return true;
}

TEST(UdevMonitor, OpensWhereTheKernelSendsEventsAndStaysClosedWhereItCannot) {
    UdevMonitor monitor;
    EXPECT_FALSE(monitor.IsOpen());
    EXPECT_EQ(monitor.fd(), -1);
    EXPECT_FALSE(monitor.Receive().has_value());

    ASSERT_EQ(monitor.Open(), KernelEventsReachable());
    if (monitor.IsOpen()) {
        ASSERT_GE(monitor.fd(), 0);
        // Receive must not block: the socket is non-blocking.
        EXPECT_NE(::fcntl(monitor.fd(), F_GETFL) & O_NONBLOCK, 0);
        (void)monitor.Receive();
        EXPECT_TRUE(monitor.Open()); // reopening replaces the first one
    }
    monitor.Close();
    EXPECT_EQ(monitor.fd(), -1);
    EXPECT_FALSE(monitor.Receive().has_value());

    // Without a descriptor to spare no socket can be made: the monitor
    // says so and stays closed, with nothing left behind.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = 0;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const bool opened = monitor.Open();
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(monitor.IsOpen());
    EXPECT_EQ(monitor.fd(), -1);
    EXPECT_FALSE(monitor.Receive().has_value());
}

} // namespace
} // namespace qv530
