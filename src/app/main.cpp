#include "ui/Main.h"
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "desktop/ShellLauncher.h"
#include "library/AppFolder.h"
#include "library/Settings.h"
#include "platform/UiLanguage.h"
#include "ui/QtDialogs.h"
#include "ui/Seged.h"
#include "ui/WindowContext.h"

int main(int argc, char* argv[]) {
    // Every path of the program is built on the application folder, so it comes first.
    const std::string appFolder = zolvera::library::findApplicationFolder();
    zolvera::ui::QtDialogs dialogs;
    // Read before Qt starts: its Wayland platform takes the variable for a window of its own.
    const QString activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    zolvera::app::Application app(argc, argv, dialogs);
    // Every text shown from here on, the standard buttons' too, is in the user's language.
    zolvera::platform::installUiLanguage(app);
    // One window per library: a later start hands its package to the running one and ends.
    zolvera::app::SingleInstance instance(appFolder);
    using Start = zolvera::app::SingleInstance::Start;
    const QStringList packages = zolvera::app::packagesToHandOver(QCoreApplication::arguments());
    switch (instance.start(packages, activationToken)) {
    case Start::HandedOver:
        return 0;
    case Start::Busy:
        zolvera::ui::ShowError(dialogs, zolvera::app::libraryInUseText(packages), nullptr);
        return 1;
    case Start::First:
    case Start::Alone:
        break;
    }
    zolvera::library::TBeall settings;
    zolvera::desktop::FileRegistry registry; // the current user's store
    zolvera::desktop::DesktopShellLauncher launcher;
    const zolvera::ui::WindowContext context{
        .settings = settings,
        .registry = registry,
        .dialogs = dialogs,
        .launcher = launcher,
        .applierFor =
            [] {
                return zolvera::desktop::makeDesktopApplier(
                    zolvera::desktop::detectDesktopSession());
            },
        .defaultServer = ZOLVERA_DEFAULT_SERVER,
    };
    zolvera::ui::Tfrm_Main mainWindow(appFolder, context);
    QObject::connect(&instance, &zolvera::app::SingleInstance::activated, &mainWindow,
                     &zolvera::ui::Tfrm_Main::bringToFront);
    QObject::connect(&instance, &zolvera::app::SingleInstance::packagesOpened, &mainWindow,
                     &zolvera::ui::Tfrm_Main::offerPackages);
    // The program ends with its window, even when an offer arrived as it closed, and gives up
    // the library's name at once so that a start meanwhile opens a window of its own.
    QObject::connect(&mainWindow, &zolvera::ui::Tfrm_Main::closed, &instance,
                     &zolvera::app::SingleInstance::release);
    QObject::connect(&mainWindow, &zolvera::ui::Tfrm_Main::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainWindow.show();
    return zolvera::app::Application::exec();
}
