#pragma once
// Writes a document read from its source (Source.h) as a PDF on A4 pages, with Qt's own
// writer. The Japanese font is embedded, as the subset of the characters the text uses, so the
// teacher's viewer needs no fonts of its own.

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QTextDocument;

namespace docs {

// The font the documents are set in; nothing when no Japanese font is installed.
std::optional<QFont> documentFont();

// The characters of the document that the font has no glyph for, each once, in order of
// appearance: they would print as empty boxes.
QString missingCharacters(const QTextDocument& source, const QFont& font);

struct PdfResult {
    QStringList errors; // nothing is written when there is any
    int pages = 0;
};

// Writes the document to outputPath; pictures are looked up in pictureFolders in order. A file
// already there stays as it was unless the whole new one could be written.
PdfResult writePdf(const QTextDocument& source, const QStringList& pictureFolders,
                   const QString& outputPath);

} // namespace docs
