#pragma once
// Where a notice goes on this desktop, and the order in which DPI notices
// reach the desktop's notification service so that each one replaces the
// one before. Free of Qt: the window asks, the senders carry out.
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/ShellLogic.h"

namespace qv530 {

enum class NoticeRoute {
    TrayBalloon,  // a tray host is there: the icon's balloon
    Desktop,      // no tray, but a notification service on the session bus
    StatusLine,   // neither: the window's status line, while it is shown
    Dropped,      // neither, and the window is hidden
};

NoticeRoute ChooseNoticeRoute(bool trayHost, bool notificationService, bool windowShown);
// "balloon", "desktop", "status line", "dropped": for the debug lines.
const char* NoticeRouteName(NoticeRoute route);

// The DPI-stage notices of either mouse: the ones that replace each other.
bool IsDpiNotice(int kind);

// Without a tray, starting the program again is the only way back to its
// window: the second copy asks the running one to show it.
inline bool SecondStartShowsWindow(bool trayHost) { return !trayHost; }

// The window's help menu carries Exit when there is no tray menu to end the program.
inline bool HelpMenuHasExit(bool trayHost) { return !trayHost; }

// The label of a desktop notice's default action, in the program's language
// (its code, "CHS", "CHT", "EN", "DE"; English for any other).
std::string_view OpenActionText(std::string_view languageCode);

// Compositors that place windows themselves (Wayland) ignore a client's
// position; centring is only asked for where the platform honours it.
bool PlatformPlacesWindows(std::string_view platformName);

// The DPI notices replace each other: each one names the service's id of
// the previous one. That id only arrives with the service's answer, so while
// a DPI notice is on its way the newest following one waits (older waiting
// ones are dropped: quick presses show only the last stage). Other notices
// go at once and replace nothing.
struct OutgoingNotice {
    Notice notice;
    std::uint32_t replacesId = 0;
    bool replaceable = false; // its answer goes to Answered()
};

class DesktopNoticeQueue {
public:
    // The notice to send now, or nothing when it has to wait.
    std::optional<OutgoingNotice> Push(const Notice& notice, bool replaceable);
    // The service answered the replaceable notice on its way with its id (0:
    // it failed). Returns the waiting notice to send next, if any.
    std::optional<OutgoingNotice> Answered(std::uint32_t id);
    std::uint32_t lastId() const { return lastId_; }

private:
    bool inFlight_ = false;
    std::uint32_t lastId_ = 0;
    std::optional<Notice> waiting_;
};

} // namespace qv530
