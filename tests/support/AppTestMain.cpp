// The main of the tests that run the whole program: an offscreen QApplication, and a runtime
// folder of the tests' own, so the single-instance guard never meets a real running program.
// Death tests run in a child started with this environment, which therefore keeps the folder.

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || std::string(runtime).find("verdane-app-tests") == std::string::npos) {
        char folder[] = "/tmp/verdane-app-tests-XXXXXX";
        if (mkdtemp(folder))
            setenv("XDG_RUNTIME_DIR", folder, 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
