#pragma once
// What a dialog's message map dispatches: one notification from a control or from the dialog
// itself, in the vocabulary of the pages.

#include <QPoint>

class QWidget;

namespace platform {

enum class Msg {
    Clicked,     // a button, check box, radio button or notifying picture was clicked
    VScroll,     // a scroll request from a scroll bar: code and, for the thumb, pos
    MouseWheel,  // delta: positive away from the user
    LButtonDown, // a left click on the dialog's own background: point
    SetFocus,    // an edit box got the keyboard focus
    KillFocus,   // an edit box lost it
    SelChange,   // a tab control's selection changed
    Command,     // a command sent by a child dialog to its parent: id
};

// Scroll request codes.
enum ScrollRequest {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

struct Message {
    Msg msg;
    int id = 0; // the control's id, or 0 for the dialog itself
    int code = 0;
    int pos = 0;
    int delta = 0;
    QPoint point;
};

// Input that passes the pre-filters before it is delivered.
enum class Input { KeyDown, MouseMove, LButtonDown, LButtonUp };
enum class Key { Back, Return, Escape, Space, Other };

struct InputMessage {
    Input input;
    Key key = Key::Other;
    QWidget* target = nullptr; // the widget the input is meant for
    QPoint globalPos;
};

} // namespace platform
