#include "BuiltPictures.h"

#include "BuiltPictureData.h"
#include "Pictures.h"

#include <algorithm>

namespace res {

namespace {

QPixmap decode(const built::Image& image)
{
    QPixmap pixmap;
    pixmap.loadFromData(image.png, static_cast<uint>(image.bytes), "PNG");
    return pixmap;
}

} // namespace

QPixmap bitmap(int id)
{
    const std::span<const built::Image> images = built::bitmaps();
    const auto found = std::find_if(images.begin(), images.end(),
                                    [id](const built::Image& image) { return image.key == id; });
    const QPixmap pixmap = found == images.end() ? QPixmap() : decode(*found);
    return pixmap.isNull() ? drawnBitmap(id) : pixmap;
}

QIcon windowIcon()
{
    QIcon icon;
    for (const built::Image& image : built::windowIcons())
        icon.addPixmap(decode(image));
    return icon.isNull() ? drawnWindowIcon() : icon;
}

} // namespace res
