#pragma once
// The pictures of the program: the section headings, the header buttons and the application
// icon, drawn in code so that they need no image files. A picture is addressed by its resource
// id, the same id the dialog templates name. The program shows them as they were drawn when it
// was built (res/BuiltPictures.h); the icon files of the desktop are drawn from here too.
//
// Drawing needs a running QGuiApplication (fonts and pixmaps belong to it).

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <vector>

namespace res {

// The bitmap with resource id `id` drawn now, exactly at its own pixel size (device pixel
// ratio 1). An id that names no bitmap gives a null pixmap.
QPixmap drawnBitmap(int id);
// The ids of every bitmap, in order.
std::vector<int> bitmapIds();

// The size of bitmap `id` without drawing it; empty for an id that names no bitmap.
QSize bitmapSize(int id);

// Icon resource 128, with pixmaps of 16, 24, 32, 48, 64, 128 and 256 pixels: the icon files
// installed for the desktop.
QIcon applicationIcon();
// The same icon in the sizes a window carries, 16 to 64 pixels, each drawn when first asked for.
QIcon drawnWindowIcon();

// The words drawn in bitmap `id`: the accessible name of a picture that acts as a button.
// Empty for an id that names no bitmap.
QString bitmapCaption(int id);

} // namespace res
