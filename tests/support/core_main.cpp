#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Widget code reached from a core test must never need a real display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
