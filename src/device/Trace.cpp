#include "device/Trace.h"

namespace qv530 {

void Trace::Report(std::string_view device, std::string_view op, std::span<const std::uint8_t> bytes) {
    Add(std::string(device) + " " + std::string(op) + " " + HexBytes(bytes));
}

void Trace::Sleep(std::string_view device, int milliseconds) {
    Add(std::string(device) + " sleep " + std::to_string(milliseconds));
}

void Trace::Add(std::string line) {
    std::lock_guard lock(mutex_);
    if (sink_) sink_(line);
    else lines_.push_back(std::move(line));
}

std::vector<std::string> Trace::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void Trace::Clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

void Trace::SetSink(std::function<void(const std::string&)> sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

} // namespace qv530
