#pragma once
/*
 * The text sources of the documents beside the program (docs/: the how-to guide and the eight
 * qualification lists) are Markdown, read by Qt's own reader. What the documents use of it:
 *
 *   <!-- comment -->            one line each; nothing is set
 *   # Title                     the document's title: set first, and the title of the PDF
 *   ## Heading, ### Subheading  a section, a part of a section
 *   text                        a paragraph; the lines that follow belong to it
 *   - item, 1. item             a bullet list, a numbered list
 *   > text                      a note, set off from the text around it
 *   | cell | cell |             a table whose first row is the header; the dashes of the line
 *   |------|---|                under the header give the columns' relative widths
 *   ![caption](file.png)        a picture as wide as the text (never wider than its own size),
 *                               with its caption under it; ![caption](file.png "60%") is narrower
 *   **words**                   set in bold
 *
 * After the reader, a line break that falls between two Japanese characters joins the lines
 * without the space the reader puts there (Japanese sets no space between words), and each
 * table gets the widths its dashes give.
 */

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QTextBlock;
class QTextDocument;

namespace docs {

struct SourceResult {
    // The document as read: headings carry their level, notes their quote level, tables their
    // column widths. Its title is its DocumentTitle meta information.
    std::unique_ptr<QTextDocument> document;
    QStringList errors; // the document is not to be made when there is any
};

SourceResult readSource(const QString& markdown);

struct Picture {
    QString file;
    QString caption;
    int widthPercent = 100; // of the text width; 0 when the width written is not 1% to 100%
};

// The picture a block of the read document shows, when the block is nothing else.
std::optional<Picture> pictureIn(const QTextBlock& block);

// Every character the document sets: its text, its tables' and its pictures' captions.
QString documentText(const QTextDocument& document);

} // namespace docs
