#include "app/SingleInstance.h"

#include "../ui/MainWindowFixture.h"
#include "../ui/TelPackage.h"

#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <memory>

namespace zolvera::test {
namespace {

// A session bus of the test's own: dbus-daemon started on a socket in a temporary folder.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--nopidfile"), QStringLiteral("--print-address"),
                               QStringLiteral("--address=unix:dir=") +
                                   QString::fromStdString(socketDir_.path())});
        if (!daemon_.waitForStarted() || !daemon_.waitForReadyRead(10000))
            return;
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(QStringLiteral("test"));
        QDBusConnection::disconnectFromBus(QStringLiteral("second"));
        daemon_.kill();
        daemon_.waitForFinished();
    }
    const QString& address() const { return address_; }
    QDBusConnection connection(const QString& name = QStringLiteral("test")) const {
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    TempDir socketDir_;
    QProcess daemon_;
    QString address_;
};

class SecondStart : public MainWindowFixture {
protected:
    void SetUp() override {
        if (bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started (package dbus-daemon)";
        addGroup("Elso", 1);
        writeGroupList({"Elso"});
        start();
        instance = std::make_unique<app::SingleInstance>(home.path(), bus.connection());
        ASSERT_EQ(instance->start({}), app::SingleInstance::Start::First);
        QObject::connect(instance.get(), &app::SingleInstance::packagesOpened, window.get(),
                         &ui::Tfrm_Main::offerPackages);
    }

    // zolvera started on the same library and bus with a package path relative to the library.
    std::unique_ptr<QProcess> startZolvera(const QString& package) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZOLVERA_HOME"), QString::fromStdString(home.path()));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // As a Wayland desktop starts a program: the token its window may be raised with.
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"),
                           QStringLiteral("token:") + package);
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(QString::fromStdString(home.path()));
        process->start(QStringLiteral(ZOLVERA_PROGRAM), {package});
        return process;
    }

    // Waits, serving the window and the bus meanwhile, until the process ends with status 0.
    static bool endsWithSuccess(QProcess& process) {
        return QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000) &&
               process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    PrivateBus bus;
    std::unique_ptr<app::SingleInstance> instance;
};

} // namespace

// Two packages opened one after the other: each later start hands its package to the open
// window and ends at once, even while the window still asks about the first one; the window
// offers them in turn and lists both groups.
TEST_F(SecondStart, HandsItsPackageToTheRunningWindowWhichOffersThemInTurn) {
    writeFile(home / "Letoltes/Tel.dta", kTelPackage);
    writeFile(home / "Letoltes/Tavasz.dta",
              packageField("Tavasz") + packageField("Init.jpg") + packageField(kPicture));
    std::unique_ptr<QProcess> later;
    QStringList tokens; // handed on for raising the window
    QObject::connect(instance.get(), &app::SingleInstance::activated,
                     [&](const QString& token) { tokens << token; });
    dialogs.whileOpen = [&](const ui::MessageRequest&) {
        if (later)
            return;
        later = startZolvera(QStringLiteral("Letoltes/Tavasz.dta"));
        EXPECT_TRUE(endsWithSuccess(*later));
    };

    const std::unique_ptr<QProcess> second = startZolvera(QStringLiteral("Letoltes/Tel.dta"));
    ASSERT_TRUE(endsWithSuccess(*second));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() == 4; }, 60000));
    const QString folder = QString::fromStdString(home / "letoltes/").toLower();
    EXPECT_EQ(
        dialogs.texts(),
        (std::vector<QString>{QStringLiteral("Telepítsem a %1tel.dta csomagot?").arg(folder),
                              QStringLiteral("A csomag kibontása kész."),
                              QStringLiteral("Telepítsem a %1tavasz.dta csomagot?").arg(folder),
                              QStringLiteral("A csomag kibontása kész.")}));
    EXPECT_EQ(readFile(home / "Zolvera.lst"), "Elso\r\nTel\r\nTavasz\r\n");
    EXPECT_EQ(ui().sbx1->count(), 3);
    EXPECT_EQ(tokens, QStringList({QStringLiteral("token:Letoltes/Tel.dta"),
                                   QStringLiteral("token:Letoltes/Tavasz.dta")}));
}

// The holder of the library's name cannot answer while its thread is busy (here: blocked in the
// second start's own call): the second start ends as busy after its time limit instead of
// opening a second window on the same library.
TEST(SingleInstance, AHolderThatDoesNotAnswerInTimeLeavesTheStartBusy) {
    PrivateBus bus;
    if (bus.address().isEmpty())
        GTEST_SKIP() << "dbus-daemon could not be started (package dbus-daemon)";
    TempDir home;
    app::SingleInstance first(home.path(), bus.connection());
    ASSERT_EQ(first.start({}), app::SingleInstance::Start::First);
    app::SingleInstance second(home.path(), bus.connection(QStringLiteral("second")),
                               std::chrono::milliseconds(500));
    EXPECT_EQ(second.start({QStringLiteral("/tmp/Tel.dta")}), app::SingleInstance::Start::Busy);
}

TEST(SingleInstance, ALibraryNamedInAnotherLetterCaseHasTheSameBusName) {
    TempDir dir;
    std::filesystem::create_directory(dir / "lib-case");
    EXPECT_EQ(app::instanceBusName(dir / "LIB-CASE"), app::instanceBusName(dir / "lib-case"));
}

TEST(SingleInstance, WithoutASessionBusTheProgramRunsAlone) {
    TempDir home;
    app::SingleInstance instance(
        home.path(), QDBusConnection::connectToBus(QStringLiteral("unix:path=") +
                                                       QString::fromStdString(home / "no-bus"),
                                                   QStringLiteral("none")));
    EXPECT_EQ(instance.start({QStringLiteral("/tmp/Tel.dta")}), app::SingleInstance::Start::Alone);
}

} // namespace zolvera::test
