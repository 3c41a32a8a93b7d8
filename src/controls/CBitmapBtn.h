#pragma once
// The image button of the skinned windows: four state pictures cut from the
// owner's skin pictures, an optional caption, an optional check-box
// behaviour and an optional three-bar colour indicator.
#include "ButtonLook.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QString>

namespace qv530 {

class CBitmapBtn : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBitmapBtn(QWidget* parent = nullptr, int controlId = 0);

    // Cuts (left, top)-(right, bottom) out of each source picture; a null
    // source leaves that state's picture as it was. The button takes the size
    // of the rectangle.
    void SetImages(int left, int top, int right, int bottom, const QImage& normal, const QImage& hover,
                   const QImage& pressed, const QImage& disabled);
    void SetCaption(const QString& text);
    QString GetCaption() const { return caption_; }

    int ControlId() const { return controlId_; }

    // Appearance fields set by the owners.
    QString fontFace;
    int fontHeight = 14;
    QColor textColor{0xFD, 0xFD, 0xFD};
    QColor hoverTextColor{0xFD, 0xFD, 0xFD};
    QColor disabledTextColor{0xFD, 0xFD, 0xFD};
    QColor pressedTextColor{0xFD, 0xFD, 0xFD};
    int alignment = 1;  // 0 centred, 1 left, 2 right, other right without clipping
    int textIndent = 0;
    int textRightMargin = 0;  // pixels kept free right of the caption (a drop arrow)
    bool wrapText = false;
    int hoverMinX = 0;
    bool hoverWhenInactive = true;
    int indicatorMask = kNoIndicator;

    void SetCheckBox(bool on) { checkBox_ = on; update(); }
    bool IsCheckBox() const { return checkBox_; }
    // The latched state: a checked button shows the pressed picture.
    void SetChecked(bool on);
    bool Checked() const { return checked_; }
    bool Hovered() const { return hovered_; }

    // The picture the button shows now.
    ButtonPicture CurrentPicture() const;
    const QImage& Picture(ButtonPicture which) const;

signals:
    // The pointer moved over the button (global position), for the owner's own tracking.
    void pointerMoved(QPoint globalPos);
    // The left button was released over the button, after any click handling.
    void leftButtonReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    QSize sizeHint() const override;

private:
    ButtonLookState LookState() const;
    void SetHovered(bool on);

    int controlId_;
    QImage normal_, hover_, pressed_, disabled_;
    QString caption_;
    bool checkBox_ = false;
    bool checked_ = false;
    bool hovered_ = false;
};

}  // namespace qv530
