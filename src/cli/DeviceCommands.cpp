// qv530ctl list, apply, reset and watch.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <cerrno>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "device/DeviceSession.h"
#include "device/EmulatedDevices.h"
#include "device/FirmwareGate.h"
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "profiles/ProfileStore.h"
#include "platform/HidrawDevice.h"
#include "settings/PointerValues.h"
#include "platform/UdevMonitor.h"
#include "profiles/StartupProfile.h"
#include "usecases/ApplyUseCase.h"
#include "usecases/DeviceRuntime.h"

namespace qv530::cli {
namespace {

struct ApplyOptions {
    std::string config;
    bool emulateA11D = false;
    bool emulateA1DC = false;
    bool pad = false;
    bool fast = false;
    int unplugAfter = -1;
    std::string trace;
    bool emulated() const { return emulateA11D || emulateA1DC; }
};

bool ParseApplyOptions(const Args& args, ApplyOptions& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) {
                err << "qv530ctl: " << arg << " needs a value\n";
                return false;
            }
            target = args[++i];
            return true;
        };
        if (arg == "--config") {
            if (!value(options.config)) return false;
        } else if (arg == "--trace") {
            if (!value(options.trace)) return false;
        } else if (arg == "--emulate") {
            std::string which;
            if (!value(which)) return false;
            if (which == "a11d") options.emulateA11D = true;
            else if (which == "a1dc") options.emulateA1DC = true;
            else if (which == "both") options.emulateA11D = options.emulateA1DC = true;
            else {
                err << "qv530ctl: --emulate takes a11d, a1dc or both\n";
                return false;
            }
        } else if (arg == "--pad") {
            options.pad = true;
        } else if (arg == "--fast") {
            options.fast = true;
        } else if (arg == "--unplug-after") {
            std::string count;
            if (!value(count)) return false;
            char* end = nullptr;
            errno = 0;
            const long reports = std::strtol(count.c_str(), &end, 10);
            if (count.empty() || *end != '\0' || errno != 0 || reports < 0 || reports > 1000000) {
                err << "qv530ctl: --unplug-after takes a number of reports (0 or more)\n";
                return false;
            }
            options.unplugAfter = static_cast<int>(reports);
        } else {
            err << "qv530ctl: unknown option '" << arg << "'\n";
            return false;
        }
    }
    if (options.fast && !options.emulated()) {
        err << "qv530ctl: --fast is only for emulated devices (--emulate)\n";
        return false;
    }
    if (options.unplugAfter >= 0 && !options.emulated()) {
        err << "qv530ctl: --unplug-after unplugs an emulated mouse and needs --emulate\n";
        return false;
    }
    if (options.pad && !options.emulated()) {
        err << "qv530ctl: --pad adds an emulated pad and needs --emulate\n";
        return false;
    }
    return true;
}

// "the a11d mouse", as a message names a device by its trace name.
std::string DeviceTitle(const std::string& device) {
    if (device == kPadName) return "mouse pad";
    std::string title = device;
    for (char& c : title) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return title + " mouse";
}

RuntimeOptions RuntimeOptionsOf(const ApplyOptions& options) {
    RuntimeOptions runtime;
    runtime.emulateA11D = options.emulateA11D;
    runtime.emulateA1DC = options.emulateA1DC;
    runtime.emulatePad = options.pad;
    runtime.fast = options.fast;
    runtime.unplugAfter = options.unplugAfter;
    runtime.tracePath = options.trace;
    return runtime;
}

// Everything a command needs to talk to the devices as the program does.
struct Session {
    MouseSettings settings;
    MouseSettings sent;
    DeviceState state;
    UiStrings texts;
    ConfigFiles files{DataFolder()};
    DeviceLink link;
    DeviceRuntime runtime;

    // Loads the current profile as the program does at start-up (this may
    // initialise and save it, as the program's start does); says on err
    // what was loaded instead when the profile could not be.
    // Returns false when the profile's configuration file is no profile
    // file (the factory settings stand in for it).
    bool LoadProfile(std::ostream& err) {
        std::string notice;
        bool damaged = false;
        LoadProfileAtStartUp(files, settings, state, sent, texts, &notice, &damaged);
        if (!notice.empty()) err << "qv530ctl: " << notice << "\n";
        return !damaged;
    }
    // Prints every failed write; true when there was one.
    bool ReportWriteFailures(std::ostream& err) {
        for (const std::string& note : files.TakeNotes()) err << "qv530ctl: " << note << "\n";
        const std::vector<std::string> failures = files.TakeWriteFailures();
        for (const std::string& failure : failures) err << "qv530ctl: " << failure << "\n";
        return !failures.empty();
    }

    Session(const ApplyOptions& options, std::ostream& out) : runtime(RuntimeOptionsOf(options), &out) {}
};

