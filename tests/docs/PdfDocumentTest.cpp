// The PDF maker on small documents, read back with the poppler tools: A4 pages, the text
// findable once on the page it is printed on, the Japanese font embedded, pictures kept at
// their own resolution, and no file touched when a picture or a glyph is missing.

#include "tools/pdf/PdfDocument.h"
#include "Poppler.h"
#include "tools/pdf/Source.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

std::unique_ptr<QTextDocument> read(const QString& source)
{
    auto result = docs::readSource(source);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join(QLatin1Char('\n')).toStdString();
    return std::move(result.document);
}

class PdfDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(docs::documentFont()) << "fonts-ipafont-gothic is not installed";
        ASSERT_EQ(runCommand("pdfinfo -v").status, 0) << "poppler-utils is not installed";
    }
    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder;
};

} // namespace

TEST_F(PdfDocument, IsA4WithItsTitleItsTextItsFontAndItsPicture)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(51, 153, 255));
    ASSERT_TRUE(picture.save(path("shot.png")));
    const auto document = read(q("# 試しの説明書\n"
                                 "本文の段落に**太字**を含めます。\n"
                                 "- 箇条書きの項目\n\n"
                                 "> 注意の文\n\n"
                                 "| 正式名称 | 実施団体 |\n"
                                 "|---|---|\n"
                                 "| 実用英語技能検定 | 公益財団法人 日本英語検定協会 |\n\n"
                                 "![試しの絵](shot.png)\n"));

    const auto written = docs::writePdf(*document, {folder.path()}, path("out.pdf"));
    ASSERT_TRUE(written.errors.isEmpty()) << written.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(written.pages, 1);

    const CommandResult info = pdfInfo(path("out.pdf"));
    ASSERT_EQ(info.status, 0);
    EXPECT_EQ(infoField(info.output, QStringLiteral("Title")), q("試しの説明書"));
    EXPECT_EQ(infoField(info.output, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_TRUE(
        infoField(info.output, QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")))
        << info.output.toStdString();

    const QString text = withoutSpace(pdfText(path("out.pdf")).output);
    for (const char* expected :
         {"試しの説明書", "本文の段落に太字を含めます。", "箇条書きの項目", "注意の文", "正式名称",
          "実用英語技能検定", "公益財団法人日本英語検定協会", "試しの絵", "1/1"})
        EXPECT_TRUE(text.contains(q(expected))) << expected;

    const QStringList fonts = pdfFonts(path("out.pdf")).output.split(QLatin1Char('\n'));
    ASSERT_GE(fonts.size(), 3);
    EXPECT_TRUE(fonts[2].startsWith(QStringLiteral("IPA"))) << fonts[2].toStdString();
    EXPECT_TRUE(fonts[2].contains(QStringLiteral(" yes "))) << "embedded";

    const QStringList images = pdfImages(path("out.pdf")).output.split(QLatin1Char('\n'));
    ASSERT_GE(images.size(), 3);
    const QStringList columns = images[2].simplified().split(QLatin1Char(' '));
    ASSERT_GE(columns.size(), 9);
    EXPECT_EQ(columns[3], QStringLiteral("300")) << "the picture keeps its own width";
    EXPECT_EQ(columns[4], QStringLiteral("200"));
    EXPECT_NE(columns[8], QStringLiteral("jpeg")) << "a screenshot is kept losslessly";
}

TEST_F(PdfDocument, ALongDocumentBreaksPagesBetweenParagraphsAndKeepsHeadingsWithText)
{
    QString source = q("# 長い説明書\n");
    for (int section = 1; section <= 6; ++section) {
        source += q("## 見出し") + QString::number(section) + QLatin1Char('\n');
        for (int paragraph = 1; paragraph <= 6; ++paragraph) {
            source += q("段落") + QString::number(section) + QLatin1Char('-') +
                      QString::number(paragraph) + q("。");
            for (int i = 1; i <= 8; ++i)
                source += QStringLiteral("%1-%2-%3").arg(section).arg(paragraph).arg(i) +
                          q("番目の文は、ページをまたぐかを確かめます。");
            source += QStringLiteral("\n\n");
        }
    }
    const auto written = docs::writePdf(*read(source), {}, path("long.pdf"));
    ASSERT_TRUE(written.errors.isEmpty());
    ASSERT_GE(written.pages, 3);

    for (int page = 1; page <= written.pages; ++page) {
        const QString text = pdfText(path("long.pdf"), page).output;
        EXPECT_TRUE(
            withoutSpace(text).contains(QStringLiteral("%1/%2").arg(page).arg(written.pages)))
            << "page " << page << " has its number";
        // Each paragraph starts with its number: one that begins on this page ends on it, and
        // no line of it is found on the next page as well.
        if (page < written.pages) {
            const QString next = pdfText(path("long.pdf"), page + 1).output;
            for (const QString& line : text.split(QLatin1Char('\n'))) {
                if (line.trimmed().size() > 12) {
                    EXPECT_FALSE(next.contains(line.trimmed()))
                        << "page " << page << " and " << page + 1 << ": " << line.toStdString();
                }
            }
        }
        // A heading never stands last on its page.
        QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        while (!lines.isEmpty() &&
               (lines.back().trimmed().isEmpty() || lines.back().contains(q("長い説明書")) ||
                lines.back().contains(QLatin1Char('/'))))
            lines.removeLast();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_FALSE(lines.back().startsWith(q("見出し"))) << "page " << page;
    }
}

TEST_F(PdfDocument, AMissingPictureOrGlyphLeavesTheFileAsItWas)
{
    const auto noPicture =
        docs::writePdf(*read(q("# 題\n![絵](absent.png)\n")), {folder.path()}, path("a.pdf"));
    ASSERT_EQ(noPicture.errors.size(), 1);
    EXPECT_TRUE(noPicture.errors[0].startsWith(QStringLiteral("no picture absent.png")))
        << noPicture.errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(path("a.pdf")));

    // A Tibetan letter and an emoji are not in the Japanese font: they would print as boxes.
    const auto document = read(q("# 題\n記号\xE0\xBC\x80と\xF0\x9F\x98\x80と\xE0\xBC\x80\n"));
    EXPECT_EQ(docs::missingCharacters(*document, *docs::documentFont()),
              q("\xE0\xBC\x80\xF0\x9F\x98\x80"));
    // A document made before stays as it was.
    QFile before(path("b.pdf"));
    ASSERT_TRUE(before.open(QIODevice::WriteOnly) && before.write("%PDF-1.4 made before") > 0);
    before.close();
    const auto noGlyph = docs::writePdf(*document, {}, path("b.pdf"));
    ASSERT_EQ(noGlyph.errors.size(), 1);
    EXPECT_TRUE(noGlyph.errors[0].contains(QStringLiteral("cannot show these characters")));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), QByteArray("%PDF-1.4 made before"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({QStringLiteral("b.pdf")}))
        << "no part file is left";
}
