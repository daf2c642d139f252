#include "HandCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

namespace {
bool shown = false;
bool requested = false;

void showHand(bool on)
{
    if (on == shown)
        return;
    shown = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
} // namespace

void requestHandCursor()
{
    requested = true;
}

void beginCursorRequests()
{
    requested = false;
}

void endCursorRequests()
{
    showHand(requested);
}

bool handCursorShown()
{
    return shown;
}

} // namespace platform
