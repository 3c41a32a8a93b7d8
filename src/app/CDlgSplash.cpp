#include "app/CDlgSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "app/NoticeRoute.h"

namespace qv530 {

CDlgSplash::CDlgSplash(QWidget* parent, int showMs) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("splash");
    picture_ = SkinLoader::Load("Skins\\splash.png");
    setFixedSize(skin::kSplash.width, skin::kSplash.height);
    // Where the compositor places windows itself (Wayland) it also centres the splash.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && PlatformPlacesWindows(QGuiApplication::platformName().toStdString())) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QTimer::singleShot(showMs, this, [this] { done(QDialog::Rejected); });
}

void CDlgSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
}

bool CDlgSplash::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    case QEvent::Close:
        event->ignore();
        return true;
    default:
        return QDialog::event(event);
    }
}

void CDlgSplash::keyPressEvent(QKeyEvent* event) { event->accept(); }

} // namespace qv530
