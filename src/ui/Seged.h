#pragma once

#include <QString>

#include <string>

class QWidget;

namespace zolvera::ui {
class Dialogs;
}

// The program's message boxes. Each is modal and owned by the window that asks; all of them go
// through the dialog provider given (ui/Dialogs.h).
namespace zolvera::ui {

// A question with Yes and No; true only for Yes.
bool ShowConfirm(Dialogs& dialogs, const QString& text, const QString& caption, QWidget* owner);
// The text under the caption "Hiba" with an error icon and an OK button.
void ShowError(Dialogs& dialogs, const QString& text, QWidget* owner);
// The text under the caption "Üzenet" with an information icon and an OK button.
void ShowInfo(Dialogs& dialogs, const QString& text, QWidget* owner);

// The general error report: a failure that no operation handled, under the application's
// title with an error icon and an OK button, with a full stop added where the message lacks one.
void ShowErrorReport(Dialogs& dialogs, const std::string& message, QWidget* owner);

} // namespace zolvera::ui
