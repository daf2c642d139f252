#pragma once
// A multi-line edit box whose formatting rectangle (where its text is laid out) can be moved
// inside its frame.

#include <QPlainTextEdit>

namespace platform {

class EditBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The rectangle the text is laid out in, in the box's own coordinates.
    QRect formattingRect() const;
    // Lays the text out in rect; the part of it beyond the box's frame is cut off.
    void setFormattingRect(const QRect& rect);
};

} // namespace platform
