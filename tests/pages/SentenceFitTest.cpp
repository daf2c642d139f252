// Every sentence of the sample content for the in-school and outside pages is seen whole in the
// result box that shows it: those boxes have no scroll bar of their own, so a line that does
// not fit is a sentence the teacher never reads to its end. A sentence that lays out longer
// than its box is named by its source file and line, for the content editor to shorten.

#include "content/ContentNames.h"
#include "pages/CDlgTab03.h"
#include "pages/CDlgTab05.h"
#include "pages/ContentLoader.h"
#include "platform/EditBox.h"
#include "support/ContentFile.h"
#include "support/PageHost.h"
#include "support/PageTestHelpers.h"
#include "support/RecordingEffects.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

using namespace testing_support;

namespace {

constexpr int kFirstResultBox = 1037;

// The sentences of one content in record order: record i stands on line i + 1 of its source.
ContentArray sentencesOf(std::string_view contentName, platform::Dialog& owner)
{
    ContentArray texts;
    int recordCount = 0;
    ContentLoader(content::cp932ContentName(contentName).c_str(), recordCount, &texts, &owner,
                  nullptr);
    return texts;
}

// The sentences of the page's contents that do not fit its first result box, as
// "data/<content>:<line>".
template <typename Page>
std::vector<std::string> sentencesCutOff(std::initializer_list<std::string_view> contents,
                                         std::size_t& laidOut)
{
    PageHost host;
    Page page(&host);
    EXPECT_TRUE(page.Create());
    host.show();
    page.show();
    auto* box = page.template control<platform::EditBox>(kFirstResultBox);
    std::vector<std::string> cutOff;
    for (const std::string_view name : contents) {
        const ContentArray texts = sentencesOf(name, page);
        EXPECT_FALSE(texts.empty()) << name;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            page.SetDlgItemText(kFirstResultBox, texts[i]);
            ++laidOut;
            if (!box->showsWholeText())
                cutOff.push_back("data/" + std::string(name) + ":" + std::to_string(i + 1));
        }
    }
    return cutOff;
}

} // namespace

TEST(SentenceFit, TheSmallResultBoxesHaveNoScrollBarOfTheirOwnAndShowFourLinesWhole)
{
    UseContentFile use(SAMPLE_CONTENT);
    RecordingEffects effects;
    PageHost host;
    CDlgTab05 page(&host);
    ASSERT_TRUE(page.Create());
    host.show();
    auto* box = page.control<platform::EditBox>(kFirstResultBox);
    EXPECT_FALSE(box->verticalScrollBar()->isVisible());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const std::u16string line = u"あ";
    std::u16string fourLines = line;
    for (int i = 1; i < 4; ++i)
        fourLines += u"\n" + line;
    page.SetDlgItemText(kFirstResultBox, fourLines);
    EXPECT_TRUE(box->showsWholeText()) << "four lines of the result font fit";
    page.SetDlgItemText(kFirstResultBox, fourLines + u"\n" + line);
    EXPECT_FALSE(box->showsWholeText()) << "a fifth line is cut off, and the check sees it";
    EXPECT_EQ(box->formattingRect().top() - box->contentsRect().top(), 6)
        << "the text starts 6 pixels below the upper border";
}

TEST(SentenceFit, EverySampleSentenceOfTheSixBoxPagesIsSeenWhole)
{
    UseContentFile use(SAMPLE_CONTENT);
    RecordingEffects effects;
    std::size_t laidOut = 0;
    std::vector<std::string> cutOff = sentencesCutOff<CDlgTab03>(
        {content::kSchoolEventsContent, content::kInSchoolContent, content::kClubContent}, laidOut);
    const std::vector<std::string> outside = sentencesCutOff<CDlgTab05>(
        {content::kOutsideContent, content::kFutureWorkContent, content::kVolunteerContent},
        laidOut);
    cutOff.insert(cutOff.end(), outside.begin(), outside.end());
    EXPECT_GT(laidOut, 400u) << "the sample content of the two pages was laid out";
    EXPECT_TRUE(effects.messages.empty()) << "the sample content loads";
    std::string list;
    for (const std::string& place : cutOff)
        list += "\n" + place + ": longer than its box";
    EXPECT_TRUE(cutOff.empty()) << cutOff.size() << " sentences are cut off:" << list;
}
