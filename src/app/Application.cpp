#include "app/Application.h"

#include "library/BuildInfo.h"
#include "ui/Seged.h"

#include <exception>

namespace zolvera::app {

Application::Application(int& argc, char** argv, ui::Dialogs& dialogs)
    : QApplication(argc, argv), dialogs_(dialogs) {
    setApplicationName(QStringLiteral("Zolvera"));
    // Ties the windows to the installed menu entry (its icon and name on Wayland).
    setDesktopFileName(QString::fromLatin1(library::kAppId));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ui::ShowErrorReport(dialogs_, failure.what(), activeWindow());
    }
    return false;
}

} // namespace zolvera::app
