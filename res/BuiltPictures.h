#pragma once
// The pictures as the program shows them: drawn once when the program was built and kept in it
// pixel for pixel, so that a start copies a few small images instead of finding fonts at new
// sizes and drawing, or decoding. A picture the build did not draw is drawn now (res/Pictures.h).

#include <QIcon>
#include <QPixmap>

namespace res {

// The bitmap with resource id `id` at its own pixel size; null for an id that names no bitmap.
QPixmap bitmap(int id);

// The application icon in the sizes a window carries, 16 to 64 pixels.
QIcon windowIcon();

} // namespace res
