#include "app/AppState.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <unistd.h>

#include "platform/HidrawDevice.h"
#include "platform/PointerSettings.h"

namespace qv530 {

struct AppState::TraceFile {
    std::ofstream stream;
};

AppOptions ParseAppOptions(int argc, char** argv) {
    AppOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--trace" && i + 1 < argc) {
            options.tracePath = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg.rfind("-platform", 0) == 0 || arg.rfind("-display", 0) == 0) {
            ++i; // Qt's own options and their values
        } else {
            options.error = "unknown option '" + arg + "'";
        }
    }
    return options;
}

namespace {

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "./";
    std::string text(path, static_cast<std::size_t>(length));
    return text.substr(0, text.find_last_of('/') + 1);
}

} // namespace

AppState::AppState(const AppOptions& opts) : options(opts), programFolder(ExecutableFolder()) {
    files = std::make_unique<ConfigFiles>(DataFolder(), settings, state);
    if (options.demo) {
        auto emulated = std::make_unique<EmulatedBackend>();
        demoMouse = std::make_shared<EmulatedMouse>(MouseVariant::A11D);
        emulated->Plug(demoMouse);
        emulated->Plug(std::make_shared<EmulatedPad>());
        backend = std::move(emulated);
        auto recording = std::make_shared<RecordingPointerSettings>();
        applyPointerSettings = [recording](const MouseSettings& s) { ApplyPointerSettings(s, *recording); };
    } else {
        backend = std::make_unique<LinuxHidBackend>();
        std::shared_ptr<PointerSettingsBackend> desktop = MakeDesktopPointerSettings();
        applyPointerSettings = [desktop](const MouseSettings& s) { ApplyPointerSettings(s, *desktop); };
    }
    sleeper = std::make_unique<RealSleeper>();
    if (!options.tracePath.empty()) {
        traceFile_ = std::make_unique<TraceFile>();
        traceFile_->stream.open(options.tracePath);
        if (traceFile_->stream) {
            tracing = true;
            std::ofstream* stream = &traceFile_->stream;
            trace.SetSink([stream](const std::string& line) { *stream << line << '\n' << std::flush; });
        } else {
            std::fprintf(stderr, "qv530: cannot write the trace to %s\n", options.tracePath.c_str());
        }
    }
}

AppState::~AppState() { trace.SetSink(nullptr); }

} // namespace qv530
