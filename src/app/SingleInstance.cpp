#include "app/SingleInstance.h"

#include "packages/InstallOffer.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

namespace zolvera::app {

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Application");

// The object path the interface's users derive from the application id.
QString objectPath() {
    return QLatin1Char('/') + QString::fromLatin1(kApplicationId).replace(QLatin1Char('.'), '/');
}

} // namespace

QString instanceBusName(const std::string& appFolder) {
    const QFileInfo folder(QString::fromStdString(appFolder));
    const QString canonical = folder.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(
        (canonical.isEmpty() ? folder.absoluteFilePath() : canonical).toUtf8(),
        QCryptographicHash::Sha256);
    // A name element may not begin with a digit, hence the word before the hex digits.
    return QString::fromLatin1(kApplicationId) + QStringLiteral(".Library") +
           QString::fromLatin1(hash.toHex().left(32));
}

SingleInstance::SingleInstance(const std::string& appFolder, QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), busName_(instanceBusName(appFolder)) {
    new ApplicationAdaptor(this);
}

SingleInstance::Start SingleInstance::start(const QStringList& packages) {
    if (!bus_.isConnected())
        return Start::Alone;
    // Twice: the holder of the name may end between a failed claim and the call.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (claim())
            return Start::First;
        if (handOver(packages))
            return Start::HandedOver;
    }
    return Start::Alone;
}

bool SingleInstance::claim() {
    // The object is there before the name, so a call that finds the name finds the object.
    if (!registered_)
        registered_ = bus_.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors);
    if (!registered_)
        return false;
    const auto reply =
        bus_.interface()->registerService(busName_, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

bool SingleInstance::handOver(const QStringList& packages) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        busName_, objectPath(), kInterface,
        packages.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    call.setAutoStartService(false);
    QStringList uris;
    for (const QString& path : packages)
        uris << QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    if (packages.isEmpty())
        call << QVariantMap();
    else
        call << uris << QVariantMap();
    return bus_.call(call).type() == QDBusMessage::ReplyMessage;
}

ApplicationAdaptor::ApplicationAdaptor(SingleInstance* instance)
    : QDBusAbstractAdaptor(instance), instance_(instance) {}

void ApplicationAdaptor::Activate(const QVariantMap&) {
    Q_EMIT instance_->activated();
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap&) {
    QStringList paths;
    for (const QString& uri : uris) {
        const QUrl url(uri, QUrl::StrictMode);
        // Anything but a local file is offered as it came, and its installation reports it.
        paths << (url.isLocalFile() ? url.toLocalFile() : uri);
    }
    Q_EMIT instance_->activated();
    Q_EMIT instance_->packagesOpened(paths);
}

void ApplicationAdaptor::ActivateAction(const QString&, const QVariantList&, const QVariantMap&) {
    Q_EMIT instance_->activated();
}

QStringList packagesToHandOver(const QStringList& arguments) {
    const QString first = arguments.value(1);
    if (!packages::installOfferQuestion(first.toStdString()))
        return {};
    // The running instance has a working folder of its own.
    return {QFileInfo(first).absoluteFilePath()};
}

} // namespace zolvera::app
