#include "device/HidPort.h"

namespace qv530 {

bool HidPort::SetFeature(std::span<const std::uint8_t> report) {
    if (trace_) trace_->Report(name_, "set-feature", report);
    return device_ && device_->SetFeature(report);
}

bool HidPort::GetFeature(std::span<std::uint8_t> report) {
    const bool ok = device_ && device_->GetFeature(report);
    if (trace_) trace_->Report(name_, "get-feature", report);
    return ok;
}

bool HidPort::Write(std::span<const std::uint8_t> report) {
    if (trace_) trace_->Report(name_, "write", report);
    return device_ && device_->Write(report);
}

int HidPort::Read(std::span<std::uint8_t> report) {
    const int got = device_ ? device_->Read(report) : -1;
    if (trace_) trace_->Report(name_, "read", report);
    return got;
}

void HidPort::Pause(int milliseconds) {
    if (trace_) trace_->Sleep(name_, milliseconds);
    sleeper_.SleepMs(milliseconds);
}

} // namespace qv530
