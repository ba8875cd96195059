#include "app/Application.h"

#include "library/BuildInfo.h"
#include "ui/Seged.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace zolvera::app {

Application::Application(int& argc, char** argv, ui::Dialogs& dialogs)
    : QApplication(argc, argv), dialogs_(dialogs) {
    setApplicationName(QStringLiteral("Zolvera"));
    // Ties the windows to the installed menu entry (its icon and name on Wayland).
    setDesktopFileName(QString::fromLatin1(library::kAppId));
    // The standard buttons (Yes, No, OK) speak the system's language, as the system's own
    // message boxes do.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
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
