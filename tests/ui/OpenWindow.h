#pragma once

#include <QApplication>
#include <QWidget>

namespace zolvera::test {

// The window of that class that exists now, found through Qt; nullptr when there is none.
template <typename Window> Window* openWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget))
            return window;
    return nullptr;
}

} // namespace zolvera::test
