#pragma once
// The PNG images the build draws (tools/MakePictures.cpp writes their definitions).

#include <cstddef>
#include <span>

namespace res::built {

struct Image {
    int key; // the bitmap's resource id, or the icon's size in pixels
    const unsigned char* png;
    std::size_t bytes;
};

std::span<const Image> bitmaps();
std::span<const Image> windowIcons();

} // namespace res::built
