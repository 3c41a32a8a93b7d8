#pragma once
// The record of everything that crosses the HID seam during a sequence, one
// line per event in order:  DEVICE OP PAYLOAD
//   DEVICE  a11d, a1dc or pad
//   OP      set-feature, get-feature, write, read or sleep
//   PAYLOAD every byte of the report as passed (report ID first), two-digit
//           lowercase hex separated by single spaces; for get-feature and read
//           the bytes the device returned; for sleep the milliseconds.
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/TextEncoding.h"

namespace qv530 {

class Trace {
public:
    void Report(std::string_view device, std::string_view op, std::span<const std::uint8_t> bytes);
    void Sleep(std::string_view device, int milliseconds);

    // The lines kept so far: every line while there is no sink.
    std::vector<std::string> Lines() const;
    void Clear();
    // Hands every new line to sink instead of keeping it (a trace file grows
    // on disk, never in memory).
    void SetSink(std::function<void(const std::string&)> sink);

private:
    void Add(std::string line);
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> sink_;
};

} // namespace qv530
