#include "platform/SingleInstanceGuard.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using platform::SingleInstanceGuard;
using State = SingleInstanceGuard::State;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object and puts back what was there.
class ScopedVariable {
public:
    explicit ScopedVariable(const char* name) : name_(name)
    {
        if (const char* value = std::getenv(name))
            saved_ = value;
    }
    ~ScopedVariable()
    {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> saved_;
};

std::string uid()
{
    return std::to_string(getuid());
}

mode_t modeOf(const fs::path& path)
{
    struct stat info = {};
    return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// A folder of the test's own holding a runtime folder, a stand-in for the shared temporary
// folder and, beside them, a folder the guard has no business touching, with one file in it.
class SingleInstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "verdane-guard-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        runtime = root / "runtime";
        shared = root / "shared";
        outside = root / "outside";
        own = shared / ("verdane-" + uid());
        for (const fs::path& folder : {runtime, shared, outside})
            ASSERT_EQ(mkdir(folder.c_str(), 0700), 0) << folder;
        std::ofstream(outside / "bait") << "keep";
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("TMPDIR", shared.c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // The guard goes to the shared temporary folder, as with no runtime folder.
    void useSharedFolder() { unsetenv("XDG_RUNTIME_DIR"); }

    // Nothing outside the guard's folders was made, changed or followed into.
    void expectOutsideUntouched()
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(outside))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"bait"});
        std::ifstream in(outside / "bait");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
        EXPECT_EQ(modeOf(outside), S_IFDIR | 0700);
    }

    ScopedVariable runtimeVariable{"XDG_RUNTIME_DIR"};
    ScopedVariable temporaryVariable{"TMPDIR"};
    fs::path root, runtime, shared, outside, own;
};

} // namespace

TEST_F(SingleInstanceGuardTest, OnlyOneHolderAtATimeAndReleasingLetsTheNextIn)
{
    SingleInstanceGuard first("Verdane.exe");
    EXPECT_EQ(first.state(), State::Owned);
    EXPECT_EQ(SingleInstanceGuard::pathFor("Verdane.exe"), (runtime / "Verdane.exe").string());
    {
        SingleInstanceGuard second("Verdane.exe");
        EXPECT_EQ(second.state(), State::AlreadyRunning);
    }
    // The refused one going away leaves the first holding the guard.
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::AlreadyRunning);
    first.release();
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::Owned);
}

TEST_F(SingleInstanceGuardTest, AGuardThatCannotBeMadeIsReportedAsUnavailable)
{
    // A name with a folder in it would lead out of the guard's folder.
    EXPECT_EQ(SingleInstanceGuard("../outside/Verdane.exe").state(), State::Unavailable);
    expectOutsideUntouched();
    setenv("XDG_RUNTIME_DIR", (runtime / "missing/folder").c_str(), 1);
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::Unavailable);
    useSharedFolder();
    setenv("TMPDIR", (root / "missing").c_str(), 1);
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::Unavailable);
}

TEST_F(SingleInstanceGuardTest, WithoutARuntimeFolderTheGuardMakesAFolderOnlyItsUserCanEnter)
{
    useSharedFolder();
    EXPECT_EQ(SingleInstanceGuard::pathFor("Verdane.exe"), (own / "Verdane.exe").string());
    SingleInstanceGuard first("Verdane.exe");
    ASSERT_EQ(first.state(), State::Owned);
    EXPECT_EQ(modeOf(own), S_IFDIR | 0700);
    EXPECT_EQ(modeOf(own / "Verdane.exe"), S_IFREG | 0600);
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::AlreadyRunning);

    // Paths that depend on where the program was started are not used.
    setenv("TMPDIR", "relative", 1);
    EXPECT_EQ(SingleInstanceGuard::pathFor("Verdane.exe"),
              "/tmp/verdane-" + uid() + "/Verdane.exe");
    setenv("XDG_RUNTIME_DIR", "relative", 1);
    EXPECT_EQ(SingleInstanceGuard::pathFor("Verdane.exe"),
              "/tmp/verdane-" + uid() + "/Verdane.exe");
}

TEST_F(SingleInstanceGuardTest, ALockLeftByAKilledInstanceBlocksNoStart)
{
    // The shared temporary folder outlives logons, so a lock file there outlives its holder.
    useSharedFolder();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        SingleInstanceGuard held("Verdane.exe");
        const char answer = held.state() == State::Owned ? 'o' : 'x';
        if (write(ready[1], &answer, 1) != 1)
            _exit(2);
        for (;;)
            pause();
    }
    close(ready[1]);
    char answer = 0;
    const bool heard = read(ready[0], &answer, 1) == 1;
    close(ready[0]);
    if (heard && answer == 'o') {
        EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::AlreadyRunning);
    }
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(heard && answer == 'o') << "the child did not take the guard";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    EXPECT_TRUE(fs::exists(own / "Verdane.exe"));
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), State::Owned);
}

