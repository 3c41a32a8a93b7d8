#pragma once
// The keyboard taken from the rest of the desktop while a macro is recorded:
// on X11 an active keyboard grab on the dialog's window, so every key
// transition comes to this program and reaches no other; each one is handed
// on as a virtual key with its flags and never reaches the dialog's
// controls. Without X11 (tests on the offscreen platform) only the
// program's own key events are taken.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "macros/KeyboardHook.h"

namespace qv530 {

class X11KeyboardGrab : public QObject, public KeyboardHook {
    Q_OBJECT
public:
    using KeyHandler = std::function<void(std::uint32_t virtualKey, std::uint32_t flags)>;

    X11KeyboardGrab(QWidget* window, KeyHandler onKey);
    ~X11KeyboardGrab() override;

    // 0, or the X server's grab status (1 already grabbed, 2 invalid time,
    // 3 not viewable, 4 frozen).
    int Install() override;
    void Remove() override;
    bool installed() const { return installed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    KeyHandler onKey_;
    bool installed_ = false;
    bool x11_ = false;
};

} // namespace qv530
