#include "platform/SingleInstanceGuard.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using platform::SingleInstanceGuard;

namespace {

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/verdane-guard-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

} // namespace

TEST_F(SingleInstanceGuardTest, OnlyOneHolderAtATimeAndReleasingLetsTheNextIn)
{
    SingleInstanceGuard first("Verdane.exe");
    EXPECT_EQ(first.state(), SingleInstanceGuard::State::Owned);
    EXPECT_EQ(SingleInstanceGuard::pathFor("Verdane.exe"), folder + "/Verdane.exe");
    {
        SingleInstanceGuard second("Verdane.exe");
        EXPECT_EQ(second.state(), SingleInstanceGuard::State::AlreadyRunning);
    }
    // The refused one going away leaves the first holding the guard.
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(),
              SingleInstanceGuard::State::AlreadyRunning);
    first.release();
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(), SingleInstanceGuard::State::Owned);
}

TEST_F(SingleInstanceGuardTest, AGuardThatCannotBeMadeIsReportedAsUnavailable)
{
    setenv("XDG_RUNTIME_DIR", (folder + "/missing/folder").c_str(), 1);
    EXPECT_EQ(SingleInstanceGuard("Verdane.exe").state(),
              SingleInstanceGuard::State::Unavailable);
}
