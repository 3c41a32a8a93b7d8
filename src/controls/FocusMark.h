#pragma once
// The keyboard focus mark of the skinned controls: a one-pixel dotted frame
// in the theme's highlight colour, and the keys that move a value.
#include <QKeyEvent>
#include <QPainter>
#include <QRect>
#include <QWidget>

#include "KeySteps.h"
#include "SkinGeometry.h"

namespace qv530 {

// Whether a focused control shows its mark: after the keyboard brought the
// focus there or was used on it, not after a click or when the window was
// merely activated (a mouse user never sees it); a menu or dialog closing
// over it keeps it as it was.
class FocusMarkState {
public:
    void FocusIn(Qt::FocusReason reason) {
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason ||
            reason == Qt::OtherFocusReason)
            shown_ = true;
        else if (reason == Qt::MouseFocusReason)
            shown_ = false;
    }
    // A key on the focused control shows the mark; the control repaints
    // when it was hidden.
    void KeyPressed(QWidget& widget) {
        if (Shows(widget)) return;
        shown_ = true;
        widget.update();
    }
    bool Shows(const QWidget& widget) const { return shown_ && widget.hasFocus(); }

private:
    bool shown_ = false;
};

inline void DrawFocusMark(QPainter& painter, const QRect& frame) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(skin::kThemeHighlight.r, skin::kThemeHighlight.g, skin::kThemeHighlight.b), 1, Qt::DotLine));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.restore();
}

// Arrows, Page Up/Down, Home and End. upIsMore: Up (and Right) raise the
// value, as on a slider; otherwise Up (and Left) go back, as in a list of choices.
inline KeyStep KeyStepOf(const QKeyEvent& event, bool upIsMore) {
    switch (event.key()) {
    case Qt::Key_Right: return KeyStep::More;
    case Qt::Key_Left: return KeyStep::Less;
    case Qt::Key_Up: return upIsMore ? KeyStep::More : KeyStep::Less;
    case Qt::Key_Down: return upIsMore ? KeyStep::Less : KeyStep::More;
    case Qt::Key_PageUp: return upIsMore ? KeyStep::PageMore : KeyStep::PageLess;
    case Qt::Key_PageDown: return upIsMore ? KeyStep::PageLess : KeyStep::PageMore;
    case Qt::Key_Home: return KeyStep::First;
    case Qt::Key_End: return KeyStep::Last;
    default: return KeyStep::None;
    }
}

// Space, and Enter or Return where the owner lets Enter press.
inline bool IsPressKey(const QKeyEvent& event, bool enterPresses) {
    const int key = event.key();
    return key == Qt::Key_Space || key == Qt::Key_Select ||
           (enterPresses && (key == Qt::Key_Return || key == Qt::Key_Enter));
}

}  // namespace qv530
