// The markup of the documents' text sources: every construct as the PDF maker receives it, and
// every mistake reported with its line, since the build refuses a document with any.

#include "tools/pdf/Markup.h"

#include <gtest/gtest.h>

using docs::Block;
using docs::parseMarkup;
using Kind = docs::Block::Kind;

namespace
{

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(Markup, ReadsEveryConstructInOrder)
{
    const auto result = parseMarkup(q("\xEF\xBB\xBF% a comment\r\n"
                                      "# 使い方\r\n"
                                      "\n"
                                      "一行目の文と\n"
                                      "二行目の文。\n"
                                      "  続きの行。\n"
                                      "## 見出し\n"
                                      "### 小見出し\n"
                                      "- 項目一\n"
                                      "  の続き\n"
                                      "- **太字**の項目\n"
                                      "1. 手順一\n"
                                      "2. 手順二\n"
                                      "> 注意の文\n"
                                      "| 名称 | 団体 |\n"
                                      "|------|--|\n"
                                      "| 英検 | 協会 |\n"
                                      "![起動した画面](start.png)\n"
                                      "![小さい画面](copy.png 60%)\n"
                                      "最後の段落\n"));
    ASSERT_TRUE(result.errors.isEmpty()) << result.errors.join(QLatin1Char('\n')).toStdString();
    const auto& blocks = result.document.blocks;
    EXPECT_EQ(result.document.title, q("使い方"));
    const std::vector<Kind> kinds = {Kind::Title,      Kind::Paragraph, Kind::Heading,
                                     Kind::Subheading, Kind::Bullets,   Kind::Numbered,
                                     Kind::Note,       Kind::Table,     Kind::Picture,
                                     Kind::Picture,    Kind::Paragraph};
    ASSERT_EQ(blocks.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(blocks[i].kind, kinds[i]) << "block " << i;

    EXPECT_EQ(blocks[1].text, q("一行目の文と二行目の文。続きの行。"))
        << "lines of a paragraph join without a space";
    EXPECT_EQ(blocks[1].line, 4);
    EXPECT_EQ(blocks[2].text, q("見出し"));
    EXPECT_EQ(blocks[4].items, QStringList({q("項目一の続き"), q("**太字**の項目")}));
    EXPECT_EQ(blocks[5].items, QStringList({q("手順一"), q("手順二")}));
    EXPECT_EQ(blocks[6].text, q("注意の文"));
    ASSERT_EQ(blocks[7].rows.size(), 2);
    EXPECT_EQ(blocks[7].rows[0], QStringList({q("名称"), q("団体")}));
    EXPECT_EQ(blocks[7].rows[1], QStringList({q("英検"), q("協会")}));
    EXPECT_EQ(blocks[7].columnWeights, QList<int>({6, 2}));
    EXPECT_EQ(blocks[8].file, q("start.png"));
    EXPECT_EQ(blocks[8].text, q("起動した画面"));
    EXPECT_EQ(blocks[8].widthPercent, 100);
    EXPECT_EQ(blocks[9].widthPercent, 60);
    EXPECT_EQ(blocks[10].text, q("最後の段落"));
}

TEST(Markup, BlankLinesAndOtherConstructsEndAParagraphOrList)
{
    const auto result = parseMarkup(q("# T\nA\n\nB\n- x\n\n- y\n| a |\n\n| b |\n"));
    ASSERT_TRUE(result.errors.isEmpty());
    const auto& blocks = result.document.blocks;
    ASSERT_EQ(blocks.size(), 7u);
    EXPECT_EQ(blocks[1].text, q("A"));
    EXPECT_EQ(blocks[2].text, q("B"));
    EXPECT_EQ(blocks[3].items, QStringList({q("x")}));
    EXPECT_EQ(blocks[4].items, QStringList({q("y")}));
    EXPECT_EQ(blocks[5].rows.size(), 1);
    EXPECT_EQ(blocks[6].rows.size(), 1) << "a blank line starts a new table";
}

TEST(Markup, EveryMistakeIsReportedWithItsLine)
{
    const struct {
        const char* source;
        const char* error;
    } cases[] = {
        {"本文\n", "line 1: the document must begin with its title"},
        {"# T\n# U\n", "line 2: a second title"},
        {"# T\n##  \n", "line 2: a heading without text"},
        {"# T\n| a | b |\n| c |\n", "line 3: a row of 1 cells in a table of 2 columns"},
        {"# T\n| a | b\n", "line 2: a table row must end with |"},
        {"# T\n|---|---|\n", "line 2: column widths belong right under a table's header"},
        {"# T\n| a |\n| b |\n|---|\n", "line 4: column widths belong right under"},
        {"# T\n![絵](a.png\n", "line 2: a picture is written"},
        {"# T\n![絵](a.png 0%)\n", "line 2: a picture's width is 1% to 100%"},
        {"# T\n![絵](a.png 150%)\n", "line 2: a picture's width is 1% to 100%"},
        {"# T\n\n- **太字\n", "line 3: a ** without its closing **"},
        {"# T\n| **a | b |\n", "line 2: a ** without its closing **"},
    };
    for (const auto& c : cases) {
        const auto result = parseMarkup(q(c.source));
        ASSERT_FALSE(result.errors.isEmpty()) << c.source;
        EXPECT_TRUE(result.errors.join(QLatin1Char('\n')).contains(q(c.error)))
            << c.source << " gave: " << result.errors.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(Markup, BoldRunsAlternateBetweenPlainAndBold)
{
    EXPECT_EQ(docs::boldRuns(q("a**b**c")), QStringList({q("a"), q("b"), q("c")}));
    EXPECT_EQ(docs::boldRuns(q("**b**")), QStringList({q(""), q("b"), q("")}));
    EXPECT_EQ(docs::boldRuns(q("plain")), QStringList({q("plain")}));
}

TEST(Markup, AllTextsGathersEveryTextThatIsSet)
{
    const auto result = parseMarkup(q("# 題\n段落\n- 項\n| 表 |\n![絵の説明](a.png)\n"));
    ASSERT_TRUE(result.errors.isEmpty());
    EXPECT_EQ(docs::allTexts(result.document),
              QStringList({q("題"), q("段落"), q("項"), q("表"), q("絵の説明")}));
}
