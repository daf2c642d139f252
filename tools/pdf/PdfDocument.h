#pragma once
// Sets a document read from its markup on A4 pages and writes it as a PDF with Qt's own
// writer. The Japanese font is embedded, as the subset of the characters the text uses, so the
// teacher's viewer needs no fonts of its own.

#include "Markup.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

namespace docs
{

// The font the documents are set in; nothing when no Japanese font is installed.
std::optional<QFont> documentFont();

// The characters of the document that the font has no glyph for, each once, in order of
// appearance: they would print as empty boxes.
QString missingCharacters(const Document& document, const QFont& font);

struct PdfResult {
    QStringList errors; // nothing is written when there is any
    int pages = 0;
};

// Writes the document to outputPath; pictures are looked up in pictureFolders in order.
PdfResult writePdf(const Document& document, const QStringList& pictureFolders,
                   const QString& outputPath);

} // namespace docs
