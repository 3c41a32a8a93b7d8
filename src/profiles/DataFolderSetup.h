#pragma once
#include <ostream>
#include <string_view>

namespace qv530 {

// Removes the temporary files of saves that processes no longer running
// left behind, then creates the data folder and its factory files on the
// first run; problems
// are reported on err as "PROGRAM: warning: ..." and the caller goes on
// (missing files read as missing).
void PrepareDataFolder(std::ostream& err, std::string_view program);

} // namespace qv530
