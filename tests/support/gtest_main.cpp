#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Qt tests render without a display; harmless for the plain tests.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