int RunSequence(const Args& args, bool reset, std::ostream& out, std::ostream& err) {
    ApplyOptions options;
    if (!ParseApplyOptions(args, options, err)) return 2;
    Session session(options, out);
    if (!options.config.empty()) {
        const long long size = FileSize(options.config);
        if (size < 0) {
            err << "qv530ctl: " << options.config << ": no such file\n";
            return 1;
        }
        if (size != static_cast<long long>(config_file::kSize)) {
            err << "qv530ctl: " << options.config << " has " << size << " bytes; a configuration file has "
                << config_file::kSize << "\n";
            return 1;
        }
    }

    DeviceSession devices(session.runtime.backend(), session.link, session.settings, session.state, nullptr);
    devices.DiscoverAll();
    for (const std::string& message : devices.discovery().accessMessages()) err << "qv530ctl: " << message << "\n";
    if (!session.link.AnyMouse() && session.link.padConnected.load() != 1) {
        err << "qv530ctl: no device found; nothing was sent or saved\n";
        return 1;
    }
    if (const FirmwareDecision firmware = CheckFirmware(session.link, false); firmware.tooOld) {
        err << "qv530ctl: the " << DeviceName(firmware.variant)
            << " mouse's firmware is too old; update it with the maker's updater first\n";
        return 1;
    }

    // Only now that there is something to send is the profile loaded; the
    // data folder stays locked until it is saved.
    const StoreSession store(session.files.dataFolder());
    if (!store.ok()) {
        err << "qv530ctl: " << store.refusal() << "; nothing was sent or saved\n";
        return 1;
    }
    // A damaged profile is never sent as if it were one; a reset starts it anew.
    if (!session.LoadProfile(err) && !reset && options.config.empty()) {
        err << "qv530ctl: nothing was sent or saved; qv530ctl reset starts the profile anew from the factory settings\n";
        return 1;
    }
    if (!options.config.empty()) {
        if (session.files.ReadConfigFile(options.config, session.settings, session.state) == 0) {
            err << "qv530ctl: " << session.files.damage() << "; nothing was sent or saved\n";
            return 1;
        }
        const std::string side = SideFilePathFor(options.config);
        if (FileExists(side) && side != options.config) session.files.ReadSideFile(side);
    }

    if (!session.runtime.traceError().empty()) {
        err << "qv530ctl: " << session.runtime.traceError() << "\n";
        return 1;
    }
    const bool tracing = session.runtime.trace() != nullptr;
    // As the window does, the record's pointer settings go to the desktop, but
    // not for an emulated mouse: a demonstration must not change the desktop.
    PointerSettingsBackend& pointer = session.runtime.pointer();
    ApplyContext context{session.settings, session.sent, session.state, session.files, session.link,
                         session.runtime.sleeper(), session.runtime.trace(),
                         [&pointer](const MouseSettings& applied) { ApplyPointerSettings(applied, pointer); },
                         {}};
    const ApplyResult result = reset ? ResetAndApply(context) : ApplySettings(context);
    const bool traceWritten = session.runtime.FlushTrace();
    const bool writeFailed = session.ReportWriteFailures(err);
    if (!result.refused.empty()) {
        err << "qv530ctl: " << result.refused << "\n";
        return 1;
    }
    if (!traceWritten) err << "qv530ctl: " << session.runtime.traceError() << "\n";
    for (const std::string& warning : result.warnings) err << "qv530ctl: warning: " << warning << "\n";
    if (!result.notSaved.empty()) {
        err << "qv530ctl: " << result.notSaved << "\n";
        return 1;
    }
    // A device that failed (unplugged mid-way) does not stop the others,
    // nor the save; the run still fails, naming it.
    std::string missed;
    for (const DeviceFailure& failure : result.failedDevices) {
        err << "qv530ctl: the " << DeviceTitle(failure.device) << " did not take the settings (" << failure.reports
            << " reports failed); was it unplugged?\n";
        missed += (missed.empty() ? "" : " nor to the ") + DeviceTitle(failure.device);
    }
    if (!result.saved || writeFailed) {
        err << "qv530ctl: the settings were sent but the profile could not be saved in " << session.files.dataFolder()
            << "\n";
        return 1;
    }
    if (!traceWritten) return 1;
    if (!tracing || options.trace != "-") {
        out << (reset ? "Reset to factory defaults and applied" : "Applied");
        if (!missed.empty()) out << " (but not to the " << missed << ")";
        out << "; saved " << session.files.configPath() << "\n";
    }
    return result.failedReports > 0 ? 1 : 0;
}

void PrintInterface(std::ostream& out, const HidInterfaceInfo& info, const HidCaps& caps, InterfaceRole role) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%-12s %-16s %04X:%04X firmware %04x usage %04X:%04X feature %u input %u output %u",
                  RoleName(role), info.path.c_str(), info.vendorId, info.productId, info.version, caps.usagePage,
                  caps.usage, caps.featureReportLength, caps.inputReportLength, caps.outputReportLength);
    out << line << "\n";
}

} // namespace

