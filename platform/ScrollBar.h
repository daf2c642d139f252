#pragma once
// A vertical scroll bar that reports scroll requests to its dialog instead of moving itself:
// the dialog's handler decides the new position from the request.

#include <QScrollBar>
#include <functional>

namespace platform {

class ScrollBar : public QScrollBar {
public:
    explicit ScrollBar(QWidget* parent);

    // code is one of the SB_ requests; pos is the thumb position for the thumb requests.
    std::function<void(int code, int pos)> onRequest;

    // A non-empty range makes the bar usable again; an empty one leaves its state alone.
    void setScrollRange(int minimum, int maximum);
};

} // namespace platform
