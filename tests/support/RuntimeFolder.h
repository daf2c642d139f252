#pragma once
// A runtime folder of the tests' own for one run of a test executable, named in
// XDG_RUNTIME_DIR: the single-instance guard never meets a real running program there, and Qt
// keeps its own files there instead of in a folder of the user's. A death test's child is
// started with this environment, so it uses the folder its parent made; only the process that
// made the folder removes it, when the object goes away at the end of main.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace testing_support {

class RuntimeFolder {
public:
    // False, with a message on standard error, when the folder cannot be made.
    bool make()
    {
        const char* inherited = std::getenv("XDG_RUNTIME_DIR");
        if (inherited && std::string(inherited).find(kPrefix) != std::string::npos)
            return true;
        std::error_code error;
        std::filesystem::path shared = std::filesystem::temp_directory_path(error);
        if (error)
            shared = "/tmp";
        std::string folder = (shared / (std::string(kPrefix) + "XXXXXX")).string();
        if (!mkdtemp(folder.data())) {
            std::perror(
                ("cannot make a runtime folder for the tests in " + shared.string()).c_str());
            return false;
        }
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        made_ = folder;
        maker_ = getpid();
        return true;
    }

    ~RuntimeFolder()
    {
        if (!made_.empty() && maker_ == getpid()) {
            std::error_code ignored;
            std::filesystem::remove_all(made_, ignored);
        }
    }

    RuntimeFolder() = default;
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    static constexpr const char* kPrefix = "verdane-test-runtime-";
    std::string made_;
    pid_t maker_ = 0;
};

} // namespace testing_support
