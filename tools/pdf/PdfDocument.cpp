#include "PdfDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <set>

namespace docs
{

namespace
{

using Kind = Block::Kind;

// Layout units are pixels at 96 DPI; the writer draws at the same resolution, so picture and
// font sizes mean the same in the layout and on paper.
constexpr int kDpi = 96;
constexpr double kMm = kDpi / 25.4;
constexpr double kMarginSide = 20 * kMm;
constexpr double kMarginTop = 18 * kMm;
constexpr double kMarginBottom = 22 * kMm;
// A heading needs at least this much room under it on its page, or it starts the next page.
constexpr double kRoomUnderHeading = 110;

// The colours of the program's first tab and its pale column, so the guide looks like it.
const QColor kBlue(51, 153, 255);
const QColor kDarkBlue(24, 74, 150);
const QColor kPaleBlue(230, 230, 255);
const QColor kNoteBack(255, 255, 230);
const QColor kNoteBorder(214, 190, 110);
const QColor kRule(140, 140, 140);
const QColor kGrey(90, 90, 90);

const QStringList kFamilies = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};

QTextCharFormat textFormat(const QFont& font, double points, bool bold = false,
                           QColor colour = Qt::black)
{
    QTextCharFormat format;
    QFont f = font;
    f.setPointSizeF(points);
    f.setBold(bold);
    format.setFont(f);
    format.setForeground(colour);
    return format;
}

// Sets a document on the pages of a text area, keeping its headings, which the page breaking
// looks at again: none may end a page.
class Typesetter
{
public:
    Typesetter(QTextDocument& doc, const QFont& font, double textWidth)
        : doc(doc), cursor(&doc), font(font), textWidth(textWidth)
    {
    }

    QStringList errors;
    std::vector<QTextFrame*> headingFrames;
    std::vector<QTextBlock> headingBlocks;

    void set(const Document& document, const QStringList& pictureFolders)
    {
        folders = pictureFolders;
        for (const Block& block : document.blocks) {
            switch (block.kind) {
            case Kind::Title:
                title(block.text);
                break;
            case Kind::Heading:
                heading(block.text);
                break;
            case Kind::Subheading:
                subheading(block.text);
                break;
            case Kind::Paragraph:
                paragraph(block.text);
                break;
            case Kind::Note:
                note(block.text);
                break;
            case Kind::Bullets:
            case Kind::Numbered:
                list(block);
                break;
            case Kind::Table:
                table(block);
                break;
            case Kind::Picture:
                picture(block);
                break;
            }
        }
    }

private:
    // A new block after whatever came last. The document's first block, and the empty block
    // that always follows a table, are used instead of adding one, so they add no space.
    void newBlock(const QTextBlockFormat& format, const QTextCharFormat& chars)
    {
        if (reuseBlock) {
            cursor.setBlockFormat(format);
            cursor.setBlockCharFormat(chars);
            reuseBlock = false;
        } else {
            cursor.insertBlock(format, chars);
        }
    }

    // Out of a table, into the empty block after it.
    void leaveFrame()
    {
        cursor.movePosition(QTextCursor::End);
        reuseBlock = true;
    }

    void insertRich(const QString& text, const QTextCharFormat& plain)
    {
        QTextCharFormat bold = plain;
        bold.setFontWeight(QFont::Bold);
        const QStringList runs = boldRuns(text);
        for (int i = 0; i < runs.size(); ++i)
            cursor.insertText(runs[i], i % 2 ? bold : plain);
    }

    // leading is the room between lines, in layout pixels.
    QTextBlockFormat bodyBlock(double before, double after, double leading = 6)
    {
        QTextBlockFormat format;
        format.setTopMargin(before);
        format.setBottomMargin(after);
        format.setLineHeight(leading, QTextBlockFormat::LineDistanceHeight);
        return format;
    }

