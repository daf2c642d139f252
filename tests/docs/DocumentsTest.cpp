// The documents the build put beside the program, read back as the teacher's viewer reads them:
// each one is there, opens, is A4, says on its first page what the teacher clicked to open it,
// carries every text of its source in an embedded font, and the guide shows the pictures taken
// from the program.

#include "Poppler.h"
#include "res/Templates.h"
#include "tools/pdf/Source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QDir kPdfFolder(QStringLiteral(PDF_FOLDER));
const QDir kSourceFolder(QStringLiteral(DOCS_SOURCE_FOLDER));
const QDir kScreensFolder(QStringLiteral(SCREENS_FOLDER));

struct Opened {
    QString document; // in PDF/ beside the executable
    QString clicked;  // the caption of what opens it
};

QString captionOf(const platform::DialogTemplate& dialog, int id)
{
    for (const auto& control : dialog.controls) {
        if (control.id != id)
            continue;
        if (control.bitmap && dialog.pictureCaption)
            return dialog.pictureCaption(control.bitmap);
        return QString::fromStdU16String(control.caption);
    }
    return {};
}

// Every document with the control that opens it: the header picture of the main window, and
// the qualification buttons of the third tab in reading order, which is the lists' order.
std::vector<Opened> documents()
{
    std::vector<Opened> opened = {
        {QStringLiteral("howto"), captionOf(res::dialogTemplate(102), 1037)}};
    const int buttons[] = {1097, 1099, 1100, 1101, 1102, 1103, 1106, 1104};
    for (int i = 0; i < 8; ++i)
        opened.push_back({QStringLiteral("license%1").arg(i + 1),
                          captionOf(res::dialogTemplate(154), buttons[i])});
    return opened;
}

std::unique_ptr<QTextDocument> source(const QString& name)
{
    QFile file(kSourceFolder.filePath(name + QStringLiteral(".txt")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return docs::readSource(QString::fromUtf8(file.readAll())).document;
}

QString titleOf(const QTextDocument& document)
{
    return document.metaInformation(QTextDocument::DocumentTitle);
}

class BuiltDocuments : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(runCommand("pdfinfo -v").status, 0) << "poppler-utils is not installed";
    }
};

} // namespace

TEST_F(BuiltDocuments, EachOpensAsA4AndItsFirstPageNamesWhatOpensIt)
{
    for (const Opened& doc : documents()) {
        SCOPED_TRACE(doc.document.toStdString());
        ASSERT_FALSE(doc.clicked.isEmpty()) << "no control opens it";
        const QString pdf = kPdfFolder.filePath(doc.document + QStringLiteral(".pdf"));
        ASSERT_TRUE(QFile::exists(pdf)) << pdf.toStdString();

        const CommandResult info = pdfInfo(pdf);
        ASSERT_EQ(info.status, 0) << "the viewer cannot open it";
        EXPECT_GE(infoField(info.output, QStringLiteral("Pages")).toInt(), 1);
        EXPECT_TRUE(
            infoField(info.output, QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")));
        const QString title = infoField(info.output, QStringLiteral("Title"));
        EXPECT_EQ(title, titleOf(*source(doc.document)));
        EXPECT_TRUE(title.contains(doc.clicked))
            << title.toStdString() << " does not name " << doc.clicked.toStdString();

        const CommandResult firstPage = pdfText(pdf, 1);
        ASSERT_EQ(firstPage.status, 0);
        EXPECT_TRUE(withoutSpace(firstPage.output).startsWith(withoutSpace(title)))
            << "the title heads the first page as text";
    }
}

TEST_F(BuiltDocuments, NoCharacterOfTheSourceIsLostAndTheFontIsEmbedded)
{
    for (const Opened& doc : documents()) {
        SCOPED_TRACE(doc.document.toStdString());
        const QString pdf = kPdfFolder.filePath(doc.document + QStringLiteral(".pdf"));
        const QString text = withoutSpace(pdfText(pdf).output);
        ASSERT_FALSE(text.isEmpty());
        // Every character of the source is printed at least as often as the source has it
        // (the title comes again in the footers): text cut off at a cell's or a page's edge,
        // or a row or item lost, would miss some. Counted, not read in order, because a
        // viewer's text order mixes table cells that share a line.
        QHash<QChar, int> printed;
        for (const QChar c : text)
            ++printed[c];
        QHash<QChar, int> written;
        for (const QChar c : withoutSpace(docs::documentText(*source(doc.document))))
            ++written[c];
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            EXPECT_GE(printed.value(it.key()), it.value()) << QString(it.key()).toStdString();
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << "no character was lost";

        const QStringList fonts =
            pdfFonts(pdf).output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        ASSERT_FALSE(fonts.isEmpty());
        for (const QString& font : fonts) {
            const QStringList columns = font.simplified().split(QLatin1Char(' '));
            ASSERT_GE(columns.size(), 7);
            EXPECT_TRUE(columns[0].startsWith(QStringLiteral("IPA"))) << font.toStdString();
            EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes"))
                << "embedded: " << font.toStdString();
        }
        // The font goes in as the subset the text uses, not the whole font of megabytes; the
        // guide's screenshots add a few hundred kilobytes.
        const qint64 limit = doc.document == QStringLiteral("howto") ? 3'000'000 : 200'000;
        EXPECT_LT(QFileInfo(pdf).size(), limit);
    }
}

TEST_F(BuiltDocuments, TheGuideShowsEveryPictureTakenFromTheProgram)
{
    // The pictures the guide's source names, each as the program was photographed.
    QList<QSize> expected;
    const auto guide = source(QStringLiteral("howto"));
    for (QTextBlock block = guide->begin(); block.isValid(); block = block.next()) {
        const std::optional<docs::Picture> picture = docs::pictureIn(block);
        if (!picture)
            continue;
        const QImage shot(kScreensFolder.filePath(picture->file));
        ASSERT_FALSE(shot.isNull()) << "no picture " << picture->file.toStdString();
        expected.append(shot.size());
    }
    ASSERT_GE(expected.size(), 3);

    const CommandResult list = pdfImages(kPdfFolder.filePath(QStringLiteral("howto.pdf")));
    ASSERT_EQ(list.status, 0);
    QSet<QString> objects;
    QList<QSize> embedded;
    for (const QString& line : list.output.split(QLatin1Char('\n')).mid(2)) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        if (columns.size() < 12 || columns[2] != QStringLiteral("image"))
            continue;
        // A picture drawn twice is stored once; count each stored picture once.
        if (objects.contains(columns[10]))
            continue;
        objects.insert(columns[10]);
        embedded.append(QSize(columns[3].toInt(), columns[4].toInt()));
    }
    EXPECT_EQ(embedded, expected) << "every picture, in order, at its own resolution";
}
