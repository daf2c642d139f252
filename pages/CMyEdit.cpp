#include "CMyEdit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPlainTextEdit>

void CMyEdit::bind(QWidget* control)
{
    box_ = dynamic_cast<QPlainTextEdit*>(control);
    if (!box_)
        return;
    // The text area and the strip between it and the frame: a double-click anywhere inside.
    box_->installEventFilter(this);
    box_->viewport()->installEventFilter(this);
}

bool CMyEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonDblClick || inStandardHandling_)
        return false;
    // The box handles the double-click first, as it always does (it selects a word); the
    // whole sentence is selected after that.
    inStandardHandling_ = true;
    QCoreApplication::sendEvent(watched, event);
    inStandardHandling_ = false;
    OnLButtonDblClk();
    return true;
}

void CMyEdit::OnLButtonDblClk()
{
    box_->selectAll();
    box_->setFocus(Qt::MouseFocusReason);
}
