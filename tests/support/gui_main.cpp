#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Widget tests run without a display unless the caller names a platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvera"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
