#pragma once
// Picture-based slider markers: a track picture with the filled picture laid
// over it up to the current value. CDMarker is horizontal, CDMarkerV vertical
// (growing upward). A completed drag reports the new value once. With the
// keyboard focus (Tab) a marker shows the focus mark; the arrows, Page Up/Down,
// Home and End move it and report the new value as a completed drag does.
#include <QImage>
#include <QWidget>

#include <functional>

#include "FocusMark.h"

namespace qv530 {

class CDMarkerBase : public QWidget {
    Q_OBJECT
public:
    // Range 0..10 and value 0 until the owner sets its own.
    CDMarkerBase(Qt::Orientation orientation, const QRect& rect, QWidget* parent, int controlId);

    // Cuts (left, top)-(right, bottom) out of both pictures, 1:1.
    void SetImages(int left, int top, int right, int bottom, const QImage& track, const QImage& filled);

    void SetMinimum(int value) { minimum_ = value; update(); }
    void SetMaximum(int value) { maximum_ = value; update(); }
    void SetRange(int minimum, int maximum) { minimum_ = minimum; maximum_ = maximum; update(); }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Pos() const { return value_; }
    int ControlId() const { return controlId_; }
    bool Dragging() const { return dragging_; }
    Qt::Orientation Orientation() const { return orientation_; }

    // A value outside the range shows the minimum.
    void SetPos(int value);
    // A value outside the range shows the nearest end.
    void SetPosClamped(int value);

    // Pixels of the filled picture shown for the current value.
    int FillLength() const;

    // The value as the page shows it ("2400 DPI"), for assistive
    // technology; the number when the owner gives no text.
    std::function<QString(int value)> valueText;
    QString ValueText() const;
    // A value set by a key or by assistive technology: clamped to the
    // range, shown, and reported like the end of a drag when it changed.
    void SetFromKeyboard(int value);

signals:
    // WM_MARKERCHANGED: the value after a completed drag, and the control ID.
    void markerChanged(int value, int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void NotifyValue();
    int ValueAt(QPoint local, bool release) const;

    Qt::Orientation orientation_;
    int controlId_;
    int minimum_ = 0;
    int maximum_ = 10;
    int value_ = 0;
    bool dragging_ = false;
    QImage track_;
    QImage filled_;
    FocusMarkState mark_;
};

class CDMarker : public CDMarkerBase {
    Q_OBJECT
public:
    CDMarker(const QRect& rect, QWidget* parent, int controlId)
        : CDMarkerBase(Qt::Horizontal, rect, parent, controlId) {}
};

class CDMarkerV : public CDMarkerBase {
    Q_OBJECT
public:
    CDMarkerV(const QRect& rect, QWidget* parent, int controlId)
        : CDMarkerBase(Qt::Vertical, rect, parent, controlId) {}
};

}  // namespace qv530
