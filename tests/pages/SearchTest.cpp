// The keyword search as a teacher types it, over a small content packed by the real packer with
// its readings and groups: width and kana do not matter, a reading is found from a word's
// beginning and not inside a word, a word finds the others of its group, voiced marks and the
// marks of facts stay what they are, and whatever the exact search finds is still found.

#include "content/ContentReader.h"
#include "content/Synonyms.h"
#include "pages/CDlgTab02.h"
#include "support/ContentFile.h"
#include "support/PageHost.h"
#include "support/RecordingEffects.h"
#include "support/StrengthsContent.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace testing_support;

namespace {

// clang-format off
const std::vector<std::string> kSentences = {
    /* 0 */ "挨拶を欠かさない生徒である。",
    /* 1 */ "書類の作成と提出を期限内に行った。",
    /* 2 */ "情報の授業でITの基礎を学んだ。",
    /* 3 */ "ボランティア活動に毎月参加した。",
    /* 4 */ "就業体験で接客の基本を学んだ。",
    /* 5 */ "バイオ技術の研究に関心がある。",
    /* 6 */ "〇〇大会で第△位に入賞した。",
    /* 7 */ "主将として部をまとめた。",
};
// clang-format on

// What box 0 marks after a search: the marked runs, joined by "|".
std::string markedIn(QPlainTextEdit* box)
{
    std::string marked;
    for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.background().style() == Qt::NoBrush)
                continue;
            const QString run = block.text().mid(range.start, range.length);
            if (run.contains(u'〇') || run.contains(u'△'))
                continue; // the marks of facts are marked as such, not as found
            marked += (marked.empty() ? "" : "|") + run.toStdString();
        }
    }
    return marked;
}

class Search : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string source;
        for (const std::string& sentence : kSentences)
            source += strengthsRecord({9}, sentence);
        folder.writeBytes("1 本人の長所・推薦事由等.txt", source);
        folder.writeBytes("groups.tsv", "インターンシップ\t就業体験\nキャプテン\t主将\n");
        const std::string command = std::string(PACKER) + " --readings --synonyms '" +
                                    folder.file("groups.tsv") + "' '" + folder.file("content.zip") +
                                    "' '" + folder.file("1 本人の長所・推薦事由等.txt") +
                                    "' >/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        use = std::make_unique<UseContentFile>(folder.file("content.zip"));
        page = std::make_unique<CDlgTab02>(&host);
        ASSERT_TRUE(page->Create());
        page->SetSynonyms(loadList<content::Synonyms>(KOVA_readSynonyms));
        host.show();
        QApplication::setActiveWindow(&host);
    }

    std::vector<int> found() const
    {
        std::vector<int> indices;
        for (const std::u16string_view text : page->matchList().matchTexts) {
            for (std::size_t i = 0; i < kSentences.size(); ++i) {
                if (QString::fromStdU16String(std::u16string(text)).toStdString() == kSentences[i])
                    indices.push_back(static_cast<int>(i));
            }
        }
        return indices;
    }

    ContentFolder folder;
    PageHost host;
    RecordingEffects effects; // installed while it lives
    std::unique_ptr<UseContentFile> use;
    std::unique_ptr<CDlgTab02> page;
};

} // namespace

TEST_F(Search, FindsByWidthKanaReadingAndGroupAndStillEveryExactMatch)
{
    // clang-format off
    const struct {
        const char16_t* keyword;
        std::vector<int> found;
        std::string marked; // in the first sentence found
    } cases[] = {
        // exact, as the search always found
        {u"挨拶",           {0},    "挨拶"},
        {u"作成",           {1},    "作成"},
        {u"〇〇",           {6},    ""},
        // width and kana
        {u"ＩＴ",           {2},    "IT"},
        {u"ぼらんてぃあ",   {3},    "ボランティア"},
        {u"ｱｲｻﾂ",           {0},    "挨拶"},
        // a reading from a word's beginning on, not inside a word
        {u"あいさつ",       {0},    "挨拶"},
        {u"せいと",         {0},    "生徒"},
        {u"しゅしょう",     {7},    "主将"},
        {u"れい",           {},     ""},
        // voiced marks stay distinct
        {u"ハイオ",         {},     ""},
        {u"バイオ",         {5},    "バイオ"},
        // a word of a group finds the others
        {u"インターンシップ", {4},  "就業体験"},
        {u"キャプテン",     {7},    "主将"},
        // every term, in whichever form
        {u"あいさつ　せいと", {0},  "挨拶|生徒"},
        {u"あいさつ 作成",  {},     ""},
    };
    // clang-format on
    for (const auto& each : cases) {
        SCOPED_TRACE(QString::fromStdU16String(each.keyword).toStdString());
        page->SearchKeyword(each.keyword);
        EXPECT_EQ(found(), each.found);
        if (!each.found.empty()) {
            EXPECT_EQ(markedIn(page->control<QPlainTextEdit>(1037)), each.marked);
        }
    }
}
