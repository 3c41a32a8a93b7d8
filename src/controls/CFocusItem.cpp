#include "CFocusItem.h"

#include "ControlAccessibility.h"
#include "FocusMark.h"

#include <QKeyEvent>
#include <QPainter>

namespace qv530 {

CFocusItem::CFocusItem(QWidget* parent, const QRect& area, QAccessible::Role role, const char* objectName)
    : QWidget(parent), role_(role) {
    InstallControlAccessibility();
    setObjectName(objectName);
    setFocusPolicy(Qt::TabFocus);
    // Clicks reach the page underneath exactly as before.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    SetArea(area);
    show();
}

void CFocusItem::SetArea(const QRect& area) {
    setGeometry(area.adjusted(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin));
}

void CFocusItem::paintEvent(QPaintEvent*) {
    if (!mark_.Shows(*this)) return;
    QPainter painter(this);
    DrawFocusMark(painter, rect());
}

void CFocusItem::focusInEvent(QFocusEvent* event) {
    mark_.FocusIn(event->reason());
    QWidget::focusInEvent(event);
}

void CFocusItem::keyPressEvent(QKeyEvent* event) {
    mark_.KeyPressed(*this);
    if (!isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const KeyStep keyStep = KeyStepOf(*event, upIsMore);
    if (IsPressKey(*event, enterPresses) && activate) {
        if (!event->isAutoRepeat()) activate();
    } else if (event->key() == Qt::Key_F2 && edit) {
        edit();
    } else if (keyStep != KeyStep::None && step && event->modifiers() == Qt::NoModifier) {
        step(keyStep);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Refresh();
}

void CFocusItem::Refresh() {
    if (!QAccessible::isActive()) return;
    if (checked) {
        const bool now = checked();
        if (now != lastChecked_) {
            lastChecked_ = now;
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(this, changed);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (value) {
        const int now = value();
        if (now != lastValue_) {
            lastValue_ = now;
            QAccessibleValueChangeEvent event(this, now);
            QAccessible::updateAccessibility(&event);
        }
    }
    const QString nowName = name ? name() : QString();
    if (nowName != lastName_) {
        lastName_ = nowName;
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void RefreshFocusItems(QWidget* root) {
    if (root == nullptr || !QAccessible::isActive()) return;
    for (CFocusItem* item : root->findChildren<CFocusItem*>()) item->Refresh();
}

void SetTabChain(const QList<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (widget == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void SetTabChain(std::initializer_list<QWidget*> widgets) { SetTabChain(QList<QWidget*>(widgets)); }

}  // namespace qv530
