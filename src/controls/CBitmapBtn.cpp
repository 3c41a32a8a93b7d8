#include "CBitmapBtn.h"

#include "ControlAccessibility.h"
#include "FocusMark.h"
#include "SkinLoader.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qv530 {

CBitmapBtn::CBitmapBtn(QWidget* parent, int controlId) : QAbstractButton(parent), controlId_(controlId) {
    InstallControlAccessibility();
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
}

void CBitmapBtn::SetImages(int left, int top, int right, int bottom, const QImage& normal,
                           const QImage& hover, const QImage& pressed, const QImage& disabled) {
    if (!normal.isNull()) normal_ = CutPicture(normal, left, top, right, bottom);
    if (!hover.isNull()) hover_ = CutPicture(hover, left, top, right, bottom);
    if (!pressed.isNull()) pressed_ = CutPicture(pressed, left, top, right, bottom);
    if (!disabled.isNull()) disabled_ = CutPicture(disabled, left, top, right, bottom);
    if (right > left && bottom > top) resize(right - left, bottom - top);
    update();
}

void CBitmapBtn::SetCaption(const QString& text) {
    caption_ = text;
    setText(text);
    update();
}

void CBitmapBtn::SetChecked(bool on) {
    if (checked_ == on) return;
    checked_ = on;
    update();
    NotifyChecked();
}

