#include "ScrollBar.h"

#include "Message.h"

namespace platform {

namespace {

int requestOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setRange(0, 0);
    // While the handler runs, value() is still the position before the request, and what the
    // handler sets is what the bar keeps.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int thumb = sliderPosition();
        setSliderPosition(value());
        if (onRequest)
            onRequest(requestOf(action), thumb);
    });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (onRequest) {
            onRequest(SB_THUMBPOSITION, value());
            onRequest(SB_ENDSCROLL, 0);
        }
    });
}

void ScrollBar::setScrollRange(int minimum, int maximum)
{
    setRange(minimum, maximum);
    if (maximum > minimum)
        setEnabled(true);
}

} // namespace platform
