#pragma once
#include <ostream>

namespace qv530::cli {

// Creates the data folder and its factory files on the first run; problems
// are reported on err and the command goes on (missing files read as missing).
void PrepareDataFolder(std::ostream& err);

} // namespace qv530::cli
