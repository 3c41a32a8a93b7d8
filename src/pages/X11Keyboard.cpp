#include "pages/X11Keyboard.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Xlib after Qt: its macros (KeyPress, None, Bool) clash with Qt's names.
#include <X11/Xlib.h>

namespace qv530 {
namespace {

Display* X11Display() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace

bool X11KeyboardAvailable() { return X11Display() != nullptr; }

int GrabX11Keyboard(unsigned long windowId) {
    Display* display = X11Display();
    if (display == nullptr) return GrabNotViewable;
    // Not reported to the windows' owners: nothing typed reaches another program.
    const int status =
        XGrabKeyboard(display, static_cast<Window>(windowId), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    XFlush(display);
    return status == GrabSuccess ? 0 : status;
}

void UngrabX11Keyboard() {
    if (Display* display = X11Display()) {
        XUngrabKeyboard(display, CurrentTime);
        XFlush(display);
    }
}

} // namespace qv530
