#pragma once
// The devices a run talks to, built in one place for the window and the
// CLI: the real hidraw backend or the emulated mice and pad, the pauses,
// the trace of every report, and where the pointer settings go.
#include <atomic>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "device/EmulatedDevices.h"
#include "device/Trace.h"
#include "platform/HidDevice.h"
#include "platform/PointerSettings.h"
#include "platform/Sleeper.h"

namespace qv530 {

struct RuntimeOptions {
    bool emulateA11D = false;
    bool emulateA1DC = false;
    bool emulatePad = false;
    bool fast = false;      // emulated devices only: the pauses are not waited
    std::string tracePath;  // empty: no trace; "-": the trace goes to the given stream
    int unplugAfter = -1;   // emulated devices only: the first mouse is unplugged after this many reports
    bool emulated() const { return emulateA11D || emulateA1DC; }
};

class DeviceRuntime {
public:
    // stdoutSink takes the trace for tracePath "-".
    explicit DeviceRuntime(const RuntimeOptions& options, std::ostream* stdoutSink = nullptr);
    ~DeviceRuntime();
    DeviceRuntime(const DeviceRuntime&) = delete;
    DeviceRuntime& operator=(const DeviceRuntime&) = delete;

    HidBackend& backend() { return *backend_; }
    Sleeper& sleeper() { return *sleeper_; }
    // The trace, or null when none was asked for (or its file could not be opened).
    Trace* trace() { return tracing_ ? &trace_ : nullptr; }
    // Empty, or the message of a trace file that could not be opened or
    // written (after FlushTrace), with the reason.
    const std::string& traceError() const { return traceError_; }
    // The first emulated mouse (demo-stage), or null.
    const std::shared_ptr<EmulatedMouse>& emulatedMouse() const { return emulatedMouse_; }
    // The desktop's pointer settings; a recording stand-in for emulated mice,
    // so that a demonstration never changes the desktop.
    PointerSettingsBackend& pointer() { return *pointer_; }
    // Flushes the trace file; false (and traceError) when a line of it could not be written.
    bool FlushTrace();
    // Tests hold or skip the pauses.
    void ReplaceSleeper(std::unique_ptr<Sleeper> sleeper) { sleeper_ = std::move(sleeper); }

private:
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<Sleeper> sleeper_;
    std::unique_ptr<PointerSettingsBackend> pointer_;
    std::shared_ptr<EmulatedMouse> emulatedMouse_;
    std::ofstream traceFile_;
    Trace trace_;
    bool tracing_ = false;
    std::string traceError_;
    std::string tracePath_;
    std::atomic<int> traceWriteError_{0};
};

} // namespace qv530
