#pragma once
// The running processes as /proc lists them: their IDs, and for one process
// its owner, its kernel name ("comm", cut by Linux at 15 bytes) and its
// first argument. Reading the names is the costly part, so callers list the
// IDs every time and read only the processes they have not seen before.
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qv530 {

struct ProcessName {
    std::string comm;  // kernel name, without the newline
    std::string argv0; // first argument as the process gave it; empty for kernel threads
};

class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // The IDs of every process listed now, in no particular order.
    virtual std::vector<int> Pids() = 0;
    // The names of process pid when it runs as this user; nothing when it has
    // ended meanwhile or belongs to someone else.
    virtual std::optional<ProcessName> Read(int pid) = 0;
};

// The table of a /proc folder (another root in tests). The user is the real
// user of this program unless given.
class ProcProcessTable final : public ProcessTable {
public:
    explicit ProcProcessTable(std::string root = "/proc", std::optional<uid_t> user = std::nullopt);
    std::vector<int> Pids() override;
    std::optional<ProcessName> Read(int pid) override;

private:
    std::string root_;
    uid_t user_;
};

} // namespace qv530
