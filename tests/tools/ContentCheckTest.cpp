#include "pack/ContentCheck.h"

#include "content/ContentNames.h"

#include <gtest/gtest.h>

using pack::checkContent;

TEST(ContentCheck, CountsRecordsAndTheRecordsMarkingEachFlagPosition)
{
    const pack::ContentSummary summary =
        checkContent("2 校内活動 部活動.txt", "101\ta\n11\tb\n\tc\n0001\td\n");
    EXPECT_TRUE(summary.problems.empty());
    EXPECT_EQ(summary.records, 4u);
    EXPECT_EQ(summary.flagCounts, (std::vector<std::size_t>{2, 1, 1, 1}));
}

TEST(ContentCheck, ReportsEveryBadLineWithItsNumber)
{
    const std::string longText(51200, 'x'); // one code unit too many for the item buffer
    const pack::ContentSummary summary =
        checkContent("1 本人の長所・推薦事由等.txt",
                     "1\tgood\nno tab\n1\ta\tb\n1\t\\q\n1\t\xFF\n\xFF\tok\n1\t" + longText + "\n");
    ASSERT_EQ(summary.problems.size(), 6u);
    const std::size_t lines[] = {2, 3, 4, 5, 6, 7};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(summary.problems[i].line, lines[i]) << summary.problems[i].what;
    EXPECT_NE(summary.problems[0].what.find("no TAB"), std::string::npos);
    EXPECT_NE(summary.problems[3].what.find("sentence is not valid UTF-8"), std::string::npos);
    EXPECT_NE(summary.problems[4].what.find("flag string is not valid UTF-8"), std::string::npos);
    EXPECT_NE(summary.problems[5].what.find("too long"), std::string::npos);
}

TEST(ContentCheck, ANameThatIsNoneOfTheSevenTheProgramReadsIsAProblemThatListsThem)
{
    for (std::string_view name : content::kAllContents)
        EXPECT_TRUE(checkContent(name, "1\ta\n").problems.empty()) << name;
    // A full-width space, a missing number, no code page 932 form at all.
    for (const char* name :
         {"2 校内活動　部活動.txt", "校内活動 部活動.txt", "emoji \U0001F600.txt"}) {
        const pack::ContentSummary summary = checkContent(name, "1\ta\n");
        ASSERT_EQ(summary.problems.size(), 1u) << name;
        EXPECT_EQ(summary.problems[0].line, 0u);
        for (std::string_view known : content::kAllContents)
            EXPECT_NE(summary.problems[0].what.find(known), std::string::npos) << known;
    }
}