namespace {

// A folder or lock file that the guard finds in place of its own, and what the guard makes of
// it. The folder is the user's folder in the shared temporary folder unless inRuntimeFolder.
struct Found {
    const char* label;
    bool inRuntimeFolder;
    bool needsRoot; // only root can give a file to another user
    std::function<void(const fs::path& folder, const fs::path& outside)> make;
    State expected;
};

void PrintTo(const Found& found, std::ostream* out)
{
    *out << found.label;
}

void ownFolder(const fs::path& folder)
{
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
}

void lockFile(const fs::path& folder, mode_t mode)
{
    std::ofstream(folder / "Verdane.exe").put('\0');
    ASSERT_EQ(chmod((folder / "Verdane.exe").c_str(), mode), 0);
}

constexpr uid_t kOtherUser = 65534;

const Found kFound[] = {
    {"AFolderAndFileOfTheUsersOwn", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         lockFile(folder, 0600);
     },
     State::Owned},
    {"TheFolderIsALinkToAFolderOfTheUsersOwn", false, false,
     [](const fs::path& folder, const fs::path& outside) {
         fs::create_directory_symlink(outside, folder);
     },
     State::Unavailable},
    {"TheFolderIsOpenToAll", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
     },
     State::Unavailable},
    {"TheFolderIsOpenToTheGroup", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         ASSERT_EQ(chmod(folder.c_str(), 0770), 0);
     },
     State::Unavailable},
    {"TheFolderBelongsToAnotherUser", false, true,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         ASSERT_EQ(chown(folder.c_str(), kOtherUser, kOtherUser), 0);
     },
     State::Unavailable},
    {"TheLockFileIsALinkToAMissingFile", false, false,
     [](const fs::path& folder, const fs::path& outside) {
         ownFolder(folder);
         fs::create_symlink(outside / "created", folder / "Verdane.exe");
     },
     State::Unavailable},
    {"TheLockFileIsALinkToAFileOfTheUsersOwn", false, false,
     [](const fs::path& folder, const fs::path& outside) {
         ownFolder(folder);
         fs::create_symlink(outside / "bait", folder / "Verdane.exe");
     },
     State::Unavailable},
    {"TheLockFileInTheRuntimeFolderIsALink", true, false,
     [](const fs::path& folder, const fs::path& outside) {
         fs::create_symlink(outside / "created", folder / "Verdane.exe");
     },
     State::Unavailable},
    {"TheLockFileIsWritableByTheGroup", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         lockFile(folder, 0620);
     },
     State::Unavailable},
    {"TheLockFileIsWritableByOthers", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         lockFile(folder, 0602);
     },
     State::Unavailable},
    {"TheLockFileHasASecondName", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         lockFile(folder, 0600);
         fs::create_hard_link(folder / "Verdane.exe", folder / "second");
     },
     State::Unavailable},
    {"TheLockFileIsAPipe", false, false,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         ASSERT_EQ(mkfifo((folder / "Verdane.exe").c_str(), 0600), 0);
     },
     State::Unavailable},
    {"TheLockFileBelongsToAnotherUser", false, true,
     [](const fs::path& folder, const fs::path&) {
         ownFolder(folder);
         lockFile(folder, 0600);
         ASSERT_EQ(chown((folder / "Verdane.exe").c_str(), kOtherUser, kOtherUser), 0);
     },
     State::Unavailable},
};

class SingleInstanceGuardFoundTest : public SingleInstanceGuardTest,
                                     public ::testing::WithParamInterface<Found> {};

} // namespace

TEST_P(SingleInstanceGuardFoundTest, OnlyAFolderAndFileOfTheUsersOwnAreUsed)
{
    const Found& found = GetParam();
    if (found.needsRoot && geteuid() != 0)
        GTEST_SKIP() << "only root can make a file that belongs to another user";
    if (!found.inRuntimeFolder)
        useSharedFolder();
    const fs::path folder = found.inRuntimeFolder ? runtime : own;
    found.make(folder, outside);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), found.expected);
    expectOutsideUntouched();
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleInstanceGuardFoundTest, ::testing::ValuesIn(kFound),
                         [](const ::testing::TestParamInfo<Found>& info) {
                             return std::string(info.param.label);
                         });
