// The walk's main: an offscreen QApplication, and a runtime folder of the walk's own, so no
// single-instance guard of a real running program is ever met.

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || std::string(runtime).find("verdane-walk-tests") == std::string::npos) {
        char folder[] = "/tmp/verdane-walk-tests-XXXXXX";
        if (mkdtemp(folder))
            setenv("XDG_RUNTIME_DIR", folder, 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
