#pragma once
// The programs the user runs now, as names a game binding can take: one name
// a program, sorted, for the "pick a running program" list of the game
// dialog. A process is named by the last part of its first argument when
// that is the program the kernel names (its first 15 bytes are the kernel
// name) or a Windows program (".exe", started by Wine or Proton), else by
// its kernel name. Kernel threads (no first argument) and names a binding
// refuses are left out.
#include <string>
#include <vector>

#include "platform/ProcessTable.h"

namespace qv530 {

// The name a binding takes for process; empty when it has none.
std::string BindableProcessName(const ProcessName& process);
// The names of the table's processes (those it lets us read), sorted with
// ASCII case ignored, each program once.
std::vector<std::string> RunningProgramNames(ProcessTable& table);

} // namespace qv530
