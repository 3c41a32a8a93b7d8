#include "buttons/LeftClickRule.h"

#include "buttons/ButtonFunction.h"

namespace qv530 {

bool IsLastLeftClick(const MouseSettings& settings, std::size_t button) {
    if (button >= field::kSentButtons || settings.at(field::kButtonFunction + button) != function::kLeftClick) {
        return false;
    }
    std::size_t leftClicks = 0;
    for (std::size_t i = 0; i < field::kSentButtons; ++i) {
        if (settings.at(field::kButtonFunction + i) == function::kLeftClick) {
            ++leftClicks;
        }
    }
    return leftClicks == 1;
}

} // namespace qv530
