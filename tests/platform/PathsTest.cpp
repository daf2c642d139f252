#include "platform/Paths.h"

#include <gtest/gtest.h>

using platform::joinRelativePath;

TEST(JoinRelativePath, TurnsBackslashesIntoFolderSeparators)
{
    EXPECT_EQ(joinRelativePath("/opt/verdane", u"\\PDF\\howto.pdf"), "/opt/verdane/PDF/howto.pdf");
    EXPECT_EQ(joinRelativePath("/", u"\\PDF\\license8.pdf"), "/PDF/license8.pdf");
    EXPECT_EQ(joinRelativePath("/opt/資料", u"\\PDF\\howto.pdf"), "/opt/資料/PDF/howto.pdf");
}

TEST(JoinRelativePath, KeepsPathsOfAnyLengthWhole)
{
    // Far past the 260 characters a fixed path buffer would hold.
    const std::string folder = "/" + std::string(5000, 'f');
    const std::string joined = joinRelativePath(folder, u"\\PDF\\howto.pdf");
    EXPECT_EQ(joined.size(), folder.size() + 14);
    EXPECT_TRUE(joined.ends_with("/PDF/howto.pdf"));
}

TEST(ExecutableFolder, IsTheFolderOfTheRunningTest)
{
    const std::string folder = platform::executableFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(platform::applicationTitle(), "platform_tests");
}
