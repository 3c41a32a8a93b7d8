#include "pages/X11KeyboardGrab.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "pages/X11Keyboard.h"
#include "platform/qt/KeyTranslation.h"

namespace qv530 {
namespace {
constexpr int kNotViewable = 3;  // the X server's status for a window not shown
} // namespace

X11KeyboardGrab::X11KeyboardGrab(QWidget* window, KeyHandler onKey) : window_(window), onKey_(std::move(onKey)) {}

X11KeyboardGrab::~X11KeyboardGrab() { Remove(); }

int X11KeyboardGrab::Install() {
    Remove();
    if (!window_) return kNotViewable;
    x11_ = X11KeyboardAvailable();
    if (x11_) {
        if (const int status = GrabX11Keyboard(window_->window()->winId()); status != 0) return status;
    } else {
        window_->grabKeyboard();
    }
    qApp->installEventFilter(this);
    installed_ = true;
    return 0;
}

void X11KeyboardGrab::Remove() {
    if (!installed_) return;
    installed_ = false;
    qApp->removeEventFilter(this);
    if (x11_) {
        UngrabX11Keyboard();
    } else if (window_) {
        window_->releaseKeyboard();
    }
}

bool X11KeyboardGrab::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key event comes first to its window and is then passed on to
        // the focus widget through here again: it is counted at the window
        // and swallowed at every step.
        if (!watched->isWindowType()) return true;
        if (const auto key = TranslateKeyEvent(*static_cast<QKeyEvent*>(event))) onKey_(key->virtualKey, key->flags);
        return true;
    }
    case QEvent::ShortcutOverride:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace qv530
