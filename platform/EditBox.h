#pragma once
// A multi-line edit box whose formatting rectangle (where its text is laid out) can be moved
// inside its frame. The whole box is the text's: a click between the frame and the text acts
// on the nearest text, as in the standard edit control.

#include <QPlainTextEdit>

namespace platform {

class EditBox : public QPlainTextEdit {
public:
    explicit EditBox(const QString& text, QWidget* parent = nullptr);

    // The rectangle the text is laid out in, in the box's own coordinates.
    QRect formattingRect() const;
    // Lays the text out in rect; the part of it beyond the box's frame is cut off.
    void setFormattingRect(const QRect& rect);
    // Whether every line of the text lies inside the formatting rectangle, none cut off.
    bool showsWholeText() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    // A read-only box takes nothing from an input method, neither a composition nor its text,
    // even when the input method sends it to the box that took the focus during a composition.
    void inputMethodEvent(QInputMethodEvent* event) override;
};

} // namespace platform
