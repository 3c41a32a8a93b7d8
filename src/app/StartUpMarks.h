#pragma once
// Debug lines for the steps of the start-up ("Start-up: splash shown at
// 1234.567 ms"), stamped with the monotonic clock so that the footprint
// benchmark can tell how long each step took.
namespace qv530 {

void MarkStartUp(const char* step);

} // namespace qv530
