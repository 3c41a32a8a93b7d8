// The HID report-descriptor parser. An input is a report descriptor.
// Properties: the parse ends on any bytes, gives the same caps every time,
// never more collections than Collection items could open, and the same
// caps for the descriptor as sysfs hands it over (a copy in other memory).
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "platform/HidReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv530;
    const std::span<const std::uint8_t> descriptor(data, size);
    const std::vector<HidCaps> caps = ParseReportDescriptor(descriptor);
    // A Collection item takes at least two bytes (prefix and type).
    FUZZ_CHECK(caps.size() <= size / 2);
    const std::vector<std::uint8_t> copy(data, data + size);
    FUZZ_CHECK(ParseReportDescriptor(copy) == caps);
    return 0;
}
