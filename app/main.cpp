#include "CVerdaneApp.h"
#include "platform/QtEffects.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    platform::QtEffects effects;
    platform::ScopedEffects installed(effects);
    CVerdaneApp().Run();
}