int RunApply(const Args& args, std::ostream& out, std::ostream& err) { return RunSequence(args, false, out, err); }
int RunReset(const Args& args, std::ostream& out, std::ostream& err) { return RunSequence(args, true, out, err); }

int RunList(const Args& args, std::ostream& out, std::ostream& err, HidBackend* backendOverride) {
    if (!args.empty()) {
        err << "usage: qv530ctl list\n";
        return 2;
    }
    LinuxHidBackend linux;
    HidBackend& backend = backendOverride ? *backendOverride : static_cast<HidBackend&>(linux);
    int found = 0;
    int denied = 0;
    for (const HidInterfaceInfo& info : backend.Enumerate()) {
        if (info.vendorId != kVendorId) continue;
        for (const HidCaps& caps : info.collections) {
            const Recognition recognised = RecogniseInterface(info.productId, caps);
            if (!recognised.role) continue;
            ++found;
            PrintInterface(out, info, caps, *recognised.role);
            if (recognised.refusal) out << "             refused: " << recognised.refusal;
            const OpenResult opened = backend.Open(info, OpenMode::ReadOnly);
            if (!opened.device && (opened.error == EACCES || opened.error == EPERM)) {
                ++denied;
                err << "qv530ctl: " << AccessDeniedMessage(info.path, info.productId) << "\n";
            }
        }
    }
    if (found == 0) out << "no device found\n";
    return denied > 0 ? 1 : 0;
}

int RunWatch(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: qv530ctl watch\n";
        return 2;
    }
    // Ctrl+C and SIGTERM arrive on a descriptor beside udev's, so the loop
    // sleeps until either has something. They are blocked before the reader
    // threads start, which inherit the mask: no thread takes them the
    // ordinary way.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t previousMask;
    ::pthread_sigmask(SIG_BLOCK, &stopSignals, &previousMask);
    const int stopFd = ::signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (stopFd < 0) {
        ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
        err << "qv530ctl: cannot wait for signals: " << std::strerror(errno) << "\n";
        return 1;
    }

    Session session(ApplyOptions{}, out);
    session.LoadProfile(err);
    session.ReportWriteFailures(err);
    UdevMonitor monitor;
    if (!monitor.Open()) err << "qv530ctl: udev is not available; plugging and unplugging will not be seen\n";
    std::mutex outMutex;
    const auto say = [&](const std::string& text) {
        std::lock_guard lock(outMutex);
        out << text << std::endl;
    };
    DeviceSession devices(session.runtime.backend(), session.link, session.settings, session.state,
                          [&](int kind, int stage) {
                              const bool a11d = kind == notice::kA11DStage;
                              const std::uint8_t code =
                                  stage >= 0 && stage < 7 ? (a11d ? session.sent.DpiStageA(static_cast<std::size_t>(stage))
                                                                  : session.sent.DpiStageB(static_cast<std::size_t>(stage)))
                                                          : 0;
                              const int dpi = a11d ? DpiFromCode(code) : DpiFromCodeB(code);
                              say(std::string(a11d ? "a11d" : "a1dc") + " stage " + std::to_string(stage + 1) + " (" +
                                  std::to_string(dpi) + " dpi)");
                          });
    devices.DiscoverAll();
    for (const std::string& message : devices.discovery().accessMessages()) err << "qv530ctl: " << message << "\n";
    devices.StartReaders();
    say(session.link.AnyMouse() ? "watching; press Ctrl+C to stop" : "no mouse yet; watching; press Ctrl+C to stop");

    bool udev = monitor.IsOpen();
    for (;;) {
        pollfd descriptors[2] = {{stopFd, POLLIN, 0}, {monitor.fd(), POLLIN, 0}};
        const int ready = ::poll(descriptors, udev ? 2 : 1, -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (descriptors[0].revents != 0) break;
        if (descriptors[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            err << "qv530ctl: udev stopped answering; plugging and unplugging will not be seen\n";
            udev = false;
            continue;
        }
        if (descriptors[1].revents == 0) continue;
        while (auto event = monitor.Receive()) {
            const int code = DeviceChangeEventCode(*event);
            if (code == 0) continue;
            const DeviceChangeEffects effects = devices.OnDeviceChange(code, event->devpath);
            if (!effects.handled) continue;
            if (effects.reloadProfile) {
                ReloadProfileAfterPlug(session.files, session.settings, session.state);
                CopySettings(session.settings, session.sent);
            }
            say(std::string(code == kDeviceArrival ? "arrival " : "removal ") + event->devpath);
        }
    }
    devices.Shutdown();
    // The signal that ended the wait is taken, so none is left pending.
    signalfd_siginfo taken{};
    while (::read(stopFd, &taken, sizeof taken) == static_cast<ssize_t>(sizeof taken)) {}
    ::close(stopFd);
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    return 0;
}

} // namespace qv530::cli
