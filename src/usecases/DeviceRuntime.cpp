#include "usecases/DeviceRuntime.h"

#include "platform/HidrawDevice.h"

namespace qv530 {

DeviceRuntime::DeviceRuntime(const RuntimeOptions& options, std::ostream* stdoutSink) {
    if (options.emulated() || options.emulatePad) {
        auto emulated = std::make_unique<EmulatedBackend>();
        for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC}) {
            if (!(variant == MouseVariant::A11D ? options.emulateA11D : options.emulateA1DC)) continue;
            auto mouse = std::make_shared<EmulatedMouse>(variant);
            if (!emulatedMouse_) emulatedMouse_ = mouse;
            emulated->Plug(mouse);
        }
        if (options.emulatePad) emulated->Plug(std::make_shared<EmulatedPad>());
        backend_ = std::move(emulated);
        pointer_ = std::make_unique<RecordingPointerSettings>();
    } else {
        backend_ = std::make_unique<LinuxHidBackend>();
        pointer_ = MakeDesktopPointerSettings();
    }
    if (options.fast && options.emulated()) sleeper_ = std::make_unique<NoSleeper>();
    else sleeper_ = std::make_unique<RealSleeper>();

    if (options.tracePath.empty()) return;
    std::ostream* sink = stdoutSink;
    if (options.tracePath != "-") {
        traceFile_.open(options.tracePath);
        sink = traceFile_ ? &traceFile_ : nullptr;
    }
    if (sink == nullptr) {
        traceError_ = "cannot write the trace to " + options.tracePath;
        return;
    }
    tracing_ = true;
    trace_.SetSink([sink](const std::string& line) { *sink << line << '\n' << std::flush; });
}

DeviceRuntime::~DeviceRuntime() { trace_.SetSink(nullptr); }

void DeviceRuntime::FlushTrace() {
    if (traceFile_.is_open()) traceFile_.flush();
}

} // namespace qv530
