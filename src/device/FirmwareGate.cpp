#include "device/FirmwareGate.h"

namespace qv530 {

FirmwareDecision CheckFirmware(const DeviceLink& link, bool updaterWindowOpen) {
    if (updaterWindowOpen) return {};
    const auto tooOld = [](std::uint32_t version, std::uint32_t lastOld) { return version >= 1 && version <= lastOld; };
    if (link.a1dcConnected.load() == 1) return {tooOld(link.a1dcFirmware.load(), kLastOldFirmwareA1DC), MouseVariant::A1DC};
    if (link.a11dConnected.load() == 1) return {tooOld(link.a11dFirmware.load(), kLastOldFirmwareA11D), MouseVariant::A11D};
    return {};
}

} // namespace qv530
