#include "platform/HidrawDevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <future>
#include <linux/hidraw.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qv530 {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kNodeFd = 40;
constexpr int kCancelFd = 41;

int Fail(int error) {
    errno = error;
    return -1;
}

// Scripted system calls: each hook answers one call; the log records them.
class FakeSysCalls final : public HidSysCalls {
public:
    std::function<int(const char*, int)> open = [](const char*, int) { return kNodeFd; };
    std::function<int(unsigned long, std::uint8_t*)> ioctl = [](unsigned long, std::uint8_t*) { return 0; };
    std::function<ssize_t(const std::uint8_t*, std::size_t)> write = [](const std::uint8_t*, std::size_t n) {
        return static_cast<ssize_t>(n);
    };
    // Node reads and polls come from queues; an empty queue is a test error.
    std::deque<std::function<ssize_t(std::uint8_t*, std::size_t)>> reads;
    std::deque<std::function<int(pollfd*)>> polls;
    std::function<int()> eventfd = [] { return kCancelFd; };

    std::vector<std::string> log;
    std::vector<int> closed;
    int openFlags = 0;
    bool cancelled = false;

    int Open(const char* path, int flags) override {
        log.push_back(std::string("open ") + path);
        openFlags = flags;
        return open(path, flags);
    }
    int Close(int fd) override {
        closed.push_back(fd);
        return 0;
    }
    ssize_t Read(int fd, void* buffer, std::size_t size) override {
        if (fd == kCancelFd) {
            if (!cancelled) return Fail(EAGAIN);
            cancelled = false;
            return 8;
        }
        log.push_back("read " + std::to_string(size));
        if (reads.empty()) return Fail(EIO);
        auto next = std::move(reads.front());
        reads.pop_front();
        return next(static_cast<std::uint8_t*>(buffer), size);
    }
    ssize_t Write(int fd, const void* buffer, std::size_t size) override {
        if (fd == kCancelFd) {
            cancelled = true;
            return 8;
        }
        log.push_back("write " + std::to_string(size));
        return write(static_cast<const std::uint8_t*>(buffer), size);
    }
    int Ioctl(int, unsigned long request, void* argument) override {
        log.push_back("ioctl");
        return ioctl(request, static_cast<std::uint8_t*>(argument));
    }
    int Poll(pollfd* fds, nfds_t count, int) override {
        log.push_back("poll");
        if (count != 2 || fds[0].fd != kNodeFd || fds[1].fd != kCancelFd) return Fail(EINVAL);
        fds[0].revents = 0;
        fds[1].revents = cancelled ? POLLIN : 0;
        if (cancelled) return 1;
        if (polls.empty()) return Fail(EINVAL);
        auto next = std::move(polls.front());
        polls.pop_front();
        return next(fds);
    }
    int EventFd(unsigned int, int flags) override {
        log.push_back((flags & EFD_NONBLOCK) ? "eventfd nonblock" : "eventfd");
        return eventfd();
    }
};

std::function<int(pollfd*)> NodeReady(short events = POLLIN) {
    return [events](pollfd* fds) {
        fds[0].revents = events;
        return 1;
    };
}

std::function<int(pollfd*)> PollFails(int error) {
    return [error](pollfd*) { return Fail(error); };
}

std::function<ssize_t(std::uint8_t*, std::size_t)> Delivers(Bytes data) {
    return [data](std::uint8_t* buffer, std::size_t size) {
        const std::size_t n = std::min(size, data.size());
        if (n > 0) std::memcpy(buffer, data.data(), n);
        return static_cast<ssize_t>(n);
    };
}

std::function<ssize_t(std::uint8_t*, std::size_t)> ReadFails(int error) {
    return [error](std::uint8_t*, std::size_t) { return static_cast<ssize_t>(Fail(error)); };
}

