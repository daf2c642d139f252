// The about box's text stays a few short lines whatever the content file holds.

#include "app/AboutBox.h"
#include "content/ContentNames.h"
#include "support/ContentFile.h"

#include <QString>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::ContentFolder;
using testing_support::Entry;
using testing_support::UseContentFile;

namespace {

std::vector<std::u16string> linesOf(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::u16string utf16(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

} // namespace

TEST(AboutBox, NamesTheProgramsContentsFirstAndOnlyCountsTheOtherEntries)
{
    // Entries in an order of their own: extras first, one with a name of 60,000 characters.
    std::vector<Entry> entries = {{std::string(60'000, 'x') + ".txt", "1\tunder a long name\n"}};
    for (int i = 0; i < 3000; ++i)
        entries.push_back({"extra " + std::to_string(i) + ".txt", "1\tx\n"});
    for (const std::string_view name : content::kAllContents) {
        if (name == content::kFutureWorkContent)
            continue; // missing
        entries.push_back({std::string(name), name == content::kClubContent
                                                  ? "no tab: cannot be read\n"
                                                  : "1\tone\n0\ttwo\n"});
    }
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("many.zip", entries));

    const std::vector<std::u16string> lines = linesOf(aboutText());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[3], u"コンテンツファイルの内容:");
    for (std::size_t i = 0; i < std::size(content::kAllContents); ++i) {
        const std::string_view name = content::kAllContents[i];
        const bool unreadable =
            name == content::kFutureWorkContent || name == content::kClubContent;
        EXPECT_EQ(lines[4 + i],
                  u"　" + utf16(name) + (unreadable ? u": 読み込めません" : u": 2 件"));
    }
    EXPECT_EQ(lines[11], u"　ほかに 3001 件のエントリがあります");
    for (const std::u16string& line : lines)
        EXPECT_LE(line.size(), 40u) << "a line this long widens the box: " << line.size();
}
