#include "ui/DialogFrame.h"

#include <QKeyEvent>
#include <QPushButton>

namespace zolvera::ui {

bool enterPressesFocusedButton(QWidget& dialog, const QKeyEvent& event) {
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (!enter || (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // With no default button, Enter anywhere else does nothing.
    if (auto* button = qobject_cast<QPushButton*>(dialog.focusWidget()))
        button->click();
    return true;
}

} // namespace zolvera::ui
