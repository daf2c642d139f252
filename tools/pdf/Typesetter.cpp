#include "Typesetter.h"

#include "Source.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace docs {

namespace {

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
class Typesetter {
public:
    Typesetter(QTextDocument& doc, const QFont& font, const QStringList& pictureFolders)
        : doc(doc), cursor(&doc), font(font), textWidth(doc.pageSize().width()),
          folders(pictureFolders)
    {
    }

    QStringList errors;
    std::vector<QTextFrame*> headingFrames;
    std::vector<QTextBlock> headingBlocks;

    // In reading order: the blocks of the source's top level and its tables. The empty block
    // that follows every table, and any a comment leaves, set nothing.
    void set(const QTextDocument& source)
    {
        for (auto it = source.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (const auto* frame = qobject_cast<const QTextTable*>(it.currentFrame())) {
                table(*frame);
                continue;
            }
            const QTextBlock block = it.currentBlock();
            const int level = block.blockFormat().headingLevel();
            if (block.text().isEmpty())
                continue;
            if (level == 1)
                title(block);
            else if (level == 2)
                heading(block);
            else if (level > 2)
                subheading(block);
            else if (block.textList())
                listItem(block);
            else if (block.blockFormat().hasProperty(QTextFormat::BlockQuoteLevel))
                note(block);
            else if (const std::optional<Picture> shown = pictureIn(block))
                picture(*shown);
            else
                paragraph(block);
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

    // The text of a source block in `plain`, with what the source sets in bold in bold.
    void insertRich(const QTextBlock& from, const QTextCharFormat& plain)
    {
        QTextCharFormat bold = plain;
        bold.setFontWeight(QFont::Bold);
        for (auto it = from.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                continue;
            cursor.insertText(fragment.text(),
                              fragment.charFormat().fontWeight() >= QFont::Bold ? bold : plain);
        }
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

    void title(const QTextBlock& text)
    {
        QTextTable* table = band({kBlue}, {0}, 10, 0, 14);
        cursor = table->cellAt(0, 0).firstCursorPosition();
        insertRich(text, textFormat(font, 18, true, Qt::white));
        leaveFrame();
    }

    void heading(const QTextBlock& text)
    {
        QTextTable* table = band({kBlue, kPaleBlue}, {6, 0}, 5, 16, 8);
        cursor = table->cellAt(0, 1).firstCursorPosition();
        insertRich(text, textFormat(font, 13, true, kDarkBlue));
        headingFrames.push_back(table);
        leaveFrame();
    }

    void subheading(const QTextBlock& text)
    {
        newBlock(bodyBlock(10, 4, 2), textFormat(font, 11.5, true, kDarkBlue));
        insertRich(text, textFormat(font, 11.5, true, kDarkBlue));
        headingBlocks.push_back(cursor.block());
    }

    void paragraph(const QTextBlock& text)
    {
        newBlock(bodyBlock(0, 7, 6), textFormat(font, 10.5));
        insertRich(text, textFormat(font, 10.5));
    }

    void note(const QTextBlock& text)
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

    // An item of a list: bullets (whatever the source marks them with) or numbers from 1.
    void listItem(const QTextBlock& item)
    {
        const QTextList* from = item.textList();
        const bool last = item.next().textList() != from;
        newBlock(bodyBlock(0, last ? 8 : 3, 5), textFormat(font, 10.5));
        if (from == listFrom) {
            list->add(cursor.block());
        } else {
            QTextListFormat format;
            format.setStyle(from->format().style() == QTextListFormat::ListDecimal
                                ? QTextListFormat::ListDecimal
                                : QTextListFormat::ListDisc);
            format.setIndent(1);
            list = cursor.createList(format);
            listFrom = from;
        }
        insertRich(item, textFormat(font, 10.5));
    }

    void table(const QTextTable& from)
    {
        newBlock(bodyBlock(0, 0, 0), textFormat(font, 2));
        const int columns = from.columns();
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
        format.setColumnWidthConstraints(from.format().columnWidthConstraints());
        QTextTable* table = cursor.insertTable(from.rows(), columns, format);
        for (int r = 0; r < from.rows(); ++r) {
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
                // The reader joins an empty cell to the one before it; here it stays empty. It
                // also puts an empty block before the first cell's text after a note.
                const QTextTableCell text = from.cellAt(r, c);
                for (auto it = text.begin(); text.column() == c && !it.atEnd(); ++it) {
                    if (!it.currentBlock().text().isEmpty())
                        insertRich(it.currentBlock(), textFormat(font, 9.5, r == 0));
                }
            }
        }
        leaveFrame();
    }

    void picture(const Picture& shown)
    {
        const QString path = findPicture(shown.file);
        QImage image;
        if (path.isEmpty() || !image.load(path)) {
            errors.append(QStringLiteral("no picture %1 in %2")
                              .arg(shown.file, folders.join(QStringLiteral(", "))));
            return;
        }
        const QUrl name(QStringLiteral("picture:%1").arg(shown.file));
        doc.addResource(QTextDocument::ImageResource, name, image);
        const double width =
            std::min<double>(image.width(), textWidth * shown.widthPercent / 100.0);
        QTextImageFormat format;
        format.setName(name.toString());
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());

        // The picture and its caption are one block, so they share a page.
        QTextBlockFormat centred = bodyBlock(6, 12, 0);
        centred.setAlignment(Qt::AlignHCenter);
        newBlock(centred, textFormat(font, 9, false, kGrey));
        cursor.insertImage(format);
        if (!shown.caption.isEmpty()) {
            cursor.insertText(QString(QChar::LineSeparator), textFormat(font, 5));
            cursor.insertText(shown.caption, textFormat(font, 9, false, kGrey));
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
    const QTextList* listFrom = nullptr; // the source's list the last item came from
    QTextList* list = nullptr;           // and the list it went into
};

// Where the layout would break pages badly, starts the next page earlier: before a heading
// that would stand at the foot of a page without room for what follows it, and before a
// paragraph that would be split over two pages (the layout draws a block's lines from the one
// before the clip on, so the last line before a break would also land, unseen, in the next
// page's text and be found twice by a search). One pass in reading order: a break moves only
// what comes after it.
void breakPagesWell(QTextDocument& doc, const Typesetter& set)
{
    const double pageHeight = doc.pageSize().height();
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

} // namespace

QStringList typeset(const QTextDocument& source, const QFont& font,
                    const QStringList& pictureFolders, QTextDocument& pages)
{
    pages.setDefaultFont(font);
    pages.setDocumentMargin(0);
    Typesetter set(pages, font, pictureFolders);
    set.set(source);
    if (set.errors.isEmpty())
        breakPagesWell(pages, set);
    return set.errors;
}

} // namespace docs
