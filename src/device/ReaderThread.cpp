#include "device/ReaderThread.h"

#include <array>
#include <system_error>

#include "platform/DebugLog.h"

#include "device/Discovery.h"

namespace qv530 {
namespace {
constexpr std::uint8_t kNotificationReportId = 0x04;
constexpr std::uint8_t kStageChangeEvent = 0x01;
constexpr std::size_t kEventByte = 1;
constexpr std::size_t kStageByte = 3;
} // namespace

StageChange RecogniseNotification(std::span<const std::uint8_t> report, int bytesRead) {
    // Only the bytes read count: a short read leaves older bytes behind it
    // in the buffer, and those are no stage.
    if (bytesRead <= static_cast<int>(kStageByte) || report.size() <= kStageByte) return {};
    if (report[0] != kNotificationReportId || report[kEventByte] != kStageChangeEvent) return {};
    return {true, report[kStageByte]};
}

ReaderThread::ReaderThread(DeviceLink& link, MouseVariant variant, Deliver deliver)
    : link_(link), variant_(variant), deliver_(std::move(deliver)) {}

ReaderThread::~ReaderThread() { Stop(); }

bool ReaderThread::Start() {
    if (thread_.joinable()) return true;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        DebugWrite(variant_ == MouseVariant::A11D ? "CreateEvent failed." : "CreateEvent 3360 failed.");
        return false;
    }
    return true;
}

void ReaderThread::Resume() {
    std::lock_guard lock(mutex_);
    resumed_ = true;
    woken_ = true; // a running thread that waits for its mouse looks again
    wake_.notify_all();
}

void ReaderThread::Wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_all();
}

void ReaderThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wake_.notify_all();
    }
    HidDevicePtr reading;
    {
        std::lock_guard lock(mutex_);
        reading = reading_;
    }
    if (reading) reading->CancelRead();
    if (HidDevicePtr reader = link_.Reader(variant_).Get()) reader->CancelRead();
    if (thread_.joinable()) thread_.join();
}

bool ReaderThread::WaitForWake() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return woken_ || stopping_; });
    return !stopping_;
}

void ReaderThread::Run() {
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return resumed_ || stopping_; });
        if (stopping_) return;
    }
    const int kind = variant_ == MouseVariant::A11D ? notice::kA11DStage : notice::kA1DCStage;
    std::array<std::uint8_t, kReaderBufferSize> buffer{};
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            woken_ = false; // reset the event
        }
        HidDevicePtr reader = link_.Reader(variant_).Get();
        if (link_.Connected(variant_).load() != 1 || !reader) {
            if (!WaitForWake()) return;
            continue;
        }
        const std::size_t length = std::min<std::size_t>(link_.ReaderInputLength(variant_).load(), buffer.size());
        reader->ResetCancel();
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            reading_ = reader;
        }
        // Replaced while the cancel was being reset: read the new handle instead.
        if (link_.Reader(variant_).Get() != reader) continue;
        const int got = reader->Read(std::span<std::uint8_t>(buffer.data(), length));
        {
            std::lock_guard lock(mutex_);
            reading_.reset();
            if (stopping_) return;
        }
        if (got <= 0) {
            // Cancelled for a new handle, or the mouse went away: wait for the finder.
            if (got < 0 && !WaitForWake()) return;
            continue;
        }
        const StageChange change = RecogniseNotification(buffer, got);
        if (change.recognised && link_.Connected(variant_).load() != 0 && deliver_) deliver_(kind, change.stage);
    }
}

} // namespace qv530
