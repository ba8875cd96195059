#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <chrono>
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
// it and ends, and when the holder does not answer in time, it ends too, saying so: a second
// window on the same library would offer the package twice and race it for the files.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,      // this process holds the name and serves the next starts
        HandedOver, // the running instance took the packages: this process ends
        Busy,       // the name's holder did not answer in time: this process ends
        Alone,      // no session bus, or the name could not be claimed: this process runs alone
    };

    // On the user's session bus unless another connection is given; a holder of the name has
    // answerWithin to take a hand-over.
    explicit SingleInstance(const std::string& appFolder,
                            QDBusConnection bus = QDBusConnection::sessionBus(),
                            std::chrono::milliseconds answerWithin = std::chrono::seconds(5),
                            QObject* parent = nullptr);

    // Claims the name, or hands the packages (absolute paths; none for a plain start) to the
    // process that holds it, with the activation token this start was given (its platform
    // data's "activation-token"), so that a Wayland compositor raises that process's window.
    Start start(const QStringList& packages, const QString& activationToken = QString());
    // Gives the name up (when this process holds it), so that later starts no longer look for
    // a window that is gone.
    void release();

Q_SIGNALS:
    // Another start asked for the window (Activate, or Open with its packages), with the
    // activation token it was started with (empty when it had none).
    void activated(const QString& activationToken);
    // Another start handed over packages to offer, in order.
    void packagesOpened(const QStringList& paths);

private:
    enum class HandOver { Taken, NoHolder, NoAnswer };

    [[nodiscard]] bool claim();
    [[nodiscard]] HandOver handOver(const QStringList& packages, const QString& activationToken);

    QDBusConnection bus_;
    QString busName_;
    std::chrono::milliseconds answerWithin_;
    bool registered_ = false;
    bool holding_ = false;
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

// What a start that got no answer tells the user: the library is in use by a window that does
// not answer now, which offers the package handed to it once it answers again.
QString libraryInUseText(const QStringList& packages);

// The package a start names, as the path the running instance can open from its own folder:
// the first argument made absolute, or none when the start makes no offer.
QStringList packagesToHandOver(const QStringList& arguments);

} // namespace zolvera::app
