// Entry point of every test program under Wine: a child mode when asked for one, else the
// tests.
#include <gtest/gtest.h>

#include "support/child.h"

int main(int argc, char** argv) {
    int exitCode = 0;
    if (testing_support::DispatchChildMode(exitCode)) return exitCode;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
