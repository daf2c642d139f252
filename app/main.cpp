#include "CVerdaneApp.h"
#include "platform/QtEffects.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The taskbar and the window switcher name the program after its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("verdane"));
    platform::QtEffects effects;
    platform::ScopedEffects installed(effects);
    CVerdaneApp().Run();
}
