#include "BuiltPictures.h"

#include "BuiltPictureData.h"
#include "Pictures.h"

#include <QImage>
#include <algorithm>

namespace res {

namespace {

QPixmap pixmap(const built::Image& image)
{
    // A view of the kept pixels; the pixmap takes a copy of them.
    const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.width, image.height,
                        image.width * 4, QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(pixels);
}

} // namespace

QPixmap bitmap(int id)
{
    const std::span<const built::Image> images = built::bitmaps();
    const auto found = std::find_if(images.begin(), images.end(),
                                    [id](const built::Image& image) { return image.key == id; });
    const QPixmap kept = found == images.end() ? QPixmap() : pixmap(*found);
    return kept.isNull() ? drawnBitmap(id) : kept;
}

QIcon windowIcon()
{
    QIcon icon;
    for (const built::Image& image : built::windowIcons())
        icon.addPixmap(pixmap(image));
    return icon.isNull() ? drawnWindowIcon() : icon;
}

} // namespace res
