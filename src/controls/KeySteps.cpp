#include "KeySteps.h"

#include <algorithm>
#include <cstdint>

namespace qv530 {

int SteppedValue(int value, int minimum, int maximum, KeyStep step) {
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    const std::int64_t page = std::max<std::int64_t>(1, (std::int64_t{high} - low) / 10);
    std::int64_t next = std::clamp(value, low, high);
    switch (step) {
    case KeyStep::Less: next -= 1; break;
    case KeyStep::More: next += 1; break;
    case KeyStep::PageLess: next -= page; break;
    case KeyStep::PageMore: next += page; break;
    case KeyStep::First: next = low; break;
    case KeyStep::Last: next = high; break;
    case KeyStep::None: break;
    }
    return static_cast<int>(std::clamp<std::int64_t>(next, low, high));
}

int SteppedChoice(int current, int count, KeyStep step) {
    if (count <= 0) return -1;
    if (step == KeyStep::None) return current;
    const bool forward = step == KeyStep::More || step == KeyStep::PageMore;
    if (step == KeyStep::First) return 0;
    if (step == KeyStep::Last) return count - 1;
    if (current < 0 || current >= count) {
        if (forward) return 0;
        return count - 1;  // backward
    }
    if (forward) return (current + 1) % count;
    return (current + count - 1) % count;  // backward
}

}  // namespace qv530
