#include "settings/RecordEdits.h"

namespace qv530 {

bool SetSensitivity(MouseSettings& settings, Axis axis, int level) {
    if (level < kMinLevel || level > kMaxLevel) return false;
    settings.at(axis == Axis::X ? field::kSensitivityX : field::kSensitivityY) = static_cast<std::uint8_t>(level);
    return true;
}

} // namespace qv530
