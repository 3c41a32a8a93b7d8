// A stand-in for the desktop's notification service, for the end-to-end
// tests: it takes the name org.freedesktop.Notifications on the session bus,
// writes one line per Notify call to stdout and answers with rising ids.
//
//   notify id=N replaces=R app=A icon=I timeout=T actions=K1,L1,.. summary=S body=B
//
// Calling its org.qv530.Test.Invoke(id) emits ActionInvoked(id, "default"),
// as if the user had clicked that notice.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int timeout) {
        Q_UNUSED(hints);
        const uint id = replaces != 0 ? replaces : ++lastId_;
        std::printf("notify id=%u replaces=%u app=%s icon=%s timeout=%d actions=%s summary=%s body=%s\n", id, replaces,
                    qPrintable(app), qPrintable(icon), timeout, qPrintable(actions.join(',')), qPrintable(summary),
                    qPrintable(body));
        std::fflush(stdout);
        return id;
    }
    QStringList GetCapabilities() { return {"actions", "body"}; }
    void CloseNotification(uint) {}
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
        vendor = "qv530 tests";
        version = "1";
        specVersion = "1.2";
        return "stand-in";
    }
signals:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    uint lastId_ = 0;
};

class TestControl : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.qv530.Test")
public:
    explicit TestControl(Notifications& service) : service_(service) {}
public slots:
    void Invoke(uint id) { emit service_.ActionInvoked(id, "default"); }

private:
    Notifications& service_;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "no session bus\n");
        return 1;
    }
    Notifications service;
    TestControl control(service);
    const auto exports = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals;
    if (!bus.registerObject("/org/freedesktop/Notifications", &service, exports) ||
        !bus.registerObject("/org/qv530/Test", &control, QDBusConnection::ExportAllSlots) ||
        !bus.registerService("org.freedesktop.Notifications")) {
        std::fprintf(stderr, "cannot take the name: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "FakeNotificationService.moc"
