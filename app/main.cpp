#include "CVerdaneApp.h"
#include "StartupTuning.h"
#include "platform/QtEffects.h"

#include <QApplication>

int main(int argc, char** argv)
{
    app::shareOneHeapAmongThreads();
    const platform::WorkAhead fonts = app::readFontsAhead();
    CVerdaneApp program;
    QApplication application(argc, argv);
    // The taskbar and the window switcher name the program after its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("verdane"));
    platform::QtEffects effects;
    platform::ScopedEffects installed(effects);
    program.Run();
}
