#pragma once
// Time, injected: the protocol's fixed pauses go through a Sleeper so that
// tests record them instead of waiting.
#include <chrono>
#include <thread>

namespace qv530 {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(int milliseconds) = 0;
};

// Really waits; used for every real device.
class RealSleeper final : public Sleeper {
public:
    void SleepMs(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

// Does not wait (the pause is still traced by the caller); for emulated
// devices with --fast and for tests.
class NoSleeper final : public Sleeper {
public:
    void SleepMs(int milliseconds) override { total += milliseconds; }
    long long total = 0;
};

} // namespace qv530
