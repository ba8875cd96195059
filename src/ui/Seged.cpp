#include "ui/Seged.h"

#include "platform/Failure.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace zolvera::ui {

bool ShowConfirm(Dialogs& dialogs, const QString& text, const QString& caption, QWidget* owner) {
    return dialogs.message({owner, caption, text, MessageIcon::Question, true});
}

void ShowError(Dialogs& dialogs, const QString& text, QWidget* owner) {
    dialogs.message(
        {owner, QCoreApplication::translate("Seged", "Hiba"), text, MessageIcon::Error, false});
}

void ShowInfo(Dialogs& dialogs, const QString& text, QWidget* owner) {
    dialogs.message({owner, QCoreApplication::translate("Seged", "Üzenet"), text,
                     MessageIcon::Information, false});
}

void ShowErrorReport(Dialogs& dialogs, const std::string& message, QWidget* owner) {
    dialogs.message({owner, QGuiApplication::applicationDisplayName(),
                     QString::fromStdString(errorReportText(message)), MessageIcon::Error, false});
}

} // namespace zolvera::ui