void CBitmapBtn::NotifyChecked() {
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CBitmapBtn::SetExpanded(std::optional<bool> expanded) {
    if (expanded_ == expanded) return;
    expanded_ = expanded;
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CBitmapBtn::Press() {
    if (!isEnabled()) return;
    if (checkBox_) {
        checked_ = !checked_;
        update();
        NotifyChecked();
    }
    click();
}

void CBitmapBtn::focusInEvent(QFocusEvent* event) {
    mark_.FocusIn(event->reason());
    QAbstractButton::focusInEvent(event);
}

void CBitmapBtn::keyPressEvent(QKeyEvent* event) {
    mark_.KeyPressed(*this);
    if (IsPressKey(*event, enterPresses) && !event->isAutoRepeat()) {
        setDown(true);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        event->accept();  // held down: nothing more
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CBitmapBtn::keyReleaseEvent(QKeyEvent* event) {
    if (IsPressKey(*event, enterPresses)) {
        event->accept();
        if (event->isAutoRepeat() || !isDown()) return;
        setDown(false);
        Press();
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

ButtonLookState CBitmapBtn::LookState() const {
    ButtonLookState s;
    s.disabled = !isEnabled();
    s.checked = checked_;
    s.pressed = isDown();
    s.hovered = hovered_;
    s.checkBox = checkBox_;
    s.hoverWhenInactive = hoverWhenInactive;
    s.ownerActive = window()->isActiveWindow();
    return s;
}

ButtonPicture CBitmapBtn::CurrentPicture() const { return ChooseButtonPicture(LookState()); }

const QImage& CBitmapBtn::Picture(ButtonPicture which) const {
    switch (which) {
    case ButtonPicture::Hover: return hover_;
    case ButtonPicture::Pressed: return pressed_;
    case ButtonPicture::Disabled: return disabled_;
    case ButtonPicture::Normal: break;
    }
    return normal_;
}

QRect CBitmapBtn::CaptionArea() const {
    QRect area = rect();
    area.setLeft(area.left() + 5 + (alignment == 1 && textIndent > 0 ? textIndent : 0));
    area.setRight(area.right() - kCaptionRightMargin - textRightReserve);
    return area;
}

bool CBitmapBtn::CaptionFits() const {
    if (caption_.isEmpty() || wrapText) return true;
    QFont font = fontFace.isEmpty() ? this->font() : QFont(fontFace);
    font.setWeight(QFont::Weight(550));
    font.setPixelSize(kCaptionMinHeight);
    return QFontMetrics(font).horizontalAdvance(caption_) <= CaptionArea().width();
}

QSize CBitmapBtn::sizeHint() const { return normal_.isNull() ? QSize(40, 20) : normal_.size(); }

void CBitmapBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButtonLookState state = LookState();
    const QImage& picture = Picture(ChooseButtonPicture(state));
    if (!picture.isNull()) painter.drawImage(QPoint(0, 0), picture);

    if (!caption_.isEmpty()) {
        QColor colour = textColor;
        switch (ChooseCaptionColour(state)) {
        case CaptionColour::Hover: colour = hoverTextColor; break;
        case CaptionColour::Disabled: colour = disabledTextColor; break;
        case CaptionColour::Pressed: colour = pressedTextColor; break;
        case CaptionColour::Text: break;
        }
        QFont font = fontFace.isEmpty() ? this->font() : QFont(fontFace);
        font.setWeight(QFont::Weight(550));
        font.setStyleHint(QFont::SansSerif);
        QRect area = CaptionArea();
        // Smaller before shorter: the caption takes the largest height that fits.
        const int height = wrapText ? std::max(1, fontHeight)
                                    : FittingCaptionHeight(std::max(1, fontHeight), area.width(), [&](int h) {
                                          QFont probe = font;
                                          probe.setPixelSize(h);
                                          return QFontMetrics(probe).horizontalAdvance(caption_);
                                      });
        font.setPixelSize(height);
        painter.setFont(font);
        painter.setPen(colour);
        const QFontMetrics metrics(font);
        if ((alignment == 0 || alignment == 1) && wrapText) {
            const int flags = (alignment == 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter |
                              Qt::TextWordWrap;
            painter.drawText(area, flags, caption_);
        } else {
            Qt::Alignment align = Qt::AlignVCenter;
            if (alignment == 0) align |= Qt::AlignHCenter;
            else if (alignment == 1) align |= Qt::AlignLeft;
            else align |= Qt::AlignRight;
            const QString shown = metrics.elidedText(caption_, Qt::ElideRight, area.width());
            const int flags = int(align) | Qt::TextSingleLine | (alignment > 2 ? Qt::TextDontClip : 0);
            painter.drawText(area, flags, shown);
        }
    }

    const IndicatorBars bars = IndicatorBarsFor(indicatorMask, 0, 0);
    for (int i = 0; i < bars.count; ++i) {
        const IndicatorBar& bar = bars.bars[static_cast<std::size_t>(i)];
        painter.fillRect(QRect(bar.left, bar.top, bar.width, bar.height), QColor(bar.r, bar.g, bar.b));
    }
    if (mark_.Shows(*this)) DrawFocusMark(painter, rect());
}

void CBitmapBtn::SetHovered(bool on) {
    if (hovered_ == on) return;
    hovered_ = on;
    update();
}

void CBitmapBtn::mouseMoveEvent(QMouseEvent* event) {
    const bool leftDown = (event->buttons() & Qt::LeftButton) != 0;
    if (!(leftDown && !hovered_)) {
        const QPoint p = event->position().toPoint();
        const bool inside = rect().contains(p) && CountsAsHovered(p.x(), hoverMinX);
        SetHovered(inside);
    }
    QAbstractButton::mouseMoveEvent(event);
    emit pointerMoved(event->globalPosition().toPoint());
}

void CBitmapBtn::leaveEvent(QEvent* event) {
    SetHovered(false);
    QAbstractButton::leaveEvent(event);
}

void CBitmapBtn::focusOutEvent(QFocusEvent* event) {
    SetHovered(false);
    if (isDown() && event->reason() != Qt::PopupFocusReason) setDown(false);
    QAbstractButton::focusOutEvent(event);
}

void CBitmapBtn::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::EnabledChange) update();
    QAbstractButton::changeEvent(event);
}

void CBitmapBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !window()->isActiveWindow()) window()->activateWindow();
    QAbstractButton::mousePressEvent(event);
}

void CBitmapBtn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (checkBox_ && isDown() && hitButton(event->position().toPoint())) {
        checked_ = !checked_;
        update();
        NotifyChecked();
    }
    QAbstractButton::mouseReleaseEvent(event);  // emits clicked() when released over the button
    emit leftButtonReleased();
}

}  // namespace qv530
