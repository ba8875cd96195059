#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zolvera::test {

// Moves the focus through the active window with Tab, as a user does, until the button has it,
// and presses Enter there.
inline void tabToAndPressEnter(QWidget& window, QPushButton* button) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (int i = 0; i < 10 && QApplication::focusWidget() != button; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Return);
}

} // namespace zolvera::test
