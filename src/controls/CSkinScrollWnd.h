#pragma once
// Puts skinned scroll bars on any scrolling area. The frame takes the area's
// place in its parent, holds the area with its own bars switched off, lays a
// horizontal (ID 100) and a vertical (ID 101) CSkinScrollBar beside it, keeps
// them in step with the area's range, page and position in both directions,
// and draws the corner cell where both bars meet.
#include "CSkinScrollBar.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QWidget>

namespace qv530 {

class CSkinScrollWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHorizontalBarId = 100;
    static constexpr int kVerticalBarId = 101;

    // Wraps `target` with the skin (9 x 3 cells). Returns the frame, which
    // deletes itself when the target is destroyed.
    static CSkinScrollWnd* SkinWindow(QAbstractScrollArea* target, const QImage& skin);

    // Gives the target back to its parent at the frame's place and deletes the frame.
    void UnskinWindow();

    QAbstractScrollArea* Target() const { return target_; }
    CSkinScrollBar* HorizontalBar() const { return hbar_; }
    CSkinScrollBar* VerticalBar() const { return vbar_; }
    // 0 none, 1 bottom left, 2 bottom right.
    int CornerMode() const { return cornerMode_; }

    // The scroll state a bar shows for one of the target's scroll bars.
    static ScrollState StateOf(const QScrollBar* bar);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CSkinScrollWnd(QAbstractScrollArea* target, const QImage& skin);
    void SyncFromTarget();
    void Relayout();
    void OnSkinScrolled(Qt::Orientation orientation, int code, int position);
    bool WantsBar(Qt::Orientation orientation) const;

    QPointer<QAbstractScrollArea> target_;
    QWidget* limit_ = nullptr;
    CSkinScrollBar* hbar_ = nullptr;
    CSkinScrollBar* vbar_ = nullptr;
    QImage skin_;
    int cellW_ = 0;
    Qt::ScrollBarPolicy hPolicy_ = Qt::ScrollBarAsNeeded;
    Qt::ScrollBarPolicy vPolicy_ = Qt::ScrollBarAsNeeded;
    int cornerMode_ = 0;
    bool updating_ = false;
};

}  // namespace qv530
