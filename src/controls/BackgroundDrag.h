#pragma once
// Moving a borderless top-level window by dragging its background. The
// window manager or compositor moves it where it offers to (Wayland has no
// global positions); elsewhere the window follows the pointer itself.
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace qv530 {

class BackgroundDrag {
public:
    // A press on the window's background.
    void Press(QWidget& window, const QMouseEvent& event) {
        offset_.reset();
        if (event.button() != Qt::LeftButton) return;
        if (QWindow* handle = window.windowHandle(); handle != nullptr && handle->startSystemMove()) return;
        offset_ = event.globalPosition().toPoint() - window.frameGeometry().topLeft();
    }
    // True when the move belonged to a drag (and the window followed it).
    bool Move(QWidget& window, const QMouseEvent& event) {
        if (!offset_ || !(event.buttons() & Qt::LeftButton)) return false;
        window.move(event.globalPosition().toPoint() - *offset_);
        return true;
    }
    void Release() { offset_.reset(); }

private:
    std::optional<QPoint> offset_;
};

} // namespace qv530
