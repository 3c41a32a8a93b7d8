#include "platform/KdePointerSettings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>

#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "platform/KdeConfigText.h"

namespace qv530 {

// The same curve as GNOME's speed: both are libinput's acceleration.
double LibinputAccelerationFromSpeed(int speed) { return GnomeSpeedFromSpeed(speed); }

std::vector<std::string> KdeLibinputGroup(const InputDeviceId& device) {
    return {kde_key::kLibinputGroup, std::to_string(device.vendor), std::to_string(device.product), device.name};
}

namespace {

// Three decimals and a point whatever the locale, as KConfig reads a double.
std::string AccelerationText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr);
}

std::string Describe(const std::string& file, const std::vector<std::string>& group, const std::string& key) {
    return file + " " + KdeGroupHeader(group) + " " + key;
}

class KdePointerSettings final : public PointerSettingsBackend {
public:
    KdePointerSettings(DesktopSession session, KdeSessionBus* bus, std::vector<InputDeviceId> mice)
        : session_(std::move(session)), bus_(bus), mice_(std::move(mice)) {}

    bool SetMouse(const MouseAcceleration&, unsigned) override {
        return Refuse("enhanced pointer precision is not set on Plasma");
    }

    bool SetMouseSpeed(int speed, unsigned) override {
        if (speed < 1 || speed > 20) return Refuse("pointer speed " + std::to_string(speed) + " is out of range");
        const std::string value = AccelerationText(LibinputAccelerationFromSpeed(speed));
        if (session_.kind == DesktopKind::KdeX11)
            return Write(kde_key::kInputFile, {kde_key::kX11Group}, kde_key::kX11Acceleration, value, false);
        // Wayland: KWin keeps the acceleration per mouse.
        const auto kwinMice = KwinMice();
        const std::vector<InputDeviceId>& mice = kwinMice ? *kwinMice : mice_;
        if (mice.empty()) return Refuse("no QV530 mouse is connected; Plasma on Wayland keeps the speed per mouse");
        std::string where;
        for (const InputDeviceId& mouse : mice) {
            if (!Write(kde_key::kInputFile, KdeLibinputGroup(mouse), kde_key::kWaylandAcceleration, value, false))
                return false;
            where += (where.empty() ? "" : "; ") + note_;
            if (kwinMice) {
                const bool live = bus_->SetKwinPointerAcceleration(mouse.sysName, LibinputAccelerationFromSpeed(speed));
                where += live ? " and KWin (" + mouse.sysName + ")" : " (KWin did not take it)";
            }
        }
        if (!kwinMice) where += bus_ != nullptr && bus_->Connected() ? " (KWin did not answer)" : "";
        note_ = where;
        return true;
    }

    bool SetWheelScrollLines(int lines, unsigned) override {
        if (lines == kWheelScrollPage) return Refuse("one screen per notch is not available on Plasma");
        if (lines < 1) return Refuse("wheel lines " + std::to_string(lines) + " is out of range");
        return Write(kde_key::kGlobalsFile, {kde_key::kGlobalsGroup}, kde_key::kWheelLines, std::to_string(lines),
                     true);
    }

    bool SetDoubleClickTime(int milliseconds, unsigned) override {
        if (milliseconds <= 0) return Refuse("double-click time " + std::to_string(milliseconds) + " is out of range");
        return Write(kde_key::kGlobalsFile, {kde_key::kGlobalsGroup}, kde_key::kDoubleClick,
                     std::to_string(milliseconds), true);
    }

    std::string Note() const override { return note_; }

private:
    bool Refuse(std::string why) {
        note_ = std::move(why);
        DebugPrintf("Plasma: %s.\n", note_.c_str());
        return false;
    }

    std::optional<std::vector<InputDeviceId>> KwinMice() {
        if (bus_ == nullptr || !bus_->Connected()) return std::nullopt;
        auto pointers = bus_->KwinPointers();
        if (!pointers) return std::nullopt;
        std::erase_if(*pointers, [](const InputDeviceId& d) { return !IsOurMouse(d.vendor, d.product); });
        return pointers;
    }

    // Sets one entry; a file we cannot read is left alone. Then the session
    // is told, when there is one.
    bool Write(const std::string& file, const std::vector<std::string>& group, const std::string& key,
               const std::string& value, bool globalSettings) {
        if (session_.configFolder.empty()) return Refuse("neither XDG_CONFIG_HOME nor HOME is set");
        const std::string path = session_.configFolder + "/" + file;
        std::string text;
        if (PathExists(path)) {
            const auto read = ReadWholeFile(path);
            if (!read) return Refuse(DescribeReadError(path, errno) + "; it is left as it is");
            text = *read;
        } else if (const int error = MakeFolders(session_.configFolder); error != 0) {
            return Refuse(DescribeWriteError(path, error));
        }
        const std::string edited = SetKdeConfigEntry(text, group, key, value);
        if (edited != text) {
            if (const int error = WriteFileAtomic(path, edited); error != 0)
                return Refuse(DescribeWriteError(path, error));
        }
        note_ = Describe(file, group, key) + " = " + value;
        if (bus_ == nullptr || !bus_->Connected()) {
            note_ += " (no session bus: running programs not told)";
            return true;
        }
        const bool told = bus_->NotifyConfigChanged(file, group, key) &&
                          (!globalSettings || bus_->NotifyMouseSettingsChanged());
        if (!told) note_ += " (the session could not be told)";
        return true;
    }

    DesktopSession session_;
    KdeSessionBus* bus_;
    std::vector<InputDeviceId> mice_;
    std::string note_;
};

} // namespace

std::unique_ptr<PointerSettingsBackend> MakeKdePointerSettings(const DesktopSession& session, KdeSessionBus* bus,
                                                               std::vector<InputDeviceId> mice) {
    return std::make_unique<KdePointerSettings>(session, bus, std::move(mice));
}

} // namespace qv530
