// The main of every test program. Programs that need a QApplication create one
// in their own environment set-up; this stays free of Qt.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
