#include "InputFilter.h"

#include "Dialog.h"
#include "HandCursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace platform {

namespace {

Key keyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Key::Back;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Return;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Space:
        return Key::Space;
    default:
        return Key::Other;
    }
}

// A key press that a widget ignored travels on to its parents; the pre-filters see it once,
// when it reaches the widget it was meant for.
bool isPropagatedKey(QWidget* receiver)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && receiver != focus && receiver->isAncestorOf(focus);
}

// A mouse input that a widget ignored travels on to its parents; the pre-filters see it once,
// at the widget it was meant for: the one with no child of its own under the pointer.
bool isPropagatedMouse(QWidget* receiver, const QMouseEvent* event)
{
    return receiver->childAt(event->position().toPoint()) != nullptr;
}

bool preTranslateMouse(Input input, QWidget* target, const QMouseEvent* event)
{
    if (isPropagatedMouse(target, event))
        return false;
    InputMessage message{input};
    message.target = target;
    message.globalPos = event->globalPosition().toPoint();
    beginCursorRequests();
    const bool swallowed = Dialog::preTranslate(message);
    endCursorRequests();
    return swallowed;
}

} // namespace

void InputFilter::install()
{
    static InputFilter* filter = nullptr;
    if (!filter && qApp) {
        filter = new InputFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Input aimed at a message box or a menu, even one a dialog made, is left to that window:
    // it keeps the keys and the wheel a desktop gives it.
    auto* widget = qobject_cast<QWidget*>(watched);
    Dialog* dialog = widget ? Dialog::owningDialog(widget) : nullptr;
    if (!dialog)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (isPropagatedKey(widget))
            return false;
        InputMessage message{Input::KeyDown, keyOf(static_cast<QKeyEvent*>(event)->key())};
        message.target = widget;
        return Dialog::preTranslate(message);
    }
    case QEvent::MouseMove:
        return preTranslateMouse(Input::MouseMove, widget, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        return preTranslateMouse(event->type() == QEvent::MouseButtonPress ? Input::LButtonDown
                                                                           : Input::LButtonUp,
                                 widget, mouse);
    }
    case QEvent::Wheel: {
        // One wheel message per turn, to the dialog the pointer is over, whatever control lies
        // under it. A sideways turn is no vertical wheel message.
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta == 0)
            return false;
        Message message{Msg::MouseWheel};
        message.delta = delta;
        dialog->deliver(message);
        return true;
    }
    default:
        return false;
    }
}

} // namespace platform
