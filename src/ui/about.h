#pragma once

#include "ui/WindowContext.h"

#include <QDialog>

class QLabel;

namespace zolvera::ui {

class Panel;

// The about box: the about picture (the program's name, version and the maker's contact
// lines) centred at its own size on a lowered panel, with a thin maroon margin around it. It
// has no button: only the caption bar's close button or the system's close keystroke close it.
class Tfrm_About : public QDialog {
    Q_OBJECT
public:
    Tfrm_About(QWidget* owner, const WindowContext& context);

    Dialogs& dialogs() const { return context_.dialogs; }

    Panel* Panel1;
    QLabel* Image1;

protected:
    // Esc is no close keystroke here, as the box has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    WindowContext context_;
};

// The work of "Névjegy": creates the about box, shows it modally and destroys it.
void ShowAbout(QWidget* owner, const WindowContext& context);

} // namespace zolvera::ui
