#pragma once
// What the KDE pointer settings say to the running Plasma session over the
// session bus: KWin's input devices (Wayland) and the change notices that
// make running programs read kdeglobals and kcminputrc again.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DesktopSession.h"

namespace qv530 {

class KdeSessionBus {
public:
    virtual ~KdeSessionBus() = default;
    // Whether there is a session bus at all.
    virtual bool Connected() = 0;
    // KWin's pointer devices (org.kde.KWin.InputDeviceManager
    // devicesSysNames, then each device's name, vendor, product), or
    // nothing when KWin does not answer.
    virtual std::optional<std::vector<InputDeviceId>> KwinPointers() = 0;
    // Sets a device's pointerAcceleration (-1..1) through KWin.
    virtual bool SetKwinPointerAcceleration(const std::string& sysName, double value) = 0;
    // org.kde.kconfig.notify ConfigChanged on /FILE for the keys written.
    virtual bool NotifyConfigChanged(const std::string& file, const std::vector<std::string>& group,
                                     const std::string& key) = 0;
    // org.kde.KGlobalSettings notifyChange(SettingsChanged, SETTINGS_MOUSE) on /KGlobalSettings.
    virtual bool NotifyMouseSettingsChanged() = 0;
};

// The session bus through GIO's GDBus; every call is time-limited.
std::unique_ptr<KdeSessionBus> MakeGioKdeSessionBus();

// D-Bus names, kept in one place.
namespace kde_bus {
inline constexpr const char* kKwinService = "org.kde.KWin";
inline constexpr const char* kInputDeviceManagerPath = "/org/kde/KWin/InputDevice";
inline constexpr const char* kInputDeviceManagerInterface = "org.kde.KWin.InputDeviceManager";
inline constexpr const char* kInputDeviceInterface = "org.kde.KWin.InputDevice";
inline constexpr const char* kGlobalSettingsPath = "/KGlobalSettings";
inline constexpr const char* kGlobalSettingsInterface = "org.kde.KGlobalSettings";
inline constexpr int kSettingsChanged = 3; // KGlobalSettings::SettingsChanged
inline constexpr int kSettingsMouse = 0;   // KGlobalSettings::SETTINGS_MOUSE
inline constexpr const char* kConfigNotifyInterface = "org.kde.kconfig.notify";
} // namespace kde_bus

} // namespace qv530
