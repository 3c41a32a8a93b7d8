#pragma once
// The "dump" listing of a configuration file: one "name: value" line per
// field of the record, named as the record's fields are named.
#include <string>
#include <vector>

#include "settings/MouseSettings.h"

namespace qv530::cli {

std::vector<std::string> DumpRecord(const MouseSettings& settings);

} // namespace qv530::cli
