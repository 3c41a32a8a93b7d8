#include "app/AppState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>


namespace qv530 {

AppOptions ParseAppOptions(int argc, char** argv) {
    AppOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--trace" && i + 1 < argc) {
            options.tracePath = argv[++i];
        } else if (arg == "--unplug-after" && i + 1 < argc) {
            char* end = nullptr;
            const long reports = std::strtol(argv[++i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || reports < 0 || reports > 1000000)
                options.error = "--unplug-after takes a number of reports (0 or more)";
            else
                options.unplugAfter = static_cast<int>(reports);
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
    if (options.unplugAfter >= 0 && !options.demo && options.error.empty())
        options.error = "--unplug-after unplugs the emulated mouse and needs --demo";
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

RuntimeOptions RuntimeOptionsOf(const AppOptions& options) {
    RuntimeOptions runtime;
    runtime.emulateA11D = options.demo;
    runtime.emulatePad = options.demo;
    runtime.tracePath = options.tracePath;
    runtime.unplugAfter = options.unplugAfter;
    return runtime;
}

} // namespace

AppState::AppState(const AppOptions& opts)
    : options(opts), programFolder(ExecutableFolder()),
      runtime(std::make_unique<DeviceRuntime>(RuntimeOptionsOf(opts))),
      editor(std::make_unique<ProfileEditor>(DataFolder())) {
    if (!runtime->traceError().empty()) std::fprintf(stderr, "qv530: %s\n", runtime->traceError().c_str());
}

} // namespace qv530
