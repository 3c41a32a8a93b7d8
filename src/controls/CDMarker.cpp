#include "CDMarker.h"

#include "ControlAccessibility.h"
#include "FocusMark.h"
#include "MarkerMath.h"
#include "SkinLoader.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qv530 {

CDMarkerBase::CDMarkerBase(Qt::Orientation orientation, const QRect& rect, QWidget* parent, int controlId)
    : QWidget(parent), orientation_(orientation), controlId_(controlId) {
    InstallControlAccessibility();
    setGeometry(rect);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    show();
}

void CDMarkerBase::SetImages(int left, int top, int right, int bottom, const QImage& track,
                             const QImage& filled) {
    track_ = CutPicture(track, left, top, right, bottom);
    filled_ = CutPicture(filled, left, top, right, bottom);
    update();
}

void CDMarkerBase::SetPos(int value) {
    const int before = value_;
    value_ = MarkerSetPosValue(value, minimum_, maximum_);
    repaint();
    if (value_ != before) NotifyValue();
}

void CDMarkerBase::SetPosClamped(int value) {
    const int before = value_;
    value_ = MarkerClampedValue(value, minimum_, maximum_);
    repaint();
    if (value_ != before) NotifyValue();
}

void CDMarkerBase::NotifyValue() {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}

QString CDMarkerBase::ValueText() const { return valueText ? valueText(value_) : QString::number(value_); }

void CDMarkerBase::SetFromKeyboard(int value) {
    if (!isEnabled() || dragging_) return;
    const int next = MarkerClampedValue(value, minimum_, maximum_);
    if (next == value_) return;
    value_ = next;
    update();
    emit markerChanged(value_, controlId_);
    NotifyValue();
}

void CDMarkerBase::focusInEvent(QFocusEvent* event) {
    mark_.FocusIn(event->reason());
    QWidget::focusInEvent(event);
}

void CDMarkerBase::keyPressEvent(QKeyEvent* event) {
    mark_.KeyPressed(*this);
    const KeyStep step = KeyStepOf(*event, true);
    if (step == KeyStep::None || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    SetFromKeyboard(SteppedValue(value_, minimum_, maximum_, step));
}

int CDMarkerBase::FillLength() const {
    const int extent = orientation_ == Qt::Horizontal ? width() : height();
    return MarkerFillLength(extent, value_, minimum_, maximum_);
}

void CDMarkerBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!track_.isNull()) painter.drawImage(QPoint(0, 0), track_);
    const int fill = filled_.isNull() ? 0 : FillLength();
    if (fill > 0 && orientation_ == Qt::Horizontal) {
        painter.drawImage(QPoint(0, 0), filled_, QRect(0, 0, fill, filled_.height()));
    } else if (fill > 0) {
        // The bar grows upward: the top of the filled picture sits at height - fill.
        painter.drawImage(QPoint(0, height() - fill), filled_, QRect(0, 0, filled_.width(), fill));
    }
    if (mark_.Shows(*this)) DrawFocusMark(painter, rect());
}

int CDMarkerBase::ValueAt(QPoint local, bool release) const {
    if (orientation_ == Qt::Horizontal) {
        return MarkerValueAt(local.x(), width(), minimum_, maximum_);
    }
    // Vertical: while moving y stays inside the bar; on release only the
    // bottom limit applies (above the top gives the maximum after clamping).
    int y = std::min(local.y(), height());
    if (!release) y = std::max(y, 0);
    return MarkerValueAt(height() - y, height(), minimum_, maximum_);
}

void CDMarkerBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    dragging_ = true;
    grabMouse();
}

void CDMarkerBase::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const int value = ValueAt(event->position().toPoint(), false);
    if (value != value_) {
        value_ = value;
        update();
    }
}

void CDMarkerBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    value_ = ValueAt(event->position().toPoint(), true);
    releaseMouse();
    update();
    emit markerChanged(value_, controlId_);
}

void CDMarkerBase::focusOutEvent(QFocusEvent* event) {
    if (dragging_) {
        dragging_ = false;
        releaseMouse();
        update();
    }
    QWidget::focusOutEvent(event);
}

void CDMarkerBase::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled() && dragging_) {
        dragging_ = false;
        releaseMouse();
    }
    QWidget::changeEvent(event);
}

}  // namespace qv530
