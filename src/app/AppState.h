#pragma once
// The program's process-wide records and services, created once by the
// application object and handed to the main window.
#include <functional>
#include <memory>
#include <string>

#include "device/DeviceLink.h"
#include "device/EmulatedDevices.h"
#include "device/Trace.h"
#include "lang/UiStrings.h"
#include "platform/HidDevice.h"
#include "platform/Sleeper.h"
#include "settings/ConfigFiles.h"

namespace qv530 {

struct AppOptions {
    bool demo = false;       // emulated A11D mouse and pad, window shown after the splash
    std::string tracePath;   // write the devices' trace here
    bool help = false;
    bool version = false;
    std::string error;       // a bad command line
};
AppOptions ParseAppOptions(int argc, char** argv);

struct AppState {
    explicit AppState(const AppOptions& options);
    ~AppState();

    AppOptions options;
    MouseSettings settings;
    MouseSettings sent;
    DeviceState state;
    UiStrings texts;
    std::string language;
    std::string programFolder; // with a trailing '/'
    std::unique_ptr<ConfigFiles> files;
    DeviceLink link;
    std::unique_ptr<HidBackend> backend;
    std::shared_ptr<EmulatedMouse> demoMouse; // demo mode only
    std::unique_ptr<Sleeper> sleeper;
    Trace trace;
    bool tracing = false;
    // Hands the record's pointer settings to the desktop.
    std::function<void(const MouseSettings&)> applyPointerSettings;

private:
    struct TraceFile;
    std::unique_ptr<TraceFile> traceFile_;
};

} // namespace qv530
