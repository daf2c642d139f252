// The main of the tests that run the whole program: an offscreen QApplication, and a runtime
// folder of the tests' own, so the single-instance guard never meets a real running program.

#include "RuntimeFolder.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing_support::RuntimeFolder runtime;
    if (!runtime.make())
        return 1;
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
