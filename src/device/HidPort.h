#pragma once
// One opened interface as the protocol uses it: the device, the report
// lengths recorded at discovery, the sleeper for the fixed pauses and the
// trace that records every report and pause.
#include <cstdint>
#include <span>
#include <string>

#include "device/Trace.h"
#include "platform/HidDevice.h"
#include "platform/Sleeper.h"

namespace qv530 {

struct ReportLengths {
    std::uint16_t feature = 0;
    std::uint16_t input = 0;
    std::uint16_t output = 0;
};

class HidPort {
public:
    HidPort(HidDevicePtr device, ReportLengths lengths, Sleeper& sleeper, std::string name, Trace* trace = nullptr)
        : device_(std::move(device)), lengths_(lengths), sleeper_(sleeper), name_(std::move(name)), trace_(trace) {}

    const ReportLengths& lengths() const { return lengths_; }
    const std::string& name() const { return name_; }

    bool SetFeature(std::span<const std::uint8_t> report);
    bool GetFeature(std::span<std::uint8_t> report);
    bool Write(std::span<const std::uint8_t> report);
    int Read(std::span<std::uint8_t> report);
    void Pause(int milliseconds);

private:
    HidDevicePtr device_;
    ReportLengths lengths_;
    Sleeper& sleeper_;
    std::string name_;
    Trace* trace_;
};

} // namespace qv530
