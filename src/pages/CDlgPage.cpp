#include "pages/CDlgPage.h"

#include <QKeyEvent>
#include <QFontMetrics>
#include <QPainter>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "lang/Language.h"

namespace qv530 {

CDlgPage::CDlgPage(ProfileEditor& editor, const char* background, skin::Size size, QWidget* parent)
    : QWidget(parent), editor_(editor), background_(SkinLoader::Load(background)) {
    // The background picture gives the page its size.
    if (!background_.isNull()) setFixedSize(background_.size());
    else setFixedSize(size.width, size.height);
    setFocusPolicy(Qt::ClickFocus);
    // The focus items of the painted parts tell assistive technology about every change.
    connect(&editor_, &ProfileEditor::recordEdited, this, [this] { RefreshFocusItems(this); });
    connect(&editor_, &ProfileEditor::recordReplaced, this, [this] { RefreshFocusItems(this); });
}

QFont CDlgPage::PageFont(int pixelHeight) const {
    QFont font(QString::fromUtf8(FontFace(editor_.language()).data()));
    font.setPixelSize(pixelHeight);
    return font;
}

void CDlgPage::PaintBackground(QPainter& painter) const { DrawPicture(painter, QPoint(0, 0), background_); }

void CDlgPage::DrawPicture(QPainter& painter, QPoint at, const QImage& picture) {
    if (!picture.isNull()) painter.drawImage(at, picture);
}

void CDlgPage::DrawFittedText(QPainter& painter, const QRect& rect, int flags, const QString& text) {
    constexpr int kSmallestPixels = 8;
    const QFont original = painter.font();
    QFont font = original;
    while (font.pixelSize() > kSmallestPixels && QFontMetrics(font).horizontalAdvance(text) > rect.width())
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.drawText(rect, flags, text);
    painter.setFont(original);
}

void CDlgPage::keyPressEvent(QKeyEvent* event) {
    if (IsPageSwallowedKey(event->key())) event->accept();
    else QWidget::keyPressEvent(event);
}

void CDlgPage::keyReleaseEvent(QKeyEvent* event) {
    if (IsPageSwallowedKey(event->key())) event->accept();
    else QWidget::keyReleaseEvent(event);
}

bool IsPageSwallowedKey(int qtKey) {
    return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter || qtKey == Qt::Key_Escape || qtKey == Qt::Key_Space ||
           qtKey == Qt::Key_F1;
}

} // namespace qv530
