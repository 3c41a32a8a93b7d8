#pragma once
// A HID report-descriptor parser that yields what Windows reports through
// HidP_GetCaps for each top-level collection of a device.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/HidDevice.h"

namespace qv530 {

// One HidCaps per top-level Application collection, in descriptor order.
// For each report kind the length is the largest report of that kind in the
// collection (all fields of one report ID summed, padding included, rounded up
// to whole bytes) plus one byte for the report ID, which Windows counts even
// when the reports are unnumbered; 0 when the collection has no such report.
// Lengths saturate at 0xFFFF. Truncated or malformed input never fails: a
// truncated item ends the parse and what was gathered so far is returned.
std::vector<HidCaps> ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace qv530
