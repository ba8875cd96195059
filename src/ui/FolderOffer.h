#pragma once

#include "ui/WindowContext.h"

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace zolvera::library {
class GroupLibrary;
}

namespace zolvera::ui {

// Offers to make a folder of pictures a new group of the library (packages::FolderImport):
// asks first, then asks for another name in the new group dialog while the folder's own is
// refused or taken, copies the pictures off the window thread with showProgress told how far
// it has come (and an empty text at the end), and names the pictures left out. Failures are
// thrown, for the general error report.
void offerFolderAsGroup(QWidget* owner, const WindowContext& context,
                        library::GroupLibrary& library, const std::string& folder,
                        const std::function<void(const QString&)>& showProgress);

} // namespace zolvera::ui
