#pragma once
// A scroll bar drawn from a 9 x 3 cell skin picture. It keeps its own range,
// page and position and reports user actions with the standard scroll codes:
// 0/1 line, 2/3 page, 4 thumb released, 5 thumb dragged (with the position).
// A held arrow or track part repeats after 500 ms, then every 100 ms.
#include "ScrollBarGeometry.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qv530 {

class CSkinScrollBar : public QWidget {
    Q_OBJECT
public:
    CSkinScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr, int controlId = 0);

    // Keeps the skin and sets the bar's thickness to the cell width.
    void SetSkin(const QImage& skin);
    int CellWidth() const { return cellW_; }
    int CellHeight() const { return cellH_; }
    Qt::Orientation Orientation() const { return orientation_; }
    int ControlId() const { return controlId_; }

    void SetScrollInfo(const ScrollState& state, bool redraw = true);
    ScrollState ScrollInfo() const { return state_; }
    // The thumb's position while it is dragged, -1 otherwise.
    int TrackPos() const { return trackPos_; }
    bool Dragging() const { return dragging_; }

    ScrollGeometry Geometry() const;
    ScrollPart PartAt(QPoint local) const;

    // The clock of the auto-repeat, in milliseconds (tests replace it).
    void SetClock(std::function<std::int64_t()> clock);
    // One run of the repeat timer: sends what is due on the clock. The timer
    // calls it; tests with their own clock call it directly.
    void RunRepeatTimer();
    bool Repeating() const { return repeat_.active(); }

signals:
    // WM_VSCROLL / WM_HSCROLL: code 0..5; position for codes 4 and 5, else 0.
    void scrolled(int code, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int Along(QPoint p) const { return orientation_ == Qt::Vertical ? p.y() : p.x(); }
    int Length() const { return orientation_ == Qt::Vertical ? height() : width(); }
    QRect PartRect(int start, int length) const;
    QRect Cell(int column, int row) const;
    void DrawCell(QPainter& painter, const QRect& target, int column, int row) const;
    void DrawTiled(QPainter& painter, const QRect& target, int column, int row) const;
    void DrawThumb(QPainter& painter, const QRect& target, int row) const;
    int RowOf(ScrollPart part) const;
    void ArmTimer();
    void StopRepeat();

    Qt::Orientation orientation_;
    int controlId_;
    QImage skin_;
    int cellW_ = 0;
    int cellH_ = 0;
    ScrollState state_;
    int trackPos_ = -1;
    bool dragging_ = false;
    int dragStartCoord_ = 0;
    int dragStartPos_ = 0;
    ScrollPart pressedPart_ = ScrollPart::None;
    ScrollPart hotPart_ = ScrollPart::None;
    bool outsidePressed_ = false;
    QPoint lastPointer_;
    bool lastPointerValid_ = false;
    RepeatSchedule repeat_;
    QTimer timer_;
    std::function<std::int64_t()> clock_;
};

}  // namespace qv530
