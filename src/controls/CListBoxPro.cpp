#include "CListBoxPro.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace qv530 {

namespace {

constexpr int kDisabledRole = Qt::UserRole + 20;

QColor ToQColor(ListColour c) { return QColor(c.r, c.g, c.b); }

class ListItemDelegate : public QStyledItemDelegate {
public:
    explicit ListItemDelegate(CListBoxPro* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const bool hovered = index.row() == list_->HoverItem();
        painter->save();
        painter->fillRect(option.rect, ToQColor(ListItemBackground(selected, hovered)));
        const bool disabled = index.data(kDisabledRole).toBool();
        painter->setPen(disabled ? list_->palette().color(QPalette::Disabled, QPalette::Text)
                                 : ToQColor(kListText));
        painter->setFont(list_->font());
        const QRect textRect = option.rect.adjusted(5, 0, 0, 0);
        QString text = index.data(Qt::DisplayRole).toString();
        text.replace(QLatin1Char('\t'), QStringLiteral("        "));
        const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        if ((option.state & QStyle::State_HasFocus) != 0) {
            QPen pen(Qt::black, 1, Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), list_->ItemHeight());
    }

private:
    CListBoxPro* list_;
};

}  // namespace

CListBoxPro::CListBoxPro(QWidget* parent, int controlId) : QListWidget(parent), controlId_(controlId) {
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new ListItemDelegate(this));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(kListBackground));
    pal.setColor(QPalette::Window, ToQColor(kListBackground));
    pal.setColor(QPalette::Text, ToQColor(kListText));
    setPalette(pal);
    setAutoFillBackground(true);
}

void CListBoxPro::SetItemHeight(int pixels) {
    itemHeight_ = std::max(1, pixels);
    doItemsLayout();
}

void CListBoxPro::SetItemDisabled(int index, bool disabled) {
    if (QListWidgetItem* it = item(index)) it->setData(kDisabledRole, disabled);
}

bool CListBoxPro::ItemDisabled(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr && it->data(kDisabledRole).toBool();
}

std::vector<std::string> CListBoxPro::ItemTexts() const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i) texts.push_back(item(i)->text().toStdString());
    return texts;
}

void CListBoxPro::SetHoverItem(int index, bool notify) {
    if (index == hoverItem_) return;
    const int old = hoverItem_;
    hoverItem_ = index;
    if (QListWidgetItem* it = item(old)) viewport()->update(visualItemRect(it));
    if (QListWidgetItem* it = item(index)) viewport()->update(visualItemRect(it));
    if (notify) emit hoverItemChanged(index, controlId_);
}

void CListBoxPro::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    SetHoverItem(index.isValid() ? index.row() : -1, true);
    QListWidget::mouseMoveEvent(event);
}

void CListBoxPro::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        emit rightButtonReleased(index.isValid() ? index.row() : -1, controlId_);
    }
}

void CListBoxPro::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CListBoxPro::leaveEvent(QEvent* event) {
    SetHoverItem(-1, false);
    QListWidget::leaveEvent(event);
}

bool CListBoxPro::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) SetHoverItem(-1, false);
    return QListWidget::viewportEvent(event);
}

}  // namespace qv530