    // A band of colour with the text in it: a table of one row, as text blocks cannot be padded.
    QTextTable* band(const QList<QColor>& cellColours, const QList<double>& widths, double padding,
                     double before, double after)
    {
        newBlock(bodyBlock(0, 0, 0), textFormat(font, 2));
        QTextTableFormat format;
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setCellPadding(padding);
        format.setTopMargin(before);
        format.setBottomMargin(after);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QList<QTextLength> columns;
        for (const double width : widths)
            columns.append(width > 0 ? QTextLength(QTextLength::FixedLength, width)
                                     : QTextLength(QTextLength::VariableLength, 0));
        format.setColumnWidthConstraints(columns);
        QTextTable* table = cursor.insertTable(1, static_cast<int>(cellColours.size()), format);
        for (int c = 0; c < cellColours.size(); ++c) {
            QTextTableCellFormat cell;
            cell.setBackground(cellColours[c]);
            table->cellAt(0, c).setFormat(cell);
        }
        return table;
    }

    void title(const QString& text)
    {
        QTextTable* table = band({kBlue}, {0}, 10, 0, 14);
        cursor = table->cellAt(0, 0).firstCursorPosition();
        insertRich(text, textFormat(font, 18, true, Qt::white));
        leaveFrame();
    }

    void heading(const QString& text)
    {
        QTextTable* table = band({kBlue, kPaleBlue}, {6, 0}, 5, 16, 8);
        cursor = table->cellAt(0, 1).firstCursorPosition();
        insertRich(text, textFormat(font, 13, true, kDarkBlue));
        headingFrames.push_back(table);
        leaveFrame();
    }

    void subheading(const QString& text)
    {
        newBlock(bodyBlock(10, 4, 2), textFormat(font, 11.5, true, kDarkBlue));
        insertRich(text, textFormat(font, 11.5, true, kDarkBlue));
        headingBlocks.push_back(cursor.block());
    }

    void paragraph(const QString& text)
    {
        newBlock(bodyBlock(0, 7, 6), textFormat(font, 10.5));
        insertRich(text, textFormat(font, 10.5));
    }

    void note(const QString& text)
    {
        newBlock(bodyBlock(0, 0, 0), textFormat(font, 2));
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderBrush(kNoteBorder);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellSpacing(0);
        format.setCellPadding(7);
        format.setTopMargin(4);
        format.setBottomMargin(10);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        QTextTable* table = cursor.insertTable(1, 1, format);
        QTextTableCellFormat cell;
        cell.setBackground(kNoteBack);
        table->cellAt(0, 0).setFormat(cell);
        cursor = table->cellAt(0, 0).firstCursorPosition();
        cursor.setBlockFormat(bodyBlock(0, 0, 4));
        insertRich(text, textFormat(font, 10));
        leaveFrame();
    }

    void list(const Block& block)
    {
        QTextListFormat format;
        format.setStyle(block.kind == Kind::Bullets ? QTextListFormat::ListDisc
                                                    : QTextListFormat::ListDecimal);
        format.setIndent(1);
        QTextList* list = nullptr;
        for (int i = 0; i < block.items.size(); ++i) {
            const bool last = i + 1 == block.items.size();
            newBlock(bodyBlock(0, last ? 8 : 3, 5), textFormat(font, 10.5));
            if (list)
                list->add(cursor.block());
            else
                list = cursor.createList(format);
            insertRich(block.items[i], textFormat(font, 10.5));
        }
    }

