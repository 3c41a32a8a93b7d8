#include "app/CDlgSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/StartUpMarks.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "app/NoticeRoute.h"

namespace qv530 {

CDlgSplash::CDlgSplash(QWidget* parent, int showMs)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), showMs_(showMs) {
    setObjectName("splash");
    picture_ = SkinLoader::Load("Skins\\splash.png");
    setFixedSize(skin::kSplash.width, skin::kSplash.height);
    // Where the compositor places windows itself (Wayland) it also centres the splash.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && PlatformPlacesWindows(QGuiApplication::platformName().toStdString())) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // Qt's default timer may end up to 5% early or late; the splash's three
    // seconds are counted to the millisecond.
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        MarkStartUp("splash ended");
        done(QDialog::Rejected);
    });
}

void CDlgSplash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (timer_.isActive() || painted_) return;
    timer_.start(showMs_);
    MarkStartUp("splash shown");
}

void CDlgSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
    if (!painted_) {
        painted_ = true;
        // Queued: the picture reaches the screen before anyone acts on it.
        QMetaObject::invokeMethod(this, &CDlgSplash::pictureShown, Qt::QueuedConnection);
    }
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
