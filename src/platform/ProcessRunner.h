#pragma once
// Runs a helper program (gsettings, for one) with an argument vector and no
// shell, and collects what it prints. Injectable so tests check the exact
// argument vectors without starting anything.
#include <string>
#include <vector>

namespace qv530 {

struct ProcessResult {
    bool started = false;  // false: the program was not found or could not be started
    bool timedOut = false; // the program ran past its time and was killed
    int exitCode = -1;     // the exit status when it ended normally, else -1
    std::string out;       // its standard output (at most 64 KiB are kept)
    std::string err;       // its standard error (the same limit)
    // Started, ended by itself with status 0.
    bool ok() const { return started && !timedOut && exitCode == 0; }
};

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // argv[0] is looked up in PATH. Standard input is /dev/null. The program
    // is killed when it has not ended after timeoutMs milliseconds. Never
    // throws; a failure shows in the result.
    virtual ProcessResult Run(const std::vector<std::string>& argv, int timeoutMs) = 0;
};

// Starts real processes.
ProcessRunner& SystemProcessRunner();

} // namespace qv530
