#include "app/CMouseConfigurationApp.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QSystemTrayIcon>

#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/AppState.h"
#include "app/CDlgSplash.h"
#include "app/CMouseConfigurationDlg.h"
#include "app/StartUpMarks.h"
#include "app/NoticeRoute.h"
#include "app/X11Windows.h"
#include "profiles/DataFolderSetup.h"
#include "ProjectVersion.h"
#include "controls/CExMenu.h"
#include "controls/SkinLoader.h"
#include "controls/SkinPath.h"
#include "platform/DebugLog.h"
#include "platform/InstanceChannel.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignal.h"

namespace qv530 {
namespace {

constexpr const char* kUsage =
    "usage: qv530 [--demo [--unplug-after N]] [--trace FILE]\n"
    "  --demo        run on the built-in emulated mouse and pad, window shown at once\n"
    "  --unplug-after N  with --demo: the emulated mouse is unplugged after N reports\n"
    "  --trace FILE  write every report and pause sent to the devices into FILE\n"
    "  --version     print the version\n"
    "  --help        this text\n";

// Tells, once, when the window has painted its first picture.
class FirstPaintMark : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint has reached the screen.
            QTimer::singleShot(0, this, [] { MarkStartUp("window ready"); });
        }
        return false;
    }
};

} // namespace

int CMouseConfigurationApp::Run(int argc, char** argv) {
    const AppOptions options = ParseAppOptions(argc, argv);
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "qv530 " << kProjectVersion << "\n";
        return 0;
    }
    if (!options.error.empty()) {
        std::cerr << "qv530: " << options.error << "\n" << kUsage;
        return 2;
    }

    // One copy per desktop: a second one ends at once, with no window and no
    // message. It tells the running copy, which shows its window when there
    // is no tray to open it from.
    const std::string runtime = RuntimeFolder();
    SingleInstanceLock instance;
    if (!instance.Acquire(runtime)) {
        std::string ignored;
        SendInstanceRequest(InstanceSocketPath(), "started", ignored);
        return 0;
    }
    MarkStartUp("program started");

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    InstallMenuStyle(application);

    PrepareDataFolder(std::cerr, "qv530");
    AppState app(options);

    CMouseConfigurationDlg window(app);
    window.windowTitled = TopLevelWindowTitled;

    // Other programs (qv530ctl show) reach the running copy here.
    InstanceServer server;
    std::unique_ptr<QSocketNotifier> requests;
    if (server.Listen(InstanceSocketPath())) {
        requests = std::make_unique<QSocketNotifier>(server.fd(), QSocketNotifier::Read);
        QObject::connect(requests.get(), &QSocketNotifier::activated, &window, [&] {
            for (const std::string& line : server.TakeRequests()) {
                const InstanceRequest request = ParseInstanceRequest(line);
                DebugPrintf("Request: %s\n", line.c_str());
                if (request.kind == InstanceRequest::Kind::Restore) window.ShowFromTray();
                if (request.kind == InstanceRequest::Kind::Started &&
                    SecondStartShowsWindow(QSystemTrayIcon::isSystemTrayAvailable()))
                    window.ShowFromTray();
                if (request.kind == InstanceRequest::Kind::DemoStage && app.runtime->emulatedMouse())
                    app.runtime->emulatedMouse()->InjectStageChange(static_cast<std::uint8_t>(request.stage));
                DebugPrintf("Request handled: window %s\n", window.isVisible() ? "shown" : "hidden");
            }
        });
    } else {
        DebugWrite("The restore socket could not be opened.\n");
    }

    // The session ending (or a Ctrl+C) ends the program as its Exit does.
    std::unique_ptr<QSocketNotifier> termination;
    bool ended = false;
    if (const int fd = TerminationSignalFd(); fd >= 0) {
        termination = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(termination.get(), &QSocketNotifier::activated, &window, [&] {
            termination->setEnabled(false);
            DebugWrite("Ended by a signal.\n");
            ended = true;
            window.Quit();
        });
    }

    // The window is built while the splash shows: at its end only showing
    // the window or the tray icon is left.
    {
        CDlgSplash splash;
        QObject::connect(&splash, &CDlgSplash::pictureShown, &window, [&window] {
            window.Prepare();
            MarkStartUp("window built");
        });
        splash.exec();
    }
    if (ended) return 0;
    FirstPaintMark firstPaint;
    window.installEventFilter(&firstPaint);
    window.Present();
    MarkStartUp("presented");
    if (!window.isVisible()) {
        window.removeEventFilter(&firstPaint);
        if (window.trayIconShown()) MarkStartUp("tray icon ready");
    }
    return application.exec();
}

} // namespace qv530
