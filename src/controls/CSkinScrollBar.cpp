#include "CSkinScrollBar.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>

namespace qv530 {

namespace {
// Columns of the skin: vertical bar 0..3, horizontal bar 4..7.
constexpr int kColArrow1 = 0;
constexpr int kColArrow2 = 1;
constexpr int kColThumb = 2;
constexpr int kColTrack = 3;
constexpr int kThumbCap = 6;
}  // namespace

CSkinScrollBar::CSkinScrollBar(Qt::Orientation orientation, QWidget* parent, int controlId)
    : QWidget(parent), orientation_(orientation), controlId_(controlId) {
    setMouseTracking(true);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSkinScrollBar::RunRepeatTimer);
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    clock_ = [elapsed] { return elapsed->elapsed(); };
}

void CSkinScrollBar::SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

void CSkinScrollBar::SetSkin(const QImage& skin) {
    skin_ = skin;
    cellW_ = skin.isNull() ? 0 : skin.width() / 9;
    cellH_ = skin.isNull() ? 0 : skin.height() / 3;
    if (cellW_ > 0) {
        if (orientation_ == Qt::Vertical) resize(cellW_, height());
        else resize(width(), cellW_);
    }
    update();
}

void CSkinScrollBar::SetScrollInfo(const ScrollState& state, bool redraw) {
    state_ = state;
    if (redraw) update();
}

ScrollGeometry CSkinScrollBar::Geometry() const {
    return ComputeScrollGeometry(Length(), cellW_, state_, dragging_ ? trackPos_ : state_.pos);
}

ScrollPart CSkinScrollBar::PartAt(QPoint local) const {
    if (!rect().contains(local)) return ScrollPart::None;
    return HitTestScrollBar(Geometry(), Along(local));
}

QRect CSkinScrollBar::PartRect(int start, int length) const {
    if (orientation_ == Qt::Vertical) return QRect(0, start, width(), length);
    return QRect(start, 0, length, height());
}

QRect CSkinScrollBar::Cell(int column, int row) const {
    const int col = column + (orientation_ == Qt::Horizontal && column < 8 ? 4 : 0);
    return QRect(col * cellW_, row * cellH_, cellW_, cellH_);
}

void CSkinScrollBar::DrawCell(QPainter& painter, const QRect& target, int column, int row) const {
    if (skin_.isNull() || target.isEmpty()) return;
    painter.drawImage(target, skin_, Cell(column, row));
}

void CSkinScrollBar::DrawTiled(QPainter& painter, const QRect& target, int column, int row) const {
    if (skin_.isNull() || target.isEmpty() || cellW_ <= 0 || cellH_ <= 0) return;
    const QImage tile = skin_.copy(Cell(column, row));
    painter.save();
    painter.setClipRect(target);
    for (int y = target.top(); y <= target.bottom(); y += cellH_) {
        for (int x = target.left(); x <= target.right(); x += cellW_) painter.drawImage(QPoint(x, y), tile);
    }
    painter.restore();
}

void CSkinScrollBar::DrawThumb(QPainter& painter, const QRect& target, int row) const {
    if (skin_.isNull() || target.isEmpty()) return;
    const QRect cell = Cell(kColThumb, row);
    const bool vertical = orientation_ == Qt::Vertical;
    const int length = vertical ? target.height() : target.width();
    const int cellLength = vertical ? cell.height() : cell.width();
    const int cap = std::min({kThumbCap, length / 2, cellLength / 2});
    auto along = [&](const QRect& r, int start, int len) {
        return vertical ? QRect(r.left(), r.top() + start, r.width(), len)
                        : QRect(r.left() + start, r.top(), len, r.height());
    };
    painter.drawImage(along(target, 0, cap), skin_, along(cell, 0, cap));
    painter.drawImage(along(target, length - cap, cap), skin_, along(cell, cellLength - cap, cap));
    // The middle repeats the middle of the cell; a cell no longer than its
    // two caps repeats its centre line.
    const QRect middleSource = cellLength > 2 * cap ? along(cell, cap, cellLength - 2 * cap)
                                                    : along(cell, cellLength / 2, 1);
    const QRect middle = along(target, cap, length - 2 * cap);
    if (middleSource.isEmpty() || middle.isEmpty()) return;
    const QImage tile = skin_.copy(middleSource);
    painter.save();
    painter.setClipRect(middle);
    const int step = vertical ? tile.height() : tile.width();
    for (int s = 0; s < length - 2 * cap; s += step) {
        painter.drawImage(vertical ? QPoint(middle.left(), middle.top() + s) : QPoint(middle.left() + s, middle.top()),
                          tile);
    }
    painter.restore();
}

