#pragma once
// The image button of the skinned windows: four state pictures cut from the
// owner's skin pictures, an optional caption, an optional check-box
// behaviour and an optional three-bar colour indicator. It takes the
// keyboard focus by Tab only (a click leaves the focus where it is), shows
// the focus mark then, and Space presses it (Enter too where the owner lets it).
#include "ButtonLook.h"
#include "FocusMark.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

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
    // Where the caption is drawn, and whether it fits there whole (at the
    // smallest caption height at worst).
    QRect CaptionArea() const;
    bool CaptionFits() const;

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
    int textRightReserve = 0; // pixels on the right the caption must leave free (a picture's mark)
    bool wrapText = false;
    int hoverMinX = 0;
    bool hoverWhenInactive = true;
    int indicatorMask = kNoIndicator;

    // For the keyboard and assistive technology: the role (a push button
    // unless set), whether Enter presses it like Space, whether pressing
    // opens a menu or a dialog, and for a section title whether its section
    // is open. The accessible name is accessibleName() when set, else the caption.
    QAccessible::Role accessRole = QAccessible::Button;
    bool enterPresses = false;
    bool hasPopup = false;
    void SetExpanded(std::optional<bool> expanded);
    std::optional<bool> Expanded() const { return expanded_; }
    // A press by the keyboard or by assistive technology: a check box turns
    // over as on a click, then clicked() follows.
    void Press();

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
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    QSize sizeHint() const override;

private:
    ButtonLookState LookState() const;
    void SetHovered(bool on);
    void NotifyChecked();

    int controlId_;
    QImage normal_, hover_, pressed_, disabled_;
    QString caption_;
    bool checkBox_ = false;
    bool checked_ = false;
    bool hovered_ = false;
    std::optional<bool> expanded_;
    FocusMarkState mark_;
};

}  // namespace qv530
