#include "platform/DesktopPointerSettings.h"

#include "platform/KdeConfigText.h"
#include "platform/KdePointerSettings.h"
#include "platform/PointerSettings.h"

namespace qv530 {

std::string_view PointerSettingName(PointerSetting setting) {
    switch (setting) {
    case PointerSetting::Speed: return "pointer-speed";
    case PointerSetting::DoubleClick: return "double-click";
    case PointerSetting::Wheel: return "wheel";
    case PointerSetting::AngleSnap: return "angle-snap";
    }
    return "";
}

namespace {

using Kind = PointerRoute::Kind;

std::string KdeEntry(const char* file, const std::vector<std::string>& group, const char* key) {
    return std::string(file) + " " + KdeGroupHeader(group) + " " + key;
}

PointerRoute KdeRoute(const DesktopSession& session, PointerSetting setting, const std::vector<InputDeviceId>& mice) {
    const std::string tell = " (running programs are told over the session bus)";
    switch (setting) {
    case PointerSetting::Speed: {
        if (session.kind == DesktopKind::KdeX11)
            return {Kind::Taken, KdeEntry(kde_key::kInputFile, {kde_key::kX11Group}, kde_key::kX11Acceleration) +
                                     " (Plasma sets it at login)"};
        if (mice.empty())
            return {Kind::NotThisDesktop, "no QV530 mouse is connected; Plasma on Wayland keeps the speed per mouse"};
        std::string where;
        for (const InputDeviceId& mouse : mice)
            where += (where.empty() ? "" : "; ") +
                     KdeEntry(kde_key::kInputFile, KdeLibinputGroup(mouse), kde_key::kWaylandAcceleration);
        return {Kind::Taken, where + " and KWin's pointerAcceleration of that mouse"};
    }
    case PointerSetting::DoubleClick:
        return {Kind::Taken, KdeEntry(kde_key::kGlobalsFile, {kde_key::kGlobalsGroup}, kde_key::kDoubleClick) + tell};
    case PointerSetting::Wheel:
        return {Kind::TakenLinesOnly, KdeEntry(kde_key::kGlobalsFile, {kde_key::kGlobalsGroup}, kde_key::kWheelLines) +
                                          tell + "; one screen per notch is not available on Plasma"};
    case PointerSetting::AngleSnap: break;
    }
    return {Kind::NoDesktopSetting, "Plasma has no angle-snapping setting; it stays in the profile"};
}

PointerRoute GnomeRoute(PointerSetting setting) {
    const std::string schema = "GSettings org.gnome.desktop.peripherals.mouse ";
    switch (setting) {
    case PointerSetting::Speed: return {Kind::Taken, schema + "speed and accel-profile"};
    case PointerSetting::DoubleClick: return {Kind::Taken, schema + "double-click"};
    case PointerSetting::Wheel: return {Kind::NotThisDesktop, "GNOME has no wheel-lines setting"};
    case PointerSetting::AngleSnap: break;
    }
    return {Kind::NoDesktopSetting, "GNOME has no angle-snapping setting; it stays in the profile"};
}

// Any other desktop: nothing is written.
class OtherDesktopPointerSettings final : public PointerSettingsBackend {
public:
    explicit OtherDesktopPointerSettings(std::string why) : why_(std::move(why)) {}
    bool SetMouse(const MouseAcceleration&, unsigned) override { return false; }
    bool SetMouseSpeed(int, unsigned) override { return false; }
    bool SetWheelScrollLines(int, unsigned) override { return false; }
    bool SetDoubleClickTime(int, unsigned) override { return false; }
    std::string Note() const override { return why_; }

private:
    std::string why_;
};

// The KDE backend with the session bus it talks over; the kernel's list of
// our mice is taken again for every speed, as mice come and go.
class KdeDesktopPointerSettings final : public PointerSettingsBackend {
public:
    explicit KdeDesktopPointerSettings(const DesktopSession& session)
        : session_(session), bus_(MakeGioKdeSessionBus()), backend_(MakeKdePointerSettings(session, bus_.get(), {})) {}
    bool SetMouse(const MouseAcceleration& a, unsigned flags) override { return backend_->SetMouse(a, flags); }
    bool SetMouseSpeed(int speed, unsigned flags) override {
        backend_ = MakeKdePointerSettings(session_, bus_.get(), ListOurInputDevices());
        return backend_->SetMouseSpeed(speed, flags);
    }
    bool SetWheelScrollLines(int lines, unsigned flags) override {
        return backend_->SetWheelScrollLines(lines, flags);
    }
    bool SetDoubleClickTime(int ms, unsigned flags) override { return backend_->SetDoubleClickTime(ms, flags); }
    std::string Note() const override { return backend_->Note(); }

private:
    DesktopSession session_;
    std::unique_ptr<KdeSessionBus> bus_;
    std::unique_ptr<PointerSettingsBackend> backend_;
};

std::string NotSupported(const DesktopSession& session) {
    return DesktopTitle(session) + " is not a desktop this program writes to; nothing is written";
}

} // namespace

PointerRoute RouteOf(const DesktopSession& session, PointerSetting setting, const std::vector<InputDeviceId>& mice) {
    switch (session.kind) {
    case DesktopKind::Gnome: return GnomeRoute(setting);
    case DesktopKind::KdeX11:
    case DesktopKind::KdeWayland: return KdeRoute(session, setting, mice);
    case DesktopKind::Other: break;
    }
    if (setting == PointerSetting::AngleSnap)
        return {Kind::NoDesktopSetting, "no desktop has an angle-snapping setting; it stays in the profile"};
    return {Kind::NotThisDesktop, NotSupported(session)};
}

std::vector<InputDeviceId> SessionMice(const DesktopSession& session) {
    if (session.kind != DesktopKind::KdeWayland) return {};
    const auto bus = MakeGioKdeSessionBus();
    if (bus->Connected()) {
        if (auto pointers = bus->KwinPointers()) {
            std::erase_if(*pointers, [](const InputDeviceId& d) { return !IsOurMouse(d.vendor, d.product); });
            return *pointers;
        }
    }
    return ListOurInputDevices();
}

std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerSettings() {
    const DesktopSession session = CurrentDesktop();
    switch (session.kind) {
    case DesktopKind::Gnome: return MakeGioPointerSettings(true);
    case DesktopKind::KdeX11:
    case DesktopKind::KdeWayland: return std::make_unique<KdeDesktopPointerSettings>(session);
    case DesktopKind::Other: break;
    }
    return std::make_unique<OtherDesktopPointerSettings>(NotSupported(session));
}

} // namespace qv530
