#pragma once

#include <string>

class QWidget;

namespace zolvera::library {
class GroupLibrary;
}

namespace zolvera::ui {

// Installs a package into the window's library off the window thread (runOffThread), as
// packages::InstallPackage does and failing as it does. The files are written by a library of
// its own on the worker; the messages it gives are shown by the window's view on the window
// thread, in their order. When the package added its group, the window's library then reloads
// its list and shows the first group, as GroupLibrary::addGroup does. An install that takes more
// than a moment shows its progress over `window`, with a button that stops it (packages::Stopped).
void installPackage(QWidget* window, library::GroupLibrary& library,
                    const std::string& packagePath);

} // namespace zolvera::ui