TEST(HidrawDevice, FeatureReportsCarryTheReportIdAndTheirLengthInTheRequest) {
    FakeSysCalls calls;
    HidrawDevice device(calls, kNodeFd, kCancelFd, false);
    Bytes sent;
    unsigned long request = 0;
    int interruptions = 2;
    calls.ioctl = [&](unsigned long r, std::uint8_t* buffer) {
        if (interruptions-- > 0) return Fail(EINTR);
        request = r;
        sent.assign(buffer, buffer + 9);
        return 9;
    };
    const Bytes report = {0x00, 0x07, 0x00, 0xFF, 0x0B, 0x17, 0x2F, 0x47, 0x61};
    EXPECT_TRUE(device.SetFeature(report));
    EXPECT_EQ(request, static_cast<unsigned long>(HIDIOCSFEATURE(9)));
    EXPECT_EQ(sent, report);
    EXPECT_EQ(calls.log.size(), 3u); // two interrupted calls, then the one that worked

    // The answer replaces the buffer; byte 0 went in as the report ID.
    calls.ioctl = [&](unsigned long r, std::uint8_t* buffer) {
        request = r;
        EXPECT_EQ(buffer[0], 0x00);
        const Bytes answer = {0x00, 0x81, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
        std::memcpy(buffer, answer.data(), answer.size());
        return 9;
    };
    Bytes answer(9, 0);
    EXPECT_TRUE(device.GetFeature(answer));
    EXPECT_EQ(request, static_cast<unsigned long>(HIDIOCGFEATURE(9)));
    EXPECT_EQ(answer, (Bytes{0x00, 0x81, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}));

    // A shorter answer replaces only the bytes the device sent.
    calls.ioctl = [](unsigned long, std::uint8_t* buffer) {
        std::memset(buffer, 0xEE, 9);
        return 3;
    };
    Bytes partial(9, 0x11);
    partial[0] = 0;
    EXPECT_TRUE(device.GetFeature(partial));
    EXPECT_EQ(partial, (Bytes{0xEE, 0xEE, 0xEE, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}));
}

TEST(HidrawDevice, FeatureFailuresLeaveTheBufferAndReportFalse) {
    FakeSysCalls calls;
    HidrawDevice device(calls, kNodeFd, kCancelFd, false);
    for (int error : {ENODEV, EPIPE, EIO, ETIMEDOUT}) {
        calls.ioctl = [error](unsigned long, std::uint8_t* buffer) {
            buffer[1] = 0xAA; // scribbles before failing, as a driver may
            return Fail(error);
        };
        EXPECT_FALSE(device.SetFeature(Bytes(9, 0))) << error;
        Bytes buffer = {0x00, 0x87, 0, 0, 0, 0, 0, 0, 0x78};
        const Bytes before = buffer;
        EXPECT_FALSE(device.GetFeature(buffer)) << error;
        EXPECT_EQ(buffer, before) << error;
    }
    // Lengths the ioctl cannot express are refused without a call.
    calls.log.clear();
    Bytes huge(HidrawDevice::kMaxFeatureLength + 1, 0);
    EXPECT_FALSE(device.SetFeature(huge));
    EXPECT_FALSE(device.GetFeature(huge));
    EXPECT_FALSE(device.SetFeature({}));
    EXPECT_TRUE(calls.log.empty());
}

TEST(HidrawDevice, WriteSendsTheWholeReportOrFails) {
    FakeSysCalls calls;
    HidrawDevice device(calls, kNodeFd, kCancelFd, false);
    const Bytes chunk(65, 0x5A);
    EXPECT_TRUE(device.Write(chunk));

    int interruptions = 1;
    calls.write = [&](const std::uint8_t*, std::size_t n) -> ssize_t {
        if (interruptions-- > 0) return Fail(EINTR);
        return static_cast<ssize_t>(n);
    };
    EXPECT_TRUE(device.Write(chunk));

    calls.write = [](const std::uint8_t*, std::size_t) -> ssize_t { return 30; };
    EXPECT_FALSE(device.Write(chunk)); // short write

    calls.write = [](const std::uint8_t*, std::size_t) -> ssize_t { return Fail(ENODEV); };
    EXPECT_FALSE(device.Write(chunk)); // unplugged mid-transfer
}

TEST(HidrawDevice, ReadPutsTheMissingReportIdInFrontOfUnnumberedReports) {
    FakeSysCalls calls;
    HidrawDevice unnumbered(calls, kNodeFd, kCancelFd, false);
    calls.polls = {NodeReady()};
    calls.reads = {Delivers({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08})};
    Bytes buffer(65, 0xCC);
    EXPECT_EQ(unnumbered.Read(buffer), 9);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 10), (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 0xCC}));
    EXPECT_EQ(calls.log.back(), "read 64"); // room for 64 data bytes after the ID

    FakeSysCalls numberedCalls;
    HidrawDevice numbered(numberedCalls, kNodeFd, kCancelFd, true);
    numberedCalls.polls = {NodeReady()};
    numberedCalls.reads = {Delivers({0x04, 0x01, 0x00, 0x03, 0, 0, 0, 0, 0})};
    Bytes notice(9, 0);
    EXPECT_EQ(numbered.Read(notice), 9);
    EXPECT_EQ(notice, (Bytes{0x04, 0x01, 0x00, 0x03, 0, 0, 0, 0, 0}));

    // An unnumbered read needs room for at least one data byte.
    Bytes tiny(1, 0);
    EXPECT_EQ(unnumbered.Read(tiny), -1);
}

