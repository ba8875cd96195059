#pragma once

#include "desktop/DesktopApplier.h"

#include <functional>
#include <memory>
#include <string>

namespace zolvera::desktop {
class Registry;
class ShellLauncher;
} // namespace zolvera::desktop
namespace zolvera::library {
struct TBeall;
}

namespace zolvera::ui {

class Dialogs;

// What every window works with besides its own controls. main() makes it once, with the
// desktop's real services, and hands it to the main window, which hands it to every window it
// opens; tests hand in doubles. Each window keeps a copy, so a context made on the spot will
// do; what it refers to must outlive the windows.
struct WindowContext {
    library::TBeall& settings;        // the settings record, loaded and saved by the main window
    desktop::Registry& registry;      // the wallpaper's and the display settings' store
    Dialogs& dialogs;                 // message boxes and file dialogs
    desktop::ShellLauncher& launcher; // opens documents, programs and addresses
    // The applier of the running session, made when a wallpaper is set.
    std::function<std::unique_ptr<desktop::DesktopApplier>()> applierFor;
    std::string defaultServer; // the catalogue's web server when the settings file names none
};

} // namespace zolvera::ui
