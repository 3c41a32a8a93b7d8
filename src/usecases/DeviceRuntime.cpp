#include "usecases/DeviceRuntime.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/HidrawDevice.h"

#include <cerrno>
#include <cstring>

namespace qv530 {

DeviceRuntime::DeviceRuntime(const RuntimeOptions& options, std::ostream* stdoutSink) {
    if (options.emulated() || options.emulatePad) {
        auto emulated = std::make_unique<EmulatedBackend>();
        for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC}) {
            if (!(variant == MouseVariant::A11D ? options.emulateA11D : options.emulateA1DC)) continue;
            auto mouse = std::make_shared<EmulatedMouse>(variant);
            if (!emulatedMouse_) {
                emulatedMouse_ = mouse;
                if (options.unplugAfter >= 0) mouse->UnplugAfter(options.unplugAfter);
            }
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
        // A FIFO that no program reads would hold the open for ever.
        const int probe = ::open(options.tracePath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (probe < 0 && errno == ENXIO) {
            traceError_ = "cannot write the trace to " + options.tracePath + ": it is a FIFO that no program reads";
            return;
        }
        if (probe >= 0) ::close(probe);
        traceFile_.open(options.tracePath);
        sink = traceFile_ ? &traceFile_ : nullptr;
    }
    if (sink == nullptr) {
        traceError_ = "cannot write the trace to " + options.tracePath + ": " + std::strerror(errno);
        return;
    }
    tracing_ = true;
    tracePath_ = options.tracePath;
    trace_.SetSink([this, sink](const std::string& line) {
        errno = 0;
        *sink << line << '\n' << std::flush;
        if (!*sink && traceWriteError_.load() == 0) traceWriteError_ = errno != 0 ? errno : EIO;
    });
}

DeviceRuntime::~DeviceRuntime() { trace_.SetSink(nullptr); }

bool DeviceRuntime::FlushTrace() {
    if (traceFile_.is_open()) {
        errno = 0;
        traceFile_.flush();
        if (!traceFile_ && traceWriteError_.load() == 0) traceWriteError_ = errno != 0 ? errno : EIO;
    }
    if (const int error = traceWriteError_.load(); error != 0 && traceError_.empty())
        traceError_ = "cannot write the trace to " + (tracePath_ == "-" ? std::string("standard output") : tracePath_) +
                      ": " + std::strerror(error);
    return traceWriteError_.load() == 0;
}

} // namespace qv530
