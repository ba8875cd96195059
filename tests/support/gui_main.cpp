#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Widget tests run without a display unless the caller names a platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The picture grid reads and writes the user's thumbnail cache: the tests get one of their
    // own, removed at the end.
    const QTemporaryDir cache;
    setenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()).constData(), 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvera"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
