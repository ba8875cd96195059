#include "ui/Main.h"
#include "app/Application.h"
#include "library/AppFolder.h"

int main(int argc, char* argv[]) {
    // Every path of the program is built on the application folder, so it comes first.
    const std::string appFolder = zolvera::library::findApplicationFolder();
    zolvera::app::Application app(argc, argv);
    zolvera::ui::Tfrm_Main mainWindow(appFolder);
    mainWindow.show();
    return zolvera::app::Application::exec();
}