    void table(const Block& block)
    {
        newBlock(bodyBlock(0, 0, 0), textFormat(font, 2));
        const int columns = static_cast<int>(block.rows.front().size());
        QTextTableFormat format;
        format.setBorder(0.75);
        format.setBorderBrush(kRule);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setTopMargin(2);
        format.setBottomMargin(10);
        format.setHeaderRowCount(1);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        if (!block.columnWeights.isEmpty()) {
            double total = 0;
            for (const int weight : block.columnWeights)
                total += weight;
            QList<QTextLength> widths;
            for (const int weight : block.columnWeights)
                widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * weight / total));
            format.setColumnWidthConstraints(widths);
        }
        QTextTable* table =
            cursor.insertTable(static_cast<int>(block.rows.size()), columns, format);
        for (int r = 0; r < block.rows.size(); ++r) {
            for (int c = 0; c < columns; ++c) {
                QTextTableCell cell = table->cellAt(r, c);
                // Collapsed borders are drawn from each cell's own border.
                QTextTableCellFormat lines;
                lines.setBorder(0.75);
                lines.setBorderBrush(kRule);
                lines.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                if (r == 0)
                    lines.setBackground(kPaleBlue);
                cell.setFormat(lines);
                cursor = cell.firstCursorPosition();
                cursor.setBlockFormat(bodyBlock(0, 0, 3));
                insertRich(block.rows[r][c], textFormat(font, 9.5, r == 0));
            }
        }
        leaveFrame();
    }

    void picture(const Block& block)
    {
        const QString path = findPicture(block.file);
        QImage image;
        if (path.isEmpty() || !image.load(path)) {
            errors.append(QStringLiteral("line %1: no picture %2 in %3")
                              .arg(block.line)
                              .arg(block.file, folders.join(QStringLiteral(", "))));
            return;
        }
        const QUrl name(QStringLiteral("picture:%1").arg(block.file));
        doc.addResource(QTextDocument::ImageResource, name, image);
        const double width =
            std::min<double>(image.width(), textWidth * block.widthPercent / 100.0);
        QTextImageFormat format;
        format.setName(name.toString());
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());

        // The picture and its caption are one block, so they share a page.
        QTextBlockFormat centred = bodyBlock(6, 12, 0);
        centred.setAlignment(Qt::AlignHCenter);
        newBlock(centred, textFormat(font, 9, false, kGrey));
        cursor.insertImage(format);
        if (!block.text.isEmpty()) {
            cursor.insertText(QString(QChar::LineSeparator), textFormat(font, 5));
            insertRich(block.text, textFormat(font, 9, false, kGrey));
        }
    }

    QString findPicture(const QString& file) const
    {
        for (const QString& folder : folders) {
            const QFileInfo candidate(QDir(folder), file);
            if (candidate.isFile())
                return candidate.filePath();
        }
        return {};
    }

    QTextDocument& doc;
    QTextCursor cursor;
    QFont font;
    double textWidth;
    QStringList folders;
    bool reuseBlock = true;
};

// Where the layout would break pages badly, starts the next page earlier: before a heading
// that would stand at the foot of a page without room for what follows it, and before a
// paragraph that would be split over two pages (the layout draws a block's lines from the one
// before the clip on, so the last line before a break would also land, unseen, in the next
// page's text and be found twice by a search). One pass in reading order: a break moves only
// what comes after it.
void breakPagesWell(QTextDocument& doc, const Typesetter& set, double pageHeight)
{
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const auto page = [&](double y) { return std::floor(y / pageHeight); };
    const auto crowded = [&](const QRectF& rect) {
        const double onPage = rect.top() - page(rect.top()) * pageHeight;
        return onPage > 1 && pageHeight - onPage < rect.height() + kRoomUnderHeading;
    };
    const auto split = [&](const QTextBlock& block) {
        const QTextLayout* lines = block.layout();
        if (lines->lineCount() < 2)
            return false;
        const double top = lines->position().y() + lines->lineAt(0).y();
        const QTextLine last = lines->lineAt(lines->lineCount() - 1);
        const double bottom = lines->position().y() + last.y() + last.height();
        return page(top) != page(bottom - 0.01) && bottom - top < pageHeight / 2;
    };
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            const bool heading = std::find(set.headingFrames.begin(), set.headingFrames.end(),
                                           frame) != set.headingFrames.end();
            if (heading && crowded(layout->frameBoundingRect(frame))) {
                QTextFrameFormat format = frame->frameFormat();
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                frame->setFrameFormat(format);
            }
            continue;
        }
        const QTextBlock block = it.currentBlock();
        const bool heading = std::find(set.headingBlocks.begin(), set.headingBlocks.end(), block) !=
                             set.headingBlocks.end();
        if (heading ? crowded(layout->blockBoundingRect(block)) : split(block)) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }
}

