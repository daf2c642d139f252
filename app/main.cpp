#include "CVerdaneApp.h"
#include "platform/Fonts.h"
#include "platform/QtEffects.h"
#include "platform/WorkAhead.h"

#include <QApplication>
#include <malloc.h>

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // One heap for every thread: the contents read ahead on a thread of their own at start
    // would otherwise leave that thread a heap of its own, megabytes over what they take.
    mallopt(M_ARENA_MAX, 1);
#endif
    // The font configuration and the contents are read on other threads while the toolkit
    // connects to the display.
    const platform::WorkAhead fonts(&platform::readFontConfiguration);
    CVerdaneApp program;
    QApplication application(argc, argv);
    // The taskbar and the window switcher name the program after its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("verdane"));
    platform::QtEffects effects;
    platform::ScopedEffects installed(effects);
    program.Run();
}
