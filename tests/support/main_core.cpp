#include <QCoreApplication>
#include <gtest/gtest.h>

// Core tests run without a display but need an event loop for the link's waits and timers.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
