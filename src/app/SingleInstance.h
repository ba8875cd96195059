#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <string>

namespace zolvera::app {

// The program's id on the session bus, in reverse domain order of its maker's address.
inline constexpr char kApplicationId[] = "example.ervolt.Zolvera";

// The well-known name of the instance that serves an application folder: the application id
// and a hash of the folder's canonical path, so that two libraries can run side by side while
// two starts on one library meet.
QString instanceBusName(const std::string& appFolder);

// One running window per application folder. The first start claims the folder's name on the
// session bus and serves org.freedesktop.Application there; a later start hands its package to
// it and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,      // this process holds the name and serves the next starts
        HandedOver, // the running instance took the packages: this process ends
        Alone,      // no session bus, or the call failed: this process runs on its own
    };

    // On the user's session bus unless another connection is given.
    explicit SingleInstance(const std::string& appFolder,
                            QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    // Claims the name, or hands the packages (absolute paths; none for a plain start) to the
    // process that holds it.
    Start start(const QStringList& packages);

Q_SIGNALS:
    // Another start asked for the window (Activate, or Open with its packages).
    void activated();
    // Another start handed over packages to offer, in order.
    void packagesOpened(const QStringList& paths);

private:
    [[nodiscard]] bool claim();
    [[nodiscard]] bool handOver(const QStringList& packages);

    QDBusConnection bus_;
    QString busName_;
    bool registered_ = false;
};

// org.freedesktop.Application on the instance's object: Activate raises the window, Open
// offers each file it is given, ActivateAction knows no actions and only raises the window.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SingleInstance* instance);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& actionName, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    SingleInstance* instance_;
};

// The package a start names, as the path the running instance can open from its own folder:
// the first argument made absolute, or none when the start makes no offer.
QStringList packagesToHandOver(const QStringList& arguments);

} // namespace zolvera::app
