#pragma once

#include <QApplication>

namespace zolvera::ui {
class Dialogs;
}

namespace zolvera::app {

// The application object: its title is "Zolvera", the caption of the general error report, which
// it shows through the given dialog provider.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv, ui::Dialogs& dialogs);

    // The last net under the handlers' own guard: a failure that still escapes an event is
    // shown as the general error report instead of travelling on through Qt.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    ui::Dialogs& dialogs_;
};

} // namespace zolvera::app
