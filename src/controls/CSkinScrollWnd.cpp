#include "CSkinScrollWnd.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace qv530 {

CSkinScrollWnd* CSkinScrollWnd::SkinWindow(QAbstractScrollArea* target, const QImage& skin) {
    if (target == nullptr) return nullptr;
    return new CSkinScrollWnd(target, skin);
}

CSkinScrollWnd::CSkinScrollWnd(QAbstractScrollArea* target, const QImage& skin)
    : QWidget(target->parentWidget()), target_(target), skin_(skin) {
    setObjectName(QStringLiteral("SkinScrollBarFrame"));
    cellW_ = skin.isNull() ? 0 : skin.width() / 9;
    const QRect place = target->geometry();
    const bool visible = target->isVisibleTo(target->parentWidget());

    limit_ = new QWidget(this);
    limit_->setObjectName(QStringLiteral("LIMIT"));
    hbar_ = new CSkinScrollBar(Qt::Horizontal, this, kHorizontalBarId);
    vbar_ = new CSkinScrollBar(Qt::Vertical, this, kVerticalBarId);
    hbar_->SetSkin(skin);
    vbar_->SetSkin(skin);

    hPolicy_ = target->horizontalScrollBarPolicy();
    vPolicy_ = target->verticalScrollBarPolicy();
    target->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    target->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    target->setParent(limit_);
    target->move(0, 0);
    target->show();
    target->installEventFilter(this);

    for (QScrollBar* bar : {target->horizontalScrollBar(), target->verticalScrollBar()}) {
        connect(bar, &QScrollBar::rangeChanged, this, &CSkinScrollWnd::SyncFromTarget);
        connect(bar, &QScrollBar::valueChanged, this, &CSkinScrollWnd::SyncFromTarget);
    }
    connect(hbar_, &CSkinScrollBar::scrolled, this,
            [this](int code, int pos) { OnSkinScrolled(Qt::Horizontal, code, pos); });
    connect(vbar_, &CSkinScrollBar::scrolled, this,
            [this](int code, int pos) { OnSkinScrolled(Qt::Vertical, code, pos); });
    connect(target, &QObject::destroyed, this, [this] { deleteLater(); });

    setGeometry(place);
    setVisible(visible);
    SyncFromTarget();
}

ScrollState CSkinScrollWnd::StateOf(const QScrollBar* bar) {
    // The target's value range min..max with a page of pageStep is the range
    // min..max + pageStep - 1 of a bar whose last position is max.
    ScrollState s;
    s.rangeMin = bar->minimum();
    s.page = bar->pageStep();
    s.rangeMax = bar->maximum() + std::max(bar->pageStep(), 1) - 1;
    s.pos = bar->value();
    return s;
}

bool CSkinScrollWnd::WantsBar(Qt::Orientation orientation) const {
    if (!target_) return false;
    const Qt::ScrollBarPolicy policy = orientation == Qt::Horizontal ? hPolicy_ : vPolicy_;
    const QScrollBar* bar =
        orientation == Qt::Horizontal ? target_->horizontalScrollBar() : target_->verticalScrollBar();
    if (policy == Qt::ScrollBarAlwaysOff) return false;
    if (policy == Qt::ScrollBarAlwaysOn) return true;
    return bar->maximum() > bar->minimum();
}

void CSkinScrollWnd::SyncFromTarget() {
    if (!target_ || updating_) return;
    const std::pair<CSkinScrollBar*, QScrollBar*> pairs[] = {
        {hbar_, target_->horizontalScrollBar()}, {vbar_, target_->verticalScrollBar()}};
    for (const auto& [skinBar, bar] : pairs) {
        if (skinBar->Dragging()) continue;
        const ScrollState state = StateOf(bar);
        if (!(state == skinBar->ScrollInfo())) skinBar->SetScrollInfo(state, true);
        skinBar->setEnabled(bar->maximum() > bar->minimum());
    }
    const bool wantH = WantsBar(Qt::Horizontal);
    const bool wantV = WantsBar(Qt::Vertical);
    if (wantH != hbar_->isVisibleTo(this) || wantV != vbar_->isVisibleTo(this)) Relayout();
}

void CSkinScrollWnd::Relayout() {
    const bool wantH = WantsBar(Qt::Horizontal);
    const bool wantV = WantsBar(Qt::Vertical);
    const bool leftBar = layoutDirection() == Qt::RightToLeft;
    const QRect area = rect();
    const int w = cellW_;
    QRect inner = area;
    if (wantH) inner.setBottom(inner.bottom() - w);
    if (wantV) {
        if (leftBar) inner.setLeft(inner.left() + w);
        else inner.setRight(inner.right() - w);
    }
    limit_->setGeometry(inner);
    if (target_) target_->setGeometry(0, 0, inner.width(), inner.height());
    hbar_->setGeometry(inner.left(), inner.bottom() + 1, inner.width(), w);
    vbar_->setGeometry(leftBar ? 0 : inner.right() + 1, inner.top(), w, inner.height());
    hbar_->setVisible(wantH);
    vbar_->setVisible(wantV);
    cornerMode_ = (wantH && wantV) ? (leftBar ? 1 : 2) : 0;
    update();
}

void CSkinScrollWnd::OnSkinScrolled(Qt::Orientation orientation, int code, int position) {
    if (!target_) return;
    QScrollBar* bar = orientation == Qt::Horizontal ? target_->horizontalScrollBar() : target_->verticalScrollBar();
    CSkinScrollBar* skinBar = orientation == Qt::Horizontal ? hbar_ : vbar_;
    updating_ = true;
    switch (code) {
    case kScrollLineUp: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case kScrollLineDown: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case kScrollPageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case kScrollPageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: bar->setValue(position); break;
    default: break;
    }
    updating_ = false;
    if (code != kScrollThumbTrack) skinBar->SetScrollInfo(StateOf(bar), true);
}

void CSkinScrollWnd::resizeEvent(QResizeEvent*) { Relayout(); }

void CSkinScrollWnd::paintEvent(QPaintEvent*) {
    if (cornerMode_ == 0 || skin_.isNull() || cellW_ <= 0) return;
    QPainter painter(this);
    const int cellH = skin_.height() / 3;
    const int row = cornerMode_ == 1 ? 1 : 0;
    const QRect source(8 * cellW_, row * cellH, cellW_, cellH);
    const int x = cornerMode_ == 1 ? 0 : width() - cellW_;
    painter.drawImage(QRect(x, height() - cellW_, cellW_, cellW_), skin_, source);
}

bool CSkinScrollWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_ && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)) {
        SyncFromTarget();
    }
    return QWidget::eventFilter(watched, event);
}

void CSkinScrollWnd::UnskinWindow() {
    if (target_) {
        target_->removeEventFilter(this);
        disconnect(target_, nullptr, this, nullptr);
        target_->horizontalScrollBar()->disconnect(this);
        target_->verticalScrollBar()->disconnect(this);
        target_->setHorizontalScrollBarPolicy(hPolicy_);
        target_->setVerticalScrollBarPolicy(vPolicy_);
        target_->setParent(parentWidget());
        target_->setGeometry(geometry());
        target_->setVisible(isVisibleTo(parentWidget()));
        target_ = nullptr;
    }
    deleteLater();
}

}  // namespace qv530
