#pragma once
// Lets one instance of the program run per user and logon: an exclusive lock on a file named
// after the guard in the user's runtime folder. The kernel drops the lock when the process
// ends, however it ends.

#include <string>

namespace platform {

class SingleInstanceGuard {
public:
    enum class State {
        Owned,          // this process is the only instance
        AlreadyRunning, // another instance holds the guard
        Unavailable,    // the guard could not be made; the program runs without one
    };

    explicit SingleInstanceGuard(const std::string& name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    State state() const { return state_; }
    void release();

    // Where the guard of this name lies.
    static std::string pathFor(const std::string& name);

private:
    int fd_ = -1;
    State state_;
};

} // namespace platform
