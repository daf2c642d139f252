#include "SingleInstanceGuard.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// Closes the descriptor it holds when it goes out of scope, unless it was handed on.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// An absolute folder named by an environment variable, without trailing slashes; empty when
// the variable is unset or names a relative path, which would depend on where the program was
// started.
std::string absoluteFolderFrom(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || value[0] != '/')
        return {};
    std::string folder = value;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string join(const std::string& folder, const std::string& name)
{
    return folder == "/" ? folder + name : folder + "/" + name;
}

std::string sharedTemporaryFolder()
{
    const std::string folder = absoluteFolderFrom("TMPDIR");
    return folder.empty() ? "/tmp" : folder;
}

// The user's own folder in the shared temporary folder, one per user id.
std::string fallbackFolderName()
{
    return "verdane-" + std::to_string(getuid());
}

// Only what this user owns and nobody else can write is trusted: anything else another user
// made or may change, to hold the lock in the user's place or to swap the file.
bool isOwnAndClosed(const struct stat& info)
{
    return info.st_uid == getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Opens the folder at path (relative to the folder at, unless absolute) when it is trusted;
// -1 otherwise. The open descriptor is what later steps use, so the folder checked is the
// folder used, whatever happens to its name meanwhile.
int openTrustedFolder(int at, const std::string& path, int extraFlags)
{
    Descriptor folder(openat(at, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
    struct stat info = {};
    if (!folder.valid() || fstat(folder.get(), &info) != 0 || !isOwnAndClosed(info))
        return -1;
    return folder.release();
}

int openGuardFolder()
{
    // The runtime folder belongs to one user's logon and is named by the user's own session,
    // so it may be reached through a link; it must still be the user's and closed to others.
    if (const std::string runtime = absoluteFolderFrom("XDG_RUNTIME_DIR"); !runtime.empty())
        return openTrustedFolder(AT_FDCWD, runtime, 0);

    // Anyone may make names in the shared temporary folder, and may have made this one first,
    // as a folder or as a link: the folder is made here if missing, and never followed.
    const Descriptor shared(
        open(sharedTemporaryFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!shared.valid())
        return -1;
    const std::string own = fallbackFolderName();
    if (mkdirat(shared.get(), own.c_str(), 0700) != 0 && errno != EEXIST)
        return -1;
    return openTrustedFolder(shared.get(), own, O_NOFOLLOW);
}

bool isPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

std::string SingleInstanceGuard::pathFor(const std::string& name)
{
    if (const std::string runtime = absoluteFolderFrom("XDG_RUNTIME_DIR"); !runtime.empty())
        return join(runtime, name);
    return join(join(sharedTemporaryFolder(), fallbackFolderName()), name);
}

SingleInstanceGuard::SingleInstanceGuard(const std::string& name)
{
    if (!isPlainName(name))
        return;
    const Descriptor folder(openGuardFolder());
    if (!folder.valid())
        return;
    // A link in the lock file's place is refused, never followed; a file someone else made or
    // may write, or one with a second name elsewhere, is not this user's lock.
    Descriptor file(openat(folder.get(), name.c_str(),
                           O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC,
                           0600));
    struct stat info = {};
    if (!file.valid() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_nlink != 1 || !isOwnAndClosed(info))
        return;
    if (flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            state_ = State::AlreadyRunning;
        return;
    }
    fd_ = file.release();
    state_ = State::Owned;
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

void SingleInstanceGuard::release()
{
    if (fd_ >= 0) {
        flock(fd_, LOCK_UN);
        close(fd_);
        fd_ = -1;
    }
}

} // namespace platform
