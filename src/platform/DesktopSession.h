#pragma once
// Which desktop this session runs, as far as the pointer settings care, and
// the mice of ours the input layer knows.
#include <cstdint>
#include <string>
#include <vector>

namespace qv530 {

enum class DesktopKind { Gnome, KdeX11, KdeWayland, Other };

struct DesktopSession {
    DesktopKind kind = DesktopKind::Other;
    std::string currentDesktop; // XDG_CURRENT_DESKTOP as it is, may be empty
    std::string configFolder;   // where KDE keeps its files: $XDG_CONFIG_HOME or ~/.config
};

// From XDG_CURRENT_DESKTOP ("KDE", "ubuntu:GNOME"), XDG_SESSION_TYPE and
// WAYLAND_DISPLAY (any may be null) and the two folders' variables.
DesktopSession DetectDesktop(const char* currentDesktop, const char* sessionType, const char* waylandDisplay,
                             const char* configHome, const char* home);
// The same from this process's environment.
DesktopSession CurrentDesktop();

// "GNOME", "KDE Plasma (X11)", "KDE Plasma (Wayland)", or the desktop's own
// name ("XFCE"), or "an unknown desktop" when nothing says.
std::string DesktopTitle(const DesktopSession& session);

// Whether a colon-separated XDG_CURRENT_DESKTOP list names this desktop
// (case-insensitive; "GNOME" also matches "GNOME-Flashback").
bool NamesDesktop(const char* currentDesktop, const std::string& desktop);

// An input device as the compositor or the kernel names it.
struct InputDeviceId {
    std::string sysName; // "event7"
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::string name; // the kernel's device name, as Plasma keys its per-mouse group
};

// The event devices of our mice (vendor 04D9, products A11D and A1DC) under
// a sysfs input class folder ("/sys/class/input").
std::vector<InputDeviceId> ListOurInputDevices(const std::string& inputClassFolder = "/sys/class/input");
bool IsOurMouse(std::uint16_t vendor, std::uint16_t product);

} // namespace qv530
