#include "WindowTitle.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {

void showNoTitleWhenEmpty(QWidget* window)
{
    if (!window->windowTitle().isEmpty())
        return;
    const WId id = window->winId();
    // Only an X display has a title to clear; other platforms show what the window holds.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, id, name, utf8, 8, PropModeReplace, nullptr, 0);
    XStoreName(display, id, "");
    XFlush(display);
}

} // namespace platform
