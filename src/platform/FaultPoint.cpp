#include "platform/FaultPoint.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace qv530 {
namespace {

struct FaultSettings {
    std::atomic<long> killAt{0}; // 0: never
    std::atomic<bool> print{false};
    std::atomic<bool> failing{false};
    std::mutex failMutex;
    std::string failPath;
    int failError = 0;
};

FaultSettings& Settings() {
    static FaultSettings settings;
    static const bool read = [] {
        if (const char* at = std::getenv("QV530_KILL_AT")) settings.killAt = std::strtol(at, nullptr, 10);
        if (const char* print = std::getenv("QV530_FAULT_POINTS")) settings.print = print[0] == '1';
        if (const char* fail = std::getenv("QV530_FAIL_PATH"); fail != nullptr && fail[0] != '\0') {
            settings.failPath = fail;
            settings.failError = ENOSPC;
            settings.failing = true;
        }
        return true;
    }();
    (void)read;
    return settings;
}

std::atomic<long> passed{0};

} // namespace

void ArmFaultPoints(long killAt) {
    Settings().killAt = killAt;
    passed = 0;
}

void ArmFaultFailure(const std::string& pathPart, int error) {
    FaultSettings& settings = Settings();
    std::lock_guard guard(settings.failMutex);
    settings.failPath = pathPart;
    settings.failError = error;
    settings.failing = !pathPart.empty() && error != 0;
}

int FaultPoint(const char* what, const std::string& path) {
    FaultSettings& settings = Settings();
    if (settings.failing) {
        std::lock_guard guard(settings.failMutex);
        if (path.find(settings.failPath) != std::string::npos) return settings.failError;
    }
    if (settings.killAt <= 0 && !settings.print) return 0;
    const long number = ++passed;
    if (settings.print) std::fprintf(stderr, "fault point %ld: %s %s\n", number, what, path.c_str());
    if (number == settings.killAt) {
        std::fflush(stderr);
        ::kill(::getpid(), SIGKILL);
        ::_exit(137); // not reached
    }
    return 0;
}

} // namespace qv530
