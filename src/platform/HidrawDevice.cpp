#include "platform/HidrawDevice.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/eventfd.h>

#include "platform/SysfsHidEnumerator.h"

namespace qv530 {
namespace {

// Repeats a call for as long as a signal interrupts it.
template <typename Call>
auto RetryOnInterrupt(Call call) {
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR) return result;
    }
}

unsigned long SetFeatureRequest(std::size_t length) {
    return static_cast<unsigned long>(HIDIOCSFEATURE(length));
}

unsigned long GetFeatureRequest(std::size_t length) {
    return static_cast<unsigned long>(HIDIOCGFEATURE(length));
}

} // namespace

HidrawDevice::HidrawDevice(HidSysCalls& calls, int fd, int cancelFd, bool numberedReports)
    : calls_(calls), fd_(fd), cancelFd_(cancelFd), numberedReports_(numberedReports) {}

HidrawDevice::~HidrawDevice() {
    // close is not retried on EINTR: on Linux the descriptor is gone either way.
    if (fd_ >= 0) calls_.Close(fd_);
    if (cancelFd_ >= 0) calls_.Close(cancelFd_);
}

bool HidrawDevice::SetFeature(std::span<const std::uint8_t> report) {
    if (report.empty() || report.size() > kMaxFeatureLength) return false;
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    const int result =
        RetryOnInterrupt([&] { return calls_.Ioctl(fd_, SetFeatureRequest(buffer.size()), buffer.data()); });
    return result >= 0;
}

bool HidrawDevice::GetFeature(std::span<std::uint8_t> report) {
    if (report.empty() || report.size() > kMaxFeatureLength) return false;
    // The ioctl fills a copy, so a failure leaves the caller's buffer alone.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    const int result =
        RetryOnInterrupt([&] { return calls_.Ioctl(fd_, GetFeatureRequest(buffer.size()), buffer.data()); });
    if (result < 0) return false;
    const std::size_t got = std::min(static_cast<std::size_t>(result), buffer.size());
    std::copy_n(buffer.begin(), got, report.begin());
    return true;
}

bool HidrawDevice::Write(std::span<const std::uint8_t> report) {
    if (report.empty()) return false;
    const ssize_t written = RetryOnInterrupt([&] { return calls_.Write(fd_, report.data(), report.size()); });
    // A report goes out whole or not at all; a short count is a failure.
    return written >= 0 && static_cast<std::size_t>(written) == report.size();
}

int HidrawDevice::Read(std::span<std::uint8_t> report) {
    const std::size_t offset = numberedReports_ ? 0 : 1;
    if (report.size() <= offset) return -1;
    const std::size_t room = std::min(report.size() - offset, static_cast<std::size_t>(INT_MAX - 1));
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd_, POLLIN, 0}};
        const int ready = calls_.Poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (fds[1].revents & POLLIN) return 0;
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) return -1;
        // Reports queued before an unplug are still delivered, so data wins
        // over a hang-up flag.
        if (fds[0].revents & POLLIN) {
            const ssize_t got = RetryOnInterrupt([&] { return calls_.Read(fd_, report.data() + offset, room); });
            if (got < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK) continue; // someone else took it
                return -1;
            }
            if (got == 0) return -1;
            if (!numberedReports_) report[0] = 0;
            return static_cast<int>(got) + static_cast<int>(offset);
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return -1;
    }
}

void HidrawDevice::CancelRead() {
    const std::uint64_t one = 1;
    RetryOnInterrupt([&] { return calls_.Write(cancelFd_, &one, sizeof one); });
}

void HidrawDevice::ResetCancel() {
    std::uint64_t count = 0;
    // The eventfd is non-blocking: once drained the read fails with EAGAIN.
    while (RetryOnInterrupt([&] { return calls_.Read(cancelFd_, &count, sizeof count); }) > 0) {
    }
}

LinuxHidBackend::LinuxHidBackend(std::string sysfsRoot, std::string devRoot, HidSysCalls& calls)
    : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)), calls_(calls) {}

std::vector<HidInterfaceInfo> LinuxHidBackend::Enumerate() { return ScanHidraw(sysfsRoot_, devRoot_); }

OpenResult LinuxHidBackend::Open(const HidInterfaceInfo& info, OpenMode mode) {
    const int access = mode == OpenMode::ReadWrite ? O_RDWR : O_RDONLY;
    const int fd = RetryOnInterrupt([&] { return calls_.Open(info.path.c_str(), access | O_CLOEXEC); });
    if (fd < 0) return {nullptr, errno};
    const int cancelFd = calls_.EventFd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancelFd < 0) {
        const int error = errno;
        calls_.Close(fd);
        return {nullptr, error};
    }
    // hidraw numbers the reports of the whole node when any collection does.
    const bool numbered = std::any_of(info.collections.begin(), info.collections.end(),
                                      [](const HidCaps& caps) { return caps.numberedReports; });
    return {std::make_shared<HidrawDevice>(calls_, fd, cancelFd, numbered), 0};
}

} // namespace qv530
