// The main of every test executable that needs widgets: a QApplication on the offscreen
// platform unless a display is asked for, with a runtime folder of the tests' own (so the
// single-instance guard of a program under test never meets a real running one) and a data
// folder in it (so the draft keeps its remarks there, never among the user's), then GoogleTest.

#include "RuntimeFolder.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing_support::RuntimeFolder runtime;
    if (!runtime.make())
        return 1;
    const std::string data = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/data";
    setenv("XDG_DATA_HOME", data.c_str(), 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
