// The documents' Markdown sources as the PDF maker receives them from Qt's reader and the step
// after it: Japanese lines joined without a space, bold beside Japanese punctuation, pictures
// with their widths, the tables' column widths, and what the build refuses.

#include "tools/pdf/Source.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// One line for each block that sets text: "#" marks for a heading, "- " for a list item, "> "
// for a note, "| " for a table cell, a picture as [file width caption]; bold text in *stars*.
QString outline(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        if (const auto picture = docs::pictureIn(block)) {
            lines.append(QStringLiteral("[%1 %2% %3]")
                             .arg(picture->file)
                             .arg(picture->widthPercent)
                             .arg(picture->caption));
            continue;
        }
        const int level = block.blockFormat().headingLevel();
        QString line = level > 0                           ? QString(level, u'#') + u' '
                       : block.textList()                  ? QStringLiteral("- ")
                       : QTextCursor(block).currentTable() ? QStringLiteral("| ")
                       : block.blockFormat().hasProperty(QTextFormat::BlockQuoteLevel)
                           ? QStringLiteral("> ")
                           : QString();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const bool bold = level == 0 && it.fragment().charFormat().fontWeight() >= QFont::Bold;
            line += bold ? u'*' + it.fragment().text() + u'*' : it.fragment().text();
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace

TEST(Source, ReadsAsTheDocumentsAreWritten)
{
    const struct {
        const char* source;
        const char* outline;
    } cases[] = {
        // Between Japanese characters a line break adds no space; beside a Latin letter it does.
        {"\xEF\xBB\xBF<!-- a comment -->\r\n\r\n# 使い方\n"
         "一行目の文と\n二行目の文。\n  続きの行。\nEnter\nキーを押す\n"
         "- 項目一\n  の続き\n> 注意の\n> 文\n## 見出し\n本文\n",
         "# 使い方\n一行目の文と二行目の文。続きの行。 Enter キーを押す\n- 項目一の続き\n"
         "> 注意の文\n## 見出し\n本文"},
        // Bold as the documents put it beside brackets, commas and an ideographic space.
        {"# 題\n\n「**太字**」と（**Ctrl+C**）、項目の**すべて**が残る。\n\n"
         "- **灰色の項目**は、選べない\n1. 手順\n\n> **記入の例**　英検 2級\n",
         "# 題\n「*太字*」と（*Ctrl+C*）、項目の*すべて*が残る。\n- *灰色の項目*は、選べない\n"
         "- 手順\n> *記入の例*　英検 2級"},
        {"# 題\n\n![起動した画面](start.png)\n\n![小さい画面](copy.png \"60%\")\n",
         "# 題\n[start.png 100% 起動した画面]\n[copy.png 60% 小さい画面]"},
        {"# 題\n\n| 名称 | 団体 |\n|------|---|\n| 英検 | 協会 |\n",
         "# 題\n| *名称*\n| *団体*\n| 英検\n| 協会"},
    };
    for (const auto& c : cases) {
        const auto read = docs::readSource(q(c.source));
        EXPECT_TRUE(read.errors.isEmpty()) << read.errors.join(u'\n').toStdString();
        const QString lines = outline(*read.document);
        EXPECT_EQ(lines, q(c.outline)) << c.source;
        EXPECT_EQ(QStringLiteral("# ") +
                      read.document->metaInformation(QTextDocument::DocumentTitle),
                  lines.section(u'\n', 0, 0));
    }
}

TEST(Source, GivesEachTableTheWidthsOfItsDashes)
{
    const auto read =
        docs::readSource(q("# 題\n\n| 名称 | 団体 |\n|------|---|\n| a | b |\n\n"
                           "| 印 | 例 | 備考 |\n|---|:---:|------|\n| a | b | c |\n"));
    ASSERT_TRUE(read.errors.isEmpty()) << read.errors.join(u'\n').toStdString();
    QList<QList<double>> widths;
    for (QTextFrame* frame : read.document->rootFrame()->childFrames()) {
        QList<double> percents;
        for (const QTextLength& width :
             qobject_cast<QTextTable*>(frame)->format().columnWidthConstraints()) {
            EXPECT_EQ(width.type(), QTextLength::PercentageLength);
            percents.append(std::round(width.rawValue()));
        }
        widths.append(percents);
    }
    EXPECT_EQ(widths, (QList<QList<double>>{{67, 33}, {25, 25, 50}}));
}

TEST(Source, RefusesWhatWouldNotBeSetAsWritten)
{
    const struct {
        const char* source;
        const char* error;
    } cases[] = {
        {"本文\n", "the document must begin with its title"},
        {"# T\n# U\n", "a second title: U"},
        // A bracket or a full stop inside the ** keeps the reader from taking it as bold.
        {"# T\n\n灰色の**「項目」**は選べない\n", "a ** not read as bold"},
        {"# T\n\n**選べません。**と\n", "a ** not read as bold"},
        {"# T\n\n![絵](a.png \"0%\")\n", "the picture a.png: its width"},
        {"# T\n\n![絵](a.png \"wide\")\n", "the picture a.png: its width"},
        {"# T\n\n文の中の![絵](a.png)です\n", "a picture stands alone in its paragraph"},
        {"# T\n\n| a | b |\n|--|--|\n| c | d |\n", "a table needs at least three dashes"},
    };
    for (const auto& c : cases) {
        const auto read = docs::readSource(q(c.source));
        EXPECT_TRUE(read.errors.join(u'\n').contains(q(c.error)))
            << c.source << " gave: " << read.errors.join(u'\n').toStdString();
    }
}