TEST(HidrawDevice, ReadRetriesInterruptionsAndReportsUnplugAsError) {
    FakeSysCalls calls;
    HidrawDevice device(calls, kNodeFd, kCancelFd, true);
    Bytes buffer(9, 0);

    // Interrupted poll, interrupted read, report taken by nobody (EAGAIN):
    // all retried until the report arrives.
    calls.polls = {PollFails(EINTR), NodeReady(), NodeReady()};
    calls.reads = {ReadFails(EINTR), ReadFails(EAGAIN), Delivers({0x04, 0x01, 0x00, 0x02})};
    EXPECT_EQ(device.Read(buffer), 4);
    EXPECT_TRUE(calls.polls.empty());
    EXPECT_TRUE(calls.reads.empty());

    // Unplugged: the node hangs up with nothing queued.
    calls.polls = {NodeReady(POLLHUP | POLLERR)};
    EXPECT_EQ(device.Read(buffer), -1);
    // A report queued before the unplug is still delivered; the read after
    // it fails with the node's error.
    calls.polls = {NodeReady(POLLIN | POLLHUP), NodeReady(POLLIN | POLLHUP)};
    calls.reads = {Delivers({0x04, 0x01, 0x00, 0x05}), ReadFails(ENODEV)};
    EXPECT_EQ(device.Read(buffer), 4);
    EXPECT_EQ(device.Read(buffer), -1);
    // End of file and a failing poll end the read too, instead of spinning.
    calls.polls = {NodeReady(POLLIN)};
    calls.reads = {Delivers({})};
    EXPECT_EQ(device.Read(buffer), -1);
    calls.polls = {PollFails(EBADF)};
    EXPECT_EQ(device.Read(buffer), -1);
}

TEST(HidrawDevice, CancelMakesReadsReturnZeroUntilReset) {
    FakeSysCalls calls;
    HidrawDevice device(calls, kNodeFd, kCancelFd, false);
    Bytes buffer(9, 0);
    device.CancelRead();
    // Cancellation wins over a waiting report, and stays until reset.
    calls.polls = {NodeReady()};
    EXPECT_EQ(device.Read(buffer), 0);
    EXPECT_EQ(device.Read(buffer), 0);
    device.ResetCancel();
    calls.reads = {Delivers({0x11})};
    EXPECT_EQ(device.Read(buffer), 2);
    EXPECT_EQ(buffer[1], 0x11);
    // Resetting with nothing to reset does not block.
    device.ResetCancel();
}

