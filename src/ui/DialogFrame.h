#pragma once

#include <QtCore/qnamespace.h>

class QKeyEvent;
class QWidget;

namespace zolvera::ui {

// The frame of every dialog of the program: a title bar with the system menu and the close box,
// and no resizing.
inline constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

// For dialogs without a default button: Enter (either key, no modifier but the keypad's)
// presses the focused push button. True when the key was Enter and is used up by this.
bool enterPressesFocusedButton(QWidget& dialog, const QKeyEvent& event);

} // namespace zolvera::ui
