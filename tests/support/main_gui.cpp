#include <QApplication>
#include <gtest/gtest.h>

// Widget tests always run offscreen, also when started by hand from a desktop session.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
