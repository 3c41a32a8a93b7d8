#include "app/TrayPresence.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"

namespace qv530 {

TrayPresence::TrayPresence(QString toolTip, QString exitText, QObject* parent)
    : QObject(parent), toolTip_(std::move(toolTip)), exitText_(std::move(exitText)) {}

TrayPresence::~TrayPresence() {
    if (icon_) icon_->hide();
}

void TrayPresence::SetShown(bool shown) {
    if (shown && !icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>(QIcon(QPixmap::fromImage(SkinLoader::LoadResource(skin::kIconResource))));
        icon_->setToolTip(toolTip_);
        menu_ = std::make_unique<QMenu>();
        menu_->addAction(exitText_, this, &TrayPresence::exitRequested);
        icon_->setContextMenu(menu_.get());
        connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) emit openRequested();
        });
    }
    if (icon_) icon_->setVisible(shown);
}

bool TrayPresence::shown() const { return icon_ && icon_->isVisible(); }

void TrayPresence::ShowBalloon(const QString& title, const QString& text, int milliseconds) {
    if (shown()) icon_->showMessage(title, text, QSystemTrayIcon::Information, milliseconds);
}

} // namespace qv530
