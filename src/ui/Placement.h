#pragma once

#include <QScreen>
#include <QWidget>

namespace zolvera::ui {

// Puts a window in the middle of the free area of its screen, as every window of the program
// opens.
inline void centreOnScreen(QWidget& window) {
    if (QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace zolvera::ui
