#include "settings/PointerValues.h"

namespace qv530 {

PointerValues PointerValuesOf(const MouseSettings& settings) {
    PointerValues values;
    values.precision = settings.at(field::kPointerPrecision) == 1;
    values.speed = PointerSpeedFromLevel(settings.at(field::kPointerSpeed));
    values.wheelLines = settings.at(field::kWheelPageScroll) != 0 ? kWheelScrollPage : settings.at(field::kWheelLines);
    values.doubleClickMs = DoubleClickMsFromLevel(settings.at(field::kDoubleClickLevel));
    return values;
}

} // namespace qv530
