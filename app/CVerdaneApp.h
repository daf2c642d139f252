#pragma once
// The program: one instance per user and logon, the main window run to its end, exit code 0.

class CVerdaneApp {
public:
    // Runs the program and ends the process; fatal errors end it earlier with their own code.
    [[noreturn]] void Run();

private:
    void InitInstance();
};
