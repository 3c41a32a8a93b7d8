#pragma once
// Which bound programs run now. A process is a bound program when its kernel
// name or the last part of its first argument is the program's name, ASCII
// case ignored. Linux cuts the kernel name at 15 bytes, so a longer program
// name is compared by its first 15 bytes there; the first argument is split
// at '/' and at '\', so a Wine or Proton game started as
// "Z:\games\Shooter.exe" is "shooter.exe".
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ProcessTable.h"

namespace qv530 {

// The kernel keeps this many bytes of a process's name.
inline constexpr std::size_t kKernelNameMax = 15;

// The last part of a first argument, split at both kinds of slash.
std::string_view LastPathPart(std::string_view argument);
// Whether process runs program.
bool ProcessRunsProgram(const ProcessName& process, std::string_view program);
// The process's name as a notice shows it: the last part of its first
// argument when that is the program, else its kernel name.
std::string ShownProcessName(const ProcessName& process, std::string_view program);

class RunningGames {
public:
    // A bound program whose first process started, or whose last one ended.
    struct Change {
        std::string program; // the bound name
        std::string shown;   // the process's own name, for notices
        bool started = false;
    };

    // The bound program names. Programs no longer bound that were running
    // end; newly bound ones already running start.
    std::vector<Change> SetPrograms(const std::vector<std::string>& programs);
    // One look at the table: its IDs, and the names of processes not seen
    // before. Starts come in the order of their process IDs.
    std::vector<Change> Look(ProcessTable& table);
    // The programs running now (bound names).
    std::vector<std::string> Running() const;
    std::size_t knownProcesses() const { return known_.size(); }

private:
    struct Known {
        ProcessName name;
        int program = -1; // index into programs_, -1 for none
    };
    int MatchOf(const ProcessName& name) const;
    // Ends, then starts in the order the programs started.
    std::vector<Change> CountChanges(const std::vector<int>& before, const std::vector<std::size_t>& startOrder);

    std::vector<std::string> programs_;
    std::vector<int> counts_;                // processes running each program
    std::vector<std::string> shown_;         // the name of the process that started each
    std::unordered_map<int, Known> known_;   // by process ID; other users' processes too
};

} // namespace qv530
