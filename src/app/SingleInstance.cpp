#include "app/SingleInstance.h"

#include "packages/InstallOffer.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
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

// The platform data's entry that carries an xdg-activation token.
constexpr char kActivationToken[] = "activation-token";

QString activationToken(const QVariantMap& platformData) {
    return platformData.value(QString::fromLatin1(kActivationToken)).toString();
}

} // namespace

QString instanceBusName(const std::string& appFolder) {
    // Spelled as on disk first: a library named in another letter case is the same library.
    const QFileInfo folder(QString::fromStdString(platform::resolve(appFolder)));
    const QString canonical = folder.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(
        (canonical.isEmpty() ? folder.absoluteFilePath() : canonical).toUtf8(),
        QCryptographicHash::Sha256);
    // A name element may not begin with a digit, hence the word before the hex digits.
    return QString::fromLatin1(kApplicationId) + QStringLiteral(".Library") +
           QString::fromLatin1(hash.toHex().left(32));
}

SingleInstance::SingleInstance(const std::string& appFolder, QDBusConnection bus,
                               std::chrono::milliseconds answerWithin, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), busName_(instanceBusName(appFolder)),
      answerWithin_(answerWithin) {
    new ApplicationAdaptor(this);
}

SingleInstance::Start SingleInstance::start(const QStringList& packages,
                                            const QString& activationToken) {
    if (!bus_.isConnected())
        return Start::Alone;
    // Twice: the holder of the name may end between a failed claim and the call. A holder that
    // did not answer is not called again: it may still take the call it was sent.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (claim()) {
            holding_ = true;
            return Start::First;
        }
        switch (handOver(packages, activationToken)) {
        case HandOver::Taken:
            return Start::HandedOver;
        case HandOver::NoAnswer:
            return Start::Busy;
        case HandOver::NoHolder:
            break;
        }
    }
    return Start::Alone;
}

void SingleInstance::release() {
    if (holding_)
        static_cast<void>(bus_.interface()->unregisterService(busName_));
    holding_ = false;
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

SingleInstance::HandOver SingleInstance::handOver(const QStringList& packages,
                                                  const QString& activationToken) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        busName_, objectPath(), kInterface,
        packages.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    call.setAutoStartService(false);
    QStringList uris;
    for (const QString& path : packages)
        uris << QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    // The token the desktop gave this start lets the compositor raise the running window.
    QVariantMap platformData;
    if (!activationToken.isEmpty())
        platformData.insert(QString::fromLatin1(kActivationToken), activationToken);
    if (packages.isEmpty())
        call << platformData;
    else
        call << uris << platformData;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, int(answerWithin_.count()));
    if (reply.type() == QDBusMessage::ReplyMessage)
        return HandOver::Taken;
    // The bus says NameHasNoOwner, or ServiceUnknown, when the holder has ended meanwhile.
    const QString error = reply.errorName();
    return error == QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner") ||
                   error == QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")
               ? HandOver::NoHolder
               : HandOver::NoAnswer;
}

ApplicationAdaptor::ApplicationAdaptor(SingleInstance* instance)
    : QDBusAbstractAdaptor(instance), instance_(instance) {}

void ApplicationAdaptor::Activate(const QVariantMap& platformData) {
    Q_EMIT instance_->activated(activationToken(platformData));
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap& platformData) {
    QStringList paths;
    for (const QString& uri : uris) {
        const QUrl url(uri, QUrl::StrictMode);
        // Anything but a local file is offered as it came, and its installation reports it.
        paths << (url.isLocalFile() ? url.toLocalFile() : uri);
    }
    Q_EMIT instance_->activated(activationToken(platformData));
    Q_EMIT instance_->packagesOpened(paths);
}

void ApplicationAdaptor::ActivateAction(const QString&, const QVariantList&,
                                        const QVariantMap& platformData) {
    Q_EMIT instance_->activated(activationToken(platformData));
}

QString libraryInUseText(const QStringList& packages) {
    QString text = QCoreApplication::translate(
        "SingleInstance",
        "A képtár már nyitva van egy másik Zolvera-ablakban, amely most nem válaszol.");
    if (!packages.isEmpty())
        text += QCoreApplication::translate("SingleInstance",
                                            " A csomag telepítését az az ablak ajánlja fel, "
                                            "amint újra válaszol.");
    return text;
}

QStringList packagesToHandOver(const QStringList& arguments) {
    const QString first = arguments.value(1);
    if (!packages::installOfferQuestion(first.toStdString()))
        return {};
    // The running instance has a working folder of its own.
    return {QFileInfo(first).absoluteFilePath()};
}

} // namespace zolvera::app
