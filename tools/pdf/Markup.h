#pragma once
/*
 * The text sources of the documents beside the program (docs/: the how-to guide and the eight
 * qualification lists) and what they are read into. The markup, one construct per line:
 *
 *   % comment                 skipped
 *   # Title                   the document's title: set first, and the title of the PDF
 *   ## Heading                a section
 *   ### Subheading            a part of a section
 *   text                      a paragraph; the lines that follow join it without a space
 *                             (Japanese text has none); a blank line or another construct ends it
 *   - item                    a bullet list: consecutive items form one list
 *   1. item                   a numbered list (any number, a full stop and a space)
 *   > text                    a note, set off from the text around it
 *   | cell | cell |           a table row; consecutive rows form one table whose first row is
 *                             the header; every row has as many cells as the header
 *   |------|---|              (right under the header, optional) the columns' relative widths,
 *                             by the number of dashes
 *   ![caption](file.png)      a picture as wide as the text (never wider than its own size),
 *                             with its caption under it; "![caption](file.png 60%)" is narrower
 *
 * A line that starts with two spaces continues the list item, note or paragraph above it.
 * Inside any text, **words** are set in bold.
 */

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace docs
{

struct Block {
    enum class Kind {
        Title,
        Heading,
        Subheading,
        Paragraph,
        Note,
        Bullets,
        Numbered,
        Table,
        Picture
    };

    Kind kind = Kind::Paragraph;
    int line = 0;             // where the block starts in its source, from 1
    QString text;             // a title, heading, paragraph or note; a picture's caption
    QStringList items;        // list items
    QList<QStringList> rows;  // table rows, the header first
    QList<int> columnWeights; // relative column widths; empty for equal columns
    QString file;             // a picture's file name
    int widthPercent = 100;   // a picture's width as a share of the text width
};

struct Document {
    QString title;
    std::vector<Block> blocks; // the title block first
};

struct ParseResult {
    Document document;
    QStringList errors; // "line N: what is wrong"; the document is not to be made when any
};

ParseResult parseMarkup(const QString& source);

// The pieces of a text between its ** marks: even indexes plain, odd ones bold.
QStringList boldRuns(const QString& text);

// Every text of the document as it will be set, for checks on the characters it needs.
QStringList allTexts(const Document& document);

} // namespace docs
