// The main of every test executable that needs widgets: a QApplication on the offscreen
// platform unless a display is asked for, with a runtime folder of the tests' own (so the
// single-instance guard of a program under test never meets a real running one), then
// GoogleTest.

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
