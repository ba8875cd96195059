#pragma once

#include <QApplication>

namespace zolvera::app {

// The application object: its title is "Zolvera", the caption of the general error report.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // The last net under the handlers' own guard: a failure that still escapes an event is
    // shown as the general error report instead of travelling on through Qt.
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zolvera::app
