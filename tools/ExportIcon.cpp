// verdane-icon FOLDER: writes the application icon, drawn in code, as the PNG files a desktop
// looks for: FOLDER/hicolor/<size>x<size>/apps/verdane.png.

#include "res/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: verdane-icon FOLDER\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    const QIcon icon = res::applicationIcon();
    for (const QSize size : icon.availableSizes()) {
        const QString folder =
            QStringLiteral("%1/hicolor/%2x%2/apps").arg(argv[1]).arg(size.width());
        if (!QDir().mkpath(folder) || !icon.pixmap(size).save(folder + "/verdane.png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
