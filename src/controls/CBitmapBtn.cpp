#include "CBitmapBtn.h"

#include "SkinLoader.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace qv530 {

CBitmapBtn::CBitmapBtn(QWidget* parent, int controlId) : QAbstractButton(parent), controlId_(controlId) {
    setFocusPolicy(Qt::NoFocus);
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
        font.setPixelSize(std::max(1, fontHeight));
        font.setWeight(QFont::Weight(550));
        font.setStyleHint(QFont::SansSerif);
        painter.setFont(font);
        painter.setPen(colour);

        QRect area = rect();
        area.setLeft(area.left() + 5 + (alignment == 1 && textIndent > 0 ? textIndent : 0));
        area.setRight(area.right() - std::max(0, textRightMargin));
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
    }
    QAbstractButton::mouseReleaseEvent(event);  // emits clicked() when released over the button
    emit leftButtonReleased();
}

}  // namespace qv530
