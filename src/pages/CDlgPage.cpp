#include "pages/CDlgPage.h"

#include <QKeyEvent>
#include <QFontMetrics>
#include <QPainter>

#include "controls/CFocusItem.h"
#include "controls/SkinLoader.h"
#include "lang/Language.h"
#include "lang/PointerStatusText.h"

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

namespace {
constexpr int kStatusBandHeight = 30;
constexpr int kStatusMargin = 6;
constexpr int kStatusLargestPixels = 11;
constexpr int kStatusSmallestPixels = 8;
} // namespace

void CDlgPage::AddDesktopStatus(PointerSetting setting) {
    statusSetting_ = setting;
    contentHeight_ = height();
    setFixedSize(width(), contentHeight_ + kStatusBandHeight);
    RefreshDesktopStatus();
}

void CDlgPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (statusSetting_) RefreshDesktopStatus();
}

void CDlgPage::RefreshDesktopStatus() {
    statusSession_ = CurrentDesktop();
    // Only the speed under Plasma's Wayland session depends on which mice are there.
    const bool perMouse = *statusSetting_ == PointerSetting::Speed && statusSession_.kind == DesktopKind::KdeWayland;
    statusKind_ = RouteOf(statusSession_, *statusSetting_, perMouse ? SessionMice(statusSession_) : std::vector<InputDeviceId>{}).kind;
    setAccessibleDescription(DesktopStatusText());
    update();
}

QString CDlgPage::DesktopStatusText() const {
    const PointerStatusText status = PointerStatusOf(statusKind_, statusSession_);
    return editor_.Text(status.slot).trimmed().replace("%1", QString::fromStdString(status.desktop));
}

void CDlgPage::PaintDesktopStatus(QPainter& painter) const {
    if (!statusSetting_) return;
    const QRect band(0, contentHeight_, width(), height() - contentHeight_);
    // The band continues the background's bottom row.
    const QColor fill = background_.isNull() ? QColor(30, 30, 30)
                                             : background_.pixelColor(0, background_.height() - 1);
    painter.fillRect(band, fill);
    const QRect text = band.adjusted(kStatusMargin, 0, -kStatusMargin, -2);
    const QString line = DesktopStatusText();
    QFont font = PageFont(kStatusLargestPixels);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    while (font.pixelSize() > kStatusSmallestPixels &&
           QFontMetrics(font).boundingRect(text, flags, line).height() > text.height())
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(text, flags, line);
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
