#include "ui/Main.h"
#include "app/Application.h"
#include "desktop/FileRegistry.h"
#include "desktop/ShellLauncher.h"
#include "library/AppFolder.h"
#include "ui/QtDialogs.h"

int main(int argc, char* argv[]) {
    // Every path of the program is built on the application folder, so it comes first.
    const std::string appFolder = zolvera::library::findApplicationFolder();
    zolvera::ui::QtDialogs dialogs;
    zolvera::app::Application app(argc, argv, dialogs);
    zolvera::desktop::DesktopShellLauncher launcher;
    zolvera::desktop::FileRegistry registry; // the current user's store
    zolvera::ui::Tfrm_Main mainWindow(appFolder, dialogs, registry);
    mainWindow.setShellLauncher(launcher);
    mainWindow.show();
    return zolvera::app::Application::exec();
}
