#include "app/StartUpMarks.h"

#include <chrono>

#include "platform/DebugLog.h"

namespace qv530 {

void MarkStartUp(const char* step) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    DebugPrintf("Start-up: %s at %.3f ms\n", step, std::chrono::duration<double, std::milli>(now).count());
}

} // namespace qv530
