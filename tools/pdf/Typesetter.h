#pragma once
// Sets a document read from its source (Source.h) on pages, in the colours of the program's
// first tab: the title and the headings on bands of blue, notes on a pale yellow, tables ruled
// with a pale blue header. Pages then break where no heading ends a page and no short
// paragraph is cut in two.

#include <QFont>
#include <QStringList>

class QTextDocument;

namespace docs {

// Sets `source` into `pages`, an empty document whose page size is the text area of one page.
// Pictures are looked up in pictureFolders in order; the problems (a picture that is not
// there) are returned, and then `pages` is not to be written.
QStringList typeset(const QTextDocument& source, const QFont& font,
                    const QStringList& pictureFolders, QTextDocument& pages);

} // namespace docs
