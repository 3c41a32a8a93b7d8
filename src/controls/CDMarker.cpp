#include "CDMarker.h"

#include "MarkerMath.h"
#include "SkinLoader.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qv530 {

CDMarkerBase::CDMarkerBase(Qt::Orientation orientation, const QRect& rect, QWidget* parent, int controlId)
    : QWidget(parent), orientation_(orientation), controlId_(controlId) {
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
    value_ = MarkerSetPosValue(value, minimum_, maximum_);
    repaint();
}

void CDMarkerBase::SetPosClamped(int value) {
    value_ = MarkerClampedValue(value, minimum_, maximum_);
    repaint();
}

int CDMarkerBase::FillLength() const {
    const int extent = orientation_ == Qt::Horizontal ? width() : height();
    return MarkerFillLength(extent, value_, minimum_, maximum_);
}

void CDMarkerBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!track_.isNull()) painter.drawImage(QPoint(0, 0), track_);
    if (filled_.isNull()) return;
    const int fill = FillLength();
    if (fill <= 0) return;
    if (orientation_ == Qt::Horizontal) {
        painter.drawImage(QPoint(0, 0), filled_, QRect(0, 0, fill, filled_.height()));
    } else {
        // The bar grows upward: the top of the filled picture sits at height - fill.
        painter.drawImage(QPoint(0, height() - fill), filled_, QRect(0, 0, filled_.width(), fill));
    }
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
