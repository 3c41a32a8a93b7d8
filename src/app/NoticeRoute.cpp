#include "app/NoticeRoute.h"

#include "device/ReaderThread.h"
#include "lang/Language.h"

namespace qv530 {

NoticeRoute ChooseNoticeRoute(bool trayHost, bool notificationService, bool windowShown) {
    if (trayHost) return NoticeRoute::TrayBalloon;
    if (notificationService) return NoticeRoute::Desktop;
    return windowShown ? NoticeRoute::StatusLine : NoticeRoute::Dropped;
}

const char* NoticeRouteName(NoticeRoute route) {
    switch (route) {
    case NoticeRoute::TrayBalloon: return "balloon";
    case NoticeRoute::Desktop: return "desktop";
    case NoticeRoute::StatusLine: return "status line";
    case NoticeRoute::Dropped: return "dropped";
    }
    return "dropped";
}

bool IsDpiNotice(int kind) { return kind == notice::kA11DStage || kind == notice::kA1DCStage; }

std::string_view OpenActionText(std::string_view languageCode) {
    switch (DialogLanguage(languageCode)) {
    case Language::CHS: return "打开";
    case Language::CHT: return "打開";
    case Language::DE: return "Öffnen";
    default: return "Open";
    }
}

bool PlatformPlacesWindows(std::string_view platformName) {
    // "wayland", "wayland-egl", "wayland-brcm", ...
    return platformName.substr(0, 7) != "wayland";
}

std::optional<OutgoingNotice> DesktopNoticeQueue::Push(const Notice& notice, bool replaceable) {
    if (!replaceable) return OutgoingNotice{notice, 0, false};
    if (inFlight_) {
        waiting_ = notice;
        return std::nullopt;
    }
    inFlight_ = true;
    return OutgoingNotice{notice, lastId_, true};
}

std::optional<OutgoingNotice> DesktopNoticeQueue::Answered(std::uint32_t id) {
    if (!inFlight_) return std::nullopt;
    // A failed call keeps the previous id: the next one still replaces it.
    if (id != 0) lastId_ = id;
    inFlight_ = false;
    if (!waiting_) return std::nullopt;
    const Notice next = *waiting_;
    waiting_.reset();
    return Push(next, true);
}

} // namespace qv530
