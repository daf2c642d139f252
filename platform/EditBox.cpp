#include "EditBox.h"

#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <algorithm>

namespace platform {

namespace {

// The standard edit control leaves a little room between its frame and its text on either
// side, and none above or below.
constexpr int kSideMargin = 3;

bool isMouseInput(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

} // namespace

EditBox::EditBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent)
{
    // The formatting rectangle alone decides where the text lies.
    document()->setDocumentMargin(0);
    setViewportMargins(kSideMargin, 0, kSideMargin, 0);
}

QRect EditBox::formattingRect() const
{
    return viewport()->geometry();
}

void EditBox::setFormattingRect(const QRect& rect)
{
    // The viewport without margins is the most the text can be laid out in.
    const QRect widest = formattingRect().marginsAdded(viewportMargins());
    setViewportMargins(
        std::max(0, rect.left() - widest.left()), std::max(0, rect.top() - widest.top()),
        std::max(0, widest.right() - rect.right()), std::max(0, widest.bottom() - rect.bottom()));
}

bool EditBox::showsWholeText() const
{
    QTextBlock block = document()->firstBlock();
    qreal bottom = blockBoundingGeometry(block).translated(contentOffset()).top();
    for (; block.isValid(); block = block.next())
        bottom += blockBoundingRect(block).height();
    return bottom <= viewport()->height();
}

QVariant EditBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled && isReadOnly())
        return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

void EditBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool EditBox::event(QEvent* event)
{
    // Input between the frame and the formatting rectangle would otherwise pass the box by
    // and reach the window behind it.
    if (!isMouseInput(event->type()))
        return QPlainTextEdit::event(event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QRect text = viewport()->geometry();
    const QPoint at = mouse->position().toPoint();
    if (text.contains(at)) // came from the text itself, which has had it
        return QPlainTextEdit::event(event);
    const QPoint nearest(std::clamp(at.x(), text.left(), text.right()),
                         std::clamp(at.y(), text.top(), text.bottom()));
    QMouseEvent onText(mouse->type(), nearest - text.topLeft(), mouse->scenePosition(),
                       mouse->globalPosition(), mouse->button(), mouse->buttons(),
                       mouse->modifiers(), mouse->pointingDevice());
    viewportEvent(&onText);
    event->accept();
    return true;
}

} // namespace platform