void drawFooter(QPainter& painter, const QFont& font, const QString& title, int page, int pages,
                const QSizeF& paper)
{
    const double y = paper.height() - kMarginBottom + 8 * kMm;
    const double left = kMarginSide;
    const double right = paper.width() - kMarginSide;
    painter.setPen(QPen(kRule, 0.75));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    QFont small = font;
    small.setPointSizeF(8);
    painter.setFont(small);
    painter.setPen(kGrey);
    const QRectF line(left, y + 2, right - left, 6 * kMm);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(line, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("%1 / %2").arg(page).arg(pages));
}

} // namespace

std::optional<QFont> documentFont()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kFamilies) {
        if (installed.contains(family)) {
            QFont font(family);
            font.setPointSizeF(10.5);
            font.setHintingPreference(QFont::PreferNoHinting);
            return font;
        }
    }
    return std::nullopt;
}

QString missingCharacters(const Document& document, const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    QString missing;
    std::set<char32_t> seen;
    QStringList texts = allTexts(document);
    texts.append(document.title);
    for (const QString& text : texts) {
        for (const char32_t c : text.toUcs4()) {
            if (QChar::isSpace(c) || seen.count(c))
                continue;
            seen.insert(c);
            if (!raw.supportsCharacter(c))
                missing += QString::fromUcs4(&c, 1);
        }
    }
    return missing;
}

PdfResult writePdf(const Document& document, const QStringList& pictureFolders,
                   const QString& outputPath)
{
    PdfResult result;
    const std::optional<QFont> font = documentFont();
    if (!font) {
        result.errors.append(QStringLiteral("no Japanese font (IPAPGothic or IPAGothic) is "
                                            "installed"));
        return result;
    }
    const QString missing = missingCharacters(document, *font);
    if (!missing.isEmpty()) {
        result.errors.append(QStringLiteral("the font %1 cannot show these characters: %2")
                                 .arg(font->family(), missing));
        return result;
    }

    const QSizeF paper = QPageSize(QPageSize::A4).sizePixels(kDpi);
    // Whole pixels: the layout places lines in fractions of 1/64, and a page height it can
    // express exactly puts a line moved to the next page exactly on that page's top.
    const QSizeF textArea(std::floor(paper.width() - 2 * kMarginSide),
                          std::floor(paper.height() - kMarginTop - kMarginBottom));

    QTextDocument doc;
    doc.setDefaultFont(*font);
    doc.setDocumentMargin(0);
    doc.setPageSize(textArea);
    Typesetter set(doc, *font, textArea.width());
    set.set(document, pictureFolders);
    if (!set.errors.isEmpty()) {
        result.errors = set.errors;
        return result;
    }
    breakPagesWell(doc, set, textArea.height());

    // Written beside the output and renamed at the end, so a failed run leaves no half a PDF.
    const QString temporary = outputPath + QStringLiteral(".part");
    bool painted = false;
    {
        QPdfWriter writer(temporary);
        writer.setResolution(kDpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Verdane"));
        QPainter painter(&writer);
        painted = painter.isActive();
        // Pictures are kept as they are rather than as JPEG, so the small captions in a
        // screenshot stay sharp.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        const int pages = painted ? doc.pageCount() : 0;
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            const QRectF clip(0, page * textArea.height(), textArea.width(), textArea.height());
            painter.save();
            painter.translate(kMarginSide, kMarginTop - clip.top());
            painter.setClipRect(clip);
            // The layout draws every block whose box touches the clip, and a block moved to
            // the next page starts exactly on this page's foot: the clip it gets stops short of
            // both edges, so each block is drawn (and found by a search) on its own page only.
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip.adjusted(0, 0.5, 0, -0.5);
            doc.documentLayout()->draw(&painter, context);
            painter.restore();
            drawFooter(painter, *font, document.title, page + 1, pages, paper);
        }
        result.pages = pages;
    }
    bool written = painted;
    if (written) {
        QFile::remove(outputPath);
        written = QFile::rename(temporary, outputPath);
    }
    if (!written) {
        QFile::remove(temporary);
        result.errors.append(QStringLiteral("cannot write %1").arg(outputPath));
        result.pages = 0;
    }
    return result;
}

} // namespace docs
