// A stand-in for KWin's input-device service on a private session bus, for
// the end-to-end test of the Plasma pointer settings: it takes the name
// org.kde.KWin, lists two pointer devices (event3, another maker's mouse;
// event7, ours) and writes one line per change to stdout:
//
//   set SYSNAME pointerAcceleration VALUE
//   notifyChange TYPE ARG                 (org.kde.KGlobalSettings on /KGlobalSettings)
//   ConfigChanged PATH GROUP KEY          (org.kde.kconfig.notify)
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>
#include <QStringList>

#include <cstdio>

class InputDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDevice")
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(uint vendor READ vendor CONSTANT)
    Q_PROPERTY(uint product READ product CONSTANT)
    Q_PROPERTY(bool pointer READ pointer CONSTANT)
    Q_PROPERTY(double pointerAcceleration READ pointerAcceleration WRITE setPointerAcceleration)
public:
    InputDevice(QString sysName, QString name, uint vendor, uint product)
        : sysName_(std::move(sysName)), name_(std::move(name)), vendor_(vendor), product_(product) {}
    QString name() const { return name_; }
    uint vendor() const { return vendor_; }
    uint product() const { return product_; }
    bool pointer() const { return true; }
    double pointerAcceleration() const { return acceleration_; }
    void setPointerAcceleration(double value) {
        acceleration_ = value;
        std::printf("set %s pointerAcceleration %.3f\n", qPrintable(sysName_), value);
        std::fflush(stdout);
    }
    const QString& sysName() const { return sysName_; }

private:
    QString sysName_, name_;
    uint vendor_, product_;
    double acceleration_ = 0;
};

class InputDeviceManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.InputDeviceManager")
    Q_PROPERTY(QStringList devicesSysNames READ devicesSysNames CONSTANT)
public:
    QStringList devicesSysNames() const { return names; }
    QStringList names;
};

class SignalLog : public QObject {
    Q_OBJECT
public slots:
    void globalSettings(const QDBusMessage& message) {
        const QList<QVariant> args = message.arguments();
        std::printf("notifyChange %d %d\n", args.value(0).toInt(), args.value(1).toInt());
        std::fflush(stdout);
    }
    void configChanged(const QDBusMessage& message) {
        const QDBusArgument changes = message.arguments().value(0).value<QDBusArgument>();
        QHash<QString, QList<QByteArray>> groups;
        changes >> groups;
        for (auto it = groups.cbegin(); it != groups.cend(); ++it)
            for (const QByteArray& key : it.value())
                std::printf("ConfigChanged %s %s %s\n", qPrintable(message.path()),
                            qPrintable(QString(it.key()).replace(QChar(0x1d), "|")), key.constData());
        std::fflush(stdout);
    }
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    qDBusRegisterMetaType<QHash<QString, QList<QByteArray>>>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "no session bus\n");
        return 1;
    }
    InputDevice other("event3", "Logitech USB Optical Mouse", 0x046D, 0xC077);
    InputDevice ours("event7", "HOLTEK USB Gaming Mouse", 0x04D9, 0xA11D);
    InputDeviceManager manager;
    manager.names = {other.sysName(), ours.sysName()};
    SignalLog log;
    const auto properties = QDBusConnection::ExportAllProperties;
    bool ok = bus.registerObject("/org/kde/KWin/InputDevice", &manager, properties);
    for (InputDevice* device : {&other, &ours})
        ok = ok && bus.registerObject("/org/kde/KWin/InputDevice/" + device->sysName(), device, properties);
    ok = ok && bus.connect({}, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange", &log,
                           SLOT(globalSettings(QDBusMessage)));
    for (const char* path : {"/kdeglobals", "/kcminputrc"})
        ok = ok && bus.connect({}, path, "org.kde.kconfig.notify", "ConfigChanged", &log,
                               SLOT(configChanged(QDBusMessage)));
    ok = ok && bus.registerService("org.kde.KWin");
    if (!ok) {
        std::fprintf(stderr, "cannot set up: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "FakeKwinService.moc"
