#include "platform/DesktopSession.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <sstream>

#include "platform/FileIo.h"

namespace qv530 {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string Value(const char* text) { return text == nullptr ? std::string() : std::string(text); }

// A sysfs attribute without its line end.
std::string Attribute(const std::string& path) {
    std::string text = ReadWholeFile(path, 4096).value_or("");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

} // namespace

bool NamesDesktop(const char* currentDesktop, const std::string& desktop) {
    if (currentDesktop == nullptr) return false;
    const std::string wanted = Upper(desktop);
    std::istringstream names(currentDesktop);
    for (std::string name; std::getline(names, name, ':');) {
        name = Upper(name);
        if (name == wanted || name.starts_with(wanted + "-")) return true;
    }
    return false;
}

DesktopSession DetectDesktop(const char* currentDesktop, const char* sessionType, const char* waylandDisplay,
                             const char* configHome, const char* home) {
    DesktopSession session;
    session.currentDesktop = Value(currentDesktop);
    if (NamesDesktop(currentDesktop, "KDE")) {
        const bool wayland = Value(sessionType) == "wayland" || (Value(sessionType).empty() && !Value(waylandDisplay).empty());
        session.kind = wayland ? DesktopKind::KdeWayland : DesktopKind::KdeX11;
    } else if (NamesDesktop(currentDesktop, "GNOME")) {
        session.kind = DesktopKind::Gnome;
    }
    // A relative XDG_CONFIG_HOME is to be ignored.
    if (configHome != nullptr && configHome[0] == '/') session.configFolder = configHome;
    else if (home != nullptr && home[0] != '\0') session.configFolder = std::string(home) + "/.config";
    return session;
}

DesktopSession CurrentDesktop() {
    return DetectDesktop(std::getenv("XDG_CURRENT_DESKTOP"), std::getenv("XDG_SESSION_TYPE"),
                         std::getenv("WAYLAND_DISPLAY"), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string DesktopTitle(const DesktopSession& session) {
    switch (session.kind) {
    case DesktopKind::Gnome: return "GNOME";
    case DesktopKind::KdeX11: return "KDE Plasma (X11)";
    case DesktopKind::KdeWayland: return "KDE Plasma (Wayland)";
    case DesktopKind::Other: break;
    }
    return session.currentDesktop.empty() ? "an unknown desktop" : session.currentDesktop;
}

bool IsOurMouse(std::uint16_t vendor, std::uint16_t product) {
    return vendor == 0x04D9 && (product == 0xA11D || product == 0xA1DC);
}

std::vector<InputDeviceId> ListOurInputDevices(const std::string& inputClassFolder) {
    std::vector<InputDeviceId> devices;
    DIR* folder = opendir(inputClassFolder.c_str());
    if (folder == nullptr) return devices;
    while (const dirent* entry = readdir(folder)) {
        const std::string sysName = entry->d_name;
        if (!sysName.starts_with("event")) continue;
        const std::string device = inputClassFolder + "/" + sysName + "/device/";
        InputDeviceId id;
        id.sysName = sysName;
        id.vendor = static_cast<std::uint16_t>(std::strtoul(Attribute(device + "id/vendor").c_str(), nullptr, 16));
        id.product = static_cast<std::uint16_t>(std::strtoul(Attribute(device + "id/product").c_str(), nullptr, 16));
        id.name = Attribute(device + "name");
        if (IsOurMouse(id.vendor, id.product) && !id.name.empty()) devices.push_back(std::move(id));
    }
    closedir(folder);
    std::sort(devices.begin(), devices.end(),
              [](const InputDeviceId& a, const InputDeviceId& b) { return a.sysName < b.sysName; });
    return devices;
}

} // namespace qv530
