#pragma once
// The application object: one copy per desktop (a second one ends at once,
// silently), the menu style, the splash, then the main window until the
// tray's Exit.
namespace qv530 {

class CMouseConfigurationApp {
public:
    int Run(int argc, char** argv);
};

} // namespace qv530
