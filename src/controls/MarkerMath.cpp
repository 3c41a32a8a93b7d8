#include "MarkerMath.h"

#include <algorithm>
#include <cstdint>

namespace qv530 {

int MarkerFillLength(int extent, int value, int minimum, int maximum) {
    if (extent <= 0) return 0;
    const std::int64_t divisor = std::int64_t{maximum} - minimum - 1;
    const std::int64_t steps = std::int64_t{value} - minimum;
    if (steps <= 0) return 0;
    if (divisor <= 0) return extent;  // a range of one step is full as soon as it moves
    const std::int64_t fill = std::int64_t{extent} * steps / divisor;
    return static_cast<int>(std::clamp<std::int64_t>(fill, 0, extent));
}

int MarkerValueAt(int offset, int extent, int minimum, int maximum) {
    if (extent <= 0) return minimum;
    const std::int64_t off = std::max(offset, 0);
    const std::int64_t value = (std::int64_t{maximum} - minimum) * off / extent + minimum;
    return static_cast<int>(std::clamp<std::int64_t>(value, minimum, std::max(minimum, maximum)));
}

int MarkerSetPosValue(int value, int minimum, int maximum) {
    return (value >= minimum && value <= maximum) ? value : minimum;
}

int MarkerClampedValue(int value, int minimum, int maximum) {
    return std::clamp(value, minimum, std::max(minimum, maximum));
}

}  // namespace qv530
