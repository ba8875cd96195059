#include "ui/Seged.h"

#include "platform/Failure.h"
#include "ui/Dialogs.h"

#include <QGuiApplication>

namespace zolvera::ui {

bool ShowConfirm(const QString& text, const QString& caption, QWidget* owner) {
    return dialogs().message({owner, caption, text, MessageIcon::Question, true});
}

void ShowError(const QString& text, QWidget* owner) {
    dialogs().message({owner, QStringLiteral("Hiba"), text, MessageIcon::Error, false});
}

void ShowInfo(const QString& text, QWidget* owner) {
    dialogs().message({owner, QStringLiteral("Üzenet"), text, MessageIcon::Information, false});
}

void ShowErrorReport(const std::string& message, QWidget* owner) {
    dialogs().message({owner, QGuiApplication::applicationDisplayName(),
                       QString::fromStdString(errorReportText(message)), MessageIcon::Error,
                       false});
}

} // namespace zolvera::ui
