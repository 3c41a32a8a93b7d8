// qv530ctl pointer: where this desktop takes the profile's pointer settings,
// and "pointer apply" to hand them over now without touching the mouse.
#include <ostream>

#include "cli/Commands.h"
#include "cli/SettingCommands.h"
#include "platform/DesktopPointerSettings.h"
#include "platform/PointerSettings.h"
#include "settings/PointerValues.h"

namespace qv530::cli {
namespace {

using Kind = PointerRoute::Kind;

std::string Heading(PointerSetting setting, const DesktopSession& session) {
    return std::string(PointerSettingName(setting)) + " on " + DesktopTitle(session) + ": ";
}

int PrintRoutes(std::ostream& out) {
    const DesktopSession session = CurrentDesktop();
    const std::vector<InputDeviceId> mice = SessionMice(session);
    for (const PointerSetting setting : kPointerSettings) {
        const PointerRoute route = RouteOf(session, setting, mice);
        const bool taken = route.kind == Kind::Taken || route.kind == Kind::TakenLinesOnly;
        out << Heading(setting, session) << (taken ? "applied to " : "not applied: ") << route.detail << "\n";
    }
    return 0;
}

// Sends one setting; prints its line; returns false when the desktop was
// meant to take it and did not.
bool SendOne(PointerSetting setting, const PointerValues& values, const PointerRoute& route,
             PointerSettingsBackend& backend, const DesktopSession& session, std::ostream& out) {
    bool taken = false;
    switch (setting) {
    case PointerSetting::Speed: {
        // Enhanced precision travels with the speed; only GNOME has a place for it.
        const bool precision = backend.SetMouse(values.precision ? kPrecisionOn : kPrecisionOff, kSendChange);
        const std::string precisionNote = backend.Note();
        taken = backend.SetMouseSpeed(values.speed, kSendChange);
        if (taken && !precision && session.kind == DesktopKind::Gnome) {
            out << Heading(setting, session) << "applied to " << backend.Note() << ", but not " << precisionNote
                << "\n";
            return false;
        }
        break;
    }
    case PointerSetting::DoubleClick:
        taken = backend.SetDoubleClickTime(values.doubleClickMs, kUpdateIniFile | kSendChange);
        break;
    case PointerSetting::Wheel: taken = backend.SetWheelScrollLines(values.wheelLines, kSendChange); break;
    case PointerSetting::AngleSnap:
        out << Heading(setting, session) << "not applied: " << route.detail << "\n";
        return true;
    }
    out << Heading(setting, session) << (taken ? "applied to " : "not applied: ") << backend.Note() << "\n";
    const bool expected = route.kind == Kind::Taken ||
                          (route.kind == Kind::TakenLinesOnly && values.wheelLines != kWheelScrollPage);
    return taken || !expected;
}

int ApplyNow(std::ostream& out, std::ostream& err) {
    CliProfile profile = LoadCurrent(err);
    const bool writeFailed = ReportWriteFailures(profile, err);
    const PointerValues values = PointerValuesOf(profile.settings);
    const DesktopSession session = CurrentDesktop();
    const std::vector<InputDeviceId> mice = SessionMice(session);
    const auto backend = MakeDesktopPointerSettings();
    bool failed = false;
    int taken = 0;
    for (const PointerSetting setting : kPointerSettings) {
        const PointerRoute route = RouteOf(session, setting, mice);
        if (route.kind == Kind::Taken || route.kind == Kind::TakenLinesOnly) ++taken;
        if (!SendOne(setting, values, route, *backend, session, out)) failed = true;
    }
    if (failed) err << "qv530ctl: the desktop did not take every pointer setting\n";
    if (taken == 0) err << "qv530ctl: " << DesktopTitle(session) << " takes none of the pointer settings\n";
    return failed || taken == 0 || writeFailed || profile.damaged ? 1 : 0;
}

} // namespace

int RunPointer(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return PrintRoutes(out);
    if (args.size() == 1 && args[0] == "apply") return ApplyNow(out, err);
    err << "usage: qv530ctl pointer [apply]\n";
    return 2;
}

} // namespace qv530::cli