TEST(HidrawDevice, ClosesBothDescriptors) {
    FakeSysCalls calls;
    { HidrawDevice device(calls, kNodeFd, kCancelFd, false); }
    EXPECT_EQ(calls.closed, (std::vector<int>{kNodeFd, kCancelFd}));
}

// The real poll/eventfd path, on a socket pair that keeps report boundaries
// like a hidraw node.
TEST(HidrawDevice, BlockedReadWakesOnCancelAndOnDataWithRealDescriptors) {
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair), 0);
    const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    ASSERT_GE(cancelFd, 0);
    HidrawDevice device(SystemHidSysCalls(), pair[0], cancelFd, false);

    Bytes buffer(65, 0xFF);
    auto blocked = std::async(std::launch::async, [&] { return device.Read(buffer); });
    EXPECT_EQ(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    device.CancelRead();
    ASSERT_EQ(blocked.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(blocked.get(), 0);
    EXPECT_EQ(device.Read(buffer), 0);
    device.ResetCancel();

    auto waiting = std::async(std::launch::async, [&] { return device.Read(buffer); });
    const std::uint8_t report[] = {0x04, 0x01, 0x00, 0x03};
    ASSERT_EQ(::write(pair[1], report, sizeof report), 4);
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(waiting.get(), 5);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 5), (Bytes{0x00, 0x04, 0x01, 0x00, 0x03}));

    ::close(pair[1]); // the other end goes away, like an unplugged device
    EXPECT_EQ(device.Read(buffer), -1);
}

HidInterfaceInfo Interface(bool numbered) {
    HidInterfaceInfo info;
    info.path = "/dev/hidraw7";
    HidCaps caps;
    caps.numberedReports = numbered;
    info.collections = {caps};
    return info;
}

TEST(LinuxHidBackend, OpenUsesTheAccessAskedForAndReportsErrno) {
    FakeSysCalls calls;
    LinuxHidBackend backend("/sys", "/dev", calls);

    auto readWrite = backend.Open(Interface(false), OpenMode::ReadWrite);
    ASSERT_NE(readWrite.device, nullptr);
    EXPECT_EQ(readWrite.error, 0);
    EXPECT_EQ(calls.openFlags, O_RDWR | O_CLOEXEC);
    EXPECT_EQ(calls.log, (std::vector<std::string>{"open /dev/hidraw7", "eventfd nonblock"}));

    // Read-only, numbered: the report comes through untouched.
    int interruptions = 1;
    calls.open = [&](const char*, int) { return interruptions-- > 0 ? Fail(EINTR) : kNodeFd; };
    auto reader = backend.Open(Interface(true), OpenMode::ReadOnly);
    ASSERT_NE(reader.device, nullptr);
    EXPECT_EQ(calls.openFlags, O_RDONLY | O_CLOEXEC);
    calls.polls = {NodeReady()};
    calls.reads = {Delivers({0x04, 0x01, 0x00, 0x06})};
    Bytes buffer(9, 0);
    EXPECT_EQ(reader.device->Read(buffer), 4);
    EXPECT_EQ(buffer[0], 0x04);

    calls.open = [](const char*, int) { return Fail(EACCES); };
    const auto denied = backend.Open(Interface(false), OpenMode::ReadWrite);
    EXPECT_EQ(denied.device, nullptr);
    EXPECT_EQ(denied.error, EACCES);

    // No eventfd left: the node is closed again and the error reported.
    calls.open = [](const char*, int) { return kNodeFd; };
    calls.eventfd = [] { return Fail(EMFILE); };
    calls.closed.clear();
    const auto noEvent = backend.Open(Interface(false), OpenMode::ReadWrite);
    EXPECT_EQ(noEvent.device, nullptr);
    EXPECT_EQ(noEvent.error, EMFILE);
    EXPECT_EQ(calls.closed, std::vector<int>{kNodeFd});
}

} // namespace
} // namespace qv530
