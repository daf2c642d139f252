#include "pages/ContentPrefetch.h"
#include "content/ContentNames.h"
#include "pages/ContentLoader.h"
#include "support/ContentFile.h"
#include "support/RecordingEffects.h"

#include <gtest/gtest.h>

using testing_support::ContentFolder;
using testing_support::ProcessEnded;
using testing_support::RecordingEffects;
using testing_support::UseContentFile;

namespace {

pages::LoadedContent readByTheLoader(std::string_view utf8Name)
{
    pages::LoadedContent content{std::make_unique<ContentArray>(), std::make_unique<ContentArray>(),
                                 0};
    ContentLoader(content::cp932ContentName(utf8Name).c_str(), content.recordCount,
                  content.texts.get(), nullptr, content.flags.get());
    return content;
}

} // namespace

TEST(ContentPrefetch, HandsOutEachContentOnceAsTheLoaderReadsIt)
{
    UseContentFile use(SAMPLE_CONTENT);
    pages::ContentPrefetch prefetch(content::kAllContents);
    for (const std::string_view name : content::kAllContents) {
        SCOPED_TRACE(std::string(name));
        std::optional<pages::LoadedContent> read = prefetch.take(name);
        ASSERT_TRUE(read && read->texts && read->flags);
        const pages::LoadedContent expected = readByTheLoader(name);
        EXPECT_GT(read->recordCount, 0);
        EXPECT_EQ(read->recordCount, expected.recordCount);
        EXPECT_EQ(*read->texts, *expected.texts);
        EXPECT_EQ(*read->flags, *expected.flags);
        EXPECT_FALSE(prefetch.take(name)) << "handed out a second time";
    }
    EXPECT_FALSE(prefetch.take("9 無い内容.txt"));
}

TEST(ContentPrefetch, OneContentThatCannotBeReadLeavesEveryPageToReadItsOwn)
{
    const auto& names = content::kAllContents;
    std::vector<testing_support::Entry> entries;
    for (const std::string_view name : names)
        entries.push_back({std::string(name), "1\tA sentence.\n"});
    entries[3].data = "1\tgood\n1\t\xFF\n"; // the fourth content's second text is damaged
    ContentFolder folder;
    UseContentFile use(folder.writeArchive("c.zip", entries));
    RecordingEffects effects;

    pages::ContentPrefetch prefetch(names);
    for (const std::string_view name : names)
        EXPECT_FALSE(prefetch.take(name)) << name << ": kept although a content failed";
    EXPECT_TRUE(effects.messages.empty()) << "reading ahead shows nothing by itself";

    // The pages then read as they always did: the sound contents load, the damaged one ends
    // the start with its own message.
    EXPECT_EQ(readByTheLoader(names[0]).recordCount, 1);
    EXPECT_THROW(readByTheLoader(names[3]), ProcessEnded);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].text, u"コンテンツファイルのテキストが壊れています");
}

TEST(ContentPrefetch, NothingIsHandedOutWithoutAContentFile)
{
    ContentFolder folder;
    UseContentFile use(folder.file("absent.zip"));
    pages::ContentPrefetch prefetch(content::kAllContents);
    prefetch.finish();
    EXPECT_FALSE(prefetch.take(content::kStrengthsContent));
}
