#include "HandCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

namespace {
bool shown = false;
}

void setHandCursor(bool on)
{
    if (on == shown)
        return;
    shown = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

bool handCursorShown()
{
    return shown;
}

} // namespace platform
