#include "SingleInstanceGuard.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string SingleInstanceGuard::pathFor(const std::string& name)
{
    // The runtime folder belongs to one user's logon; without one, a folder per user in /tmp.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/" + name;
    const std::string folder = "/tmp/verdane-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    return folder + "/" + name;
}

SingleInstanceGuard::SingleInstanceGuard(const std::string& name)
{
    fd_ = open(pathFor(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        state_ = State::Unavailable;
        return;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Owned;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::AlreadyRunning : State::Unavailable;
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

void SingleInstanceGuard::release()
{
    if (fd_ >= 0) {
        if (state_ == State::Owned)
            flock(fd_, LOCK_UN);
        close(fd_);
        fd_ = -1;
    }
}

} // namespace platform
