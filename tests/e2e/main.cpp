// End-to-end tests: each starts the real OrvikPlayer.exe and drives it.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
