#pragma once

#include "ui/WindowContext.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zolvera::ui {

// The display settings: wallpaper stretching, the slideshow's default step interval and its
// full-screen window. "OK" writes the stretching to the desktop's "WallpaperStyle" value and
// the three choices to the settings record; "Mégsem", Esc and the close box change nothing.
// Enter presses a button only when it has the focus.
class Tfrm_Rendszer : public QDialog {
    Q_OBJECT
public:
    // The desktop value is written to the context's registry.
    Tfrm_Rendszer(QWidget* owner, const WindowContext& context);

    Dialogs& dialogs() const { return context_.dialogs; }

    QGroupBox* LMDGroupBox1;
    QCheckBox* Nyujt;
    QLabel* Label1;
    QGroupBox* GroupBox2;
    QLabel* Label2;
    QSpinBox* spEdit; // whole seconds, 1 to 10; typing into it is refused
    QCheckBox* Teljes;
    QPushButton* Button1;
    QPushButton* Button2;

public Q_SLOTS:
    // "OK": writes the registry value, then the settings record, then closes. A refused
    // registry write throws before the record changes, and the dialog stays open.
    void BitBtn1Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    WindowContext context_;
};

// Shows the dialog filled from the settings record, modally; comes back when it has closed.
// The desktop value goes to the context's registry.
void ShowSettingsDialog(QWidget* owner, const WindowContext& context);

} // namespace zolvera::ui
