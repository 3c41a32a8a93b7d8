#include "app/DesktopNotices.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <algorithm>

#include "platform/DebugLog.h"

namespace qv530 {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kAppName = QStringLiteral("QV530-10800rad");
// The icon and desktop entry the package installs.
const QString kIconName = QStringLiteral("qv530-10800rad");
constexpr std::size_t kRememberedIds = 32;

} // namespace

DesktopNotices::DesktopNotices(QObject* parent) : QObject(parent) {}

bool DesktopNotices::Available() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusConnectionInterface* daemon = bus.interface();
    if (daemon == nullptr) return false;
    const bool running = daemon->isServiceRegistered(kService).value();
    if (!running && !daemon->activatableServiceNames().value().contains(kService)) return false;
    if (!listening_) {
        listening_ = bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                                 SLOT(OnActionInvoked(uint, QString)));
    }
    return true;
}

void DesktopNotices::Show(const Notice& notice, bool replaceable) {
    if (const auto outgoing = queue_.Push(notice, replaceable)) Send(*outgoing);
}

void DesktopNotices::Send(const OutgoingNotice& outgoing) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), kIconName);
    call << kAppName << static_cast<uint>(outgoing.replacesId) << kIconName
         << QString::fromStdString(outgoing.notice.title) << QString::fromStdString(outgoing.notice.text)
         << QStringList{QStringLiteral("default"), openText_} << hints
         << static_cast<int>(outgoing.notice.milliseconds);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const bool replaceable = outgoing.replaceable;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, replaceable](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<uint> reply = *done;
        done->deleteLater();
        std::uint32_t id = 0;
        if (reply.isError()) {
            DebugWrite("The desktop notification could not be shown.\n");
        } else {
            id = reply.value();
            Remember(id);
        }
        if (!replaceable) return;
        if (const auto next = queue_.Answered(id)) Send(*next);
    });
}

void DesktopNotices::Remember(std::uint32_t id) {
    ours_.push_back(id);
    if (ours_.size() > kRememberedIds) ours_.pop_front();
}

void DesktopNotices::OnActionInvoked(uint id, const QString& action) {
    // The service tells every program of every action: only ours count.
    if (action != QLatin1String("default")) return;
    if (std::find(ours_.begin(), ours_.end(), id) == ours_.end()) return;
    emit openRequested();
}

} // namespace qv530
