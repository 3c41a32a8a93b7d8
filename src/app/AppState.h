#pragma once
// The program's process-wide records and services, created once by the
// application object and handed to the main window: the devices, the
// edited profile (through its editor) and the program folder.
#include <memory>
#include <string>

#include "device/DeviceLink.h"
#include "pages/ProfileEditor.h"
#include "usecases/DeviceRuntime.h"

namespace qv530 {

struct AppOptions {
    bool demo = false;       // emulated A11D mouse and pad, window shown after the splash
    std::string tracePath;   // write the devices' trace here
    int unplugAfter = -1;    // with demo: the emulated mouse is unplugged after this many reports
    bool help = false;
    bool version = false;
    std::string error;       // a bad command line
};
AppOptions ParseAppOptions(int argc, char** argv);

struct AppState {
    explicit AppState(const AppOptions& options);

    AppOptions options;
    std::string programFolder; // with a trailing '/'
    DeviceLink link;
    std::unique_ptr<DeviceRuntime> runtime;
    std::unique_ptr<ProfileEditor> editor;
};

} // namespace qv530
