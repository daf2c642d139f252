#pragma once
// Lets one instance of the program run per user and logon: an exclusive lock on a file named
// after the guard in the user's runtime folder. The kernel drops the lock when the process
// ends, however it ends.
//
// Without a runtime folder the file lies in a folder of the user's own in the shared temporary
// folder, where other users can make files too. So a folder or lock file is only used when it
// belongs to this user, nobody else can write it, and it is no symbolic link: otherwise another
// user could hold the lock to keep the program from starting, or have it create a file
// wherever a link points. Such a guard is Unavailable, and the program runs without one.

#include <string>

namespace platform {

class SingleInstanceGuard {
public:
    enum class State {
        Owned,          // this process is the only instance
        AlreadyRunning, // another instance holds the guard
        Unavailable,    // the guard could not be made, or was not trusted; the program runs
                        // without one
    };

    // name is a plain file name, such as "Verdane.exe".
    explicit SingleInstanceGuard(const std::string& name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    State state() const { return state_; }
    void release();

    // Where the guard of this name lies: $XDG_RUNTIME_DIR/name when that is an absolute path,
    // else <shared temporary folder>/verdane-<uid>/name, the shared temporary folder being
    // $TMPDIR when that is an absolute path, else /tmp. Makes nothing.
    static std::string pathFor(const std::string& name);

private:
    int fd_ = -1; // open only while the guard is Owned
    State state_ = State::Unavailable;
};

} // namespace platform