int CSkinScrollBar::RowOf(ScrollPart part) const {
    if (part == pressedPart_ && !outsidePressed_) return 2;
    if (part == ScrollPart::Thumb && dragging_) return 2;
    if (part == hotPart_) return 1;
    return 0;
}

void CSkinScrollBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ScrollGeometry g = Geometry();
    const int arrowRow1 = pressedPart_ == ScrollPart::LineUp && !outsidePressed_ ? 2
                          : hotPart_ == ScrollPart::LineUp                       ? 1
                                                                                 : 0;
    const int arrowRow2 = pressedPart_ == ScrollPart::LineDown && !outsidePressed_ ? 2
                          : hotPart_ == ScrollPart::LineDown                       ? 1
                                                                                   : 0;
    DrawCell(painter, PartRect(0, g.arrow), kColArrow1, arrowRow1);
    DrawCell(painter, PartRect(g.length - g.arrow, g.arrow), kColArrow2, arrowRow2);
    DrawTiled(painter, PartRect(g.arrow, g.thumbOffset), kColTrack, 0);
    const int afterThumb = g.thumbEnd();
    DrawTiled(painter, PartRect(afterThumb, g.length - g.arrow - afterThumb), kColTrack, 0);
    if (g.thumbLength > 0) DrawThumb(painter, PartRect(g.thumbStart(), g.thumbLength), RowOf(ScrollPart::Thumb));
}

void CSkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    const ScrollPart part = PartAt(p);
    if (part == ScrollPart::None) return;
    grabMouse();
    lastPointer_ = p;
    lastPointerValid_ = true;
    if (part == ScrollPart::Thumb) {
        dragging_ = true;
        dragStartCoord_ = Along(p);
        dragStartPos_ = state_.pos;
        trackPos_ = state_.pos;
        update();
        return;
    }
    pressedPart_ = part;
    outsidePressed_ = false;
    emit scrolled(static_cast<int>(part), 0);
    repeat_.Start(clock_());
    ArmTimer();
    update();
}

void CSkinScrollBar::ArmTimer() {
    if (!repeat_.active()) return;
    timer_.start(static_cast<int>(repeat_.WaitMs(clock_())));
}

void CSkinScrollBar::StopRepeat() {
    repeat_.Stop();
    timer_.stop();
}

void CSkinScrollBar::RunRepeatTimer() {
    int ticks = repeat_.TakeDueTicks(clock_());
    while (ticks-- > 0 && repeat_.active()) {
        const ScrollPart under = lastPointerValid_ ? PartAt(lastPointer_) : ScrollPart::None;
        switch (NextRepeatStep(pressedPart_, state_, outsidePressed_, under)) {
        case RepeatStep::Stop: StopRepeat(); break;
        case RepeatStep::Skip: break;
        case RepeatStep::Send: emit scrolled(static_cast<int>(pressedPart_), 0); break;
        }
    }
    ArmTimer();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    lastPointer_ = p;
    lastPointerValid_ = true;
    if (dragging_) {
        const ScrollGeometry g = ComputeScrollGeometry(Length(), cellW_, state_, dragStartPos_);
        const int pos = ScrollDragPosition(g, state_, dragStartPos_, Along(p) - dragStartCoord_);
        if (pos != trackPos_) {
            trackPos_ = pos;
            update();
            emit scrolled(kScrollThumbTrack, pos);
        }
        return;
    }
    if (pressedPart_ != ScrollPart::None) {
        const bool outside = PartAt(p) != pressedPart_;
        if (outside != outsidePressed_) {
            outsidePressed_ = outside;
            update();
        }
        return;
    }
    const ScrollPart part = PartAt(p);
    if (part != hotPart_) {
        hotPart_ = part;
        update();
    }
}

void CSkinScrollBar::leaveEvent(QEvent* event) {
    if (!dragging_ && pressedPart_ == ScrollPart::None && hotPart_ != ScrollPart::None) {
        hotPart_ = ScrollPart::None;
        update();
    }
    QWidget::leaveEvent(event);
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    releaseMouse();
    const QPoint p = event->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        const int pos = trackPos_;
        hotPart_ = PartAt(p);
        trackPos_ = -1;
        emit scrolled(kScrollThumbPosition, pos);
        update();
    } else if (pressedPart_ != ScrollPart::None) {
        StopRepeat();
        pressedPart_ = ScrollPart::None;
        outsidePressed_ = false;
        update();
    }
    lastPointerValid_ = false;
}

void CSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace qv530
