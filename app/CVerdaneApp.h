#pragma once
// The program: one instance per user and logon, the main window run to its end, exit code 0.

#include "pages/ContentPrefetch.h"

#include <optional>

class CVerdaneApp {
public:
    // Claims the single instance and, when this is it, starts reading the contents ahead
    // (StartupTuning.h).
    CVerdaneApp();

    // Runs the program and ends the process; fatal errors end it earlier with their own code.
    [[noreturn]] void Run();

private:
    void InitInstance();

    std::optional<pages::ContentPrefetch> prefetch; // none in a second instance
};
