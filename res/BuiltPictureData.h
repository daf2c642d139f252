#pragma once
// The pictures the build draws, as their pixels (tools/MakePictures.cpp writes their definitions).

#include <cstddef>
#include <cstdint>
#include <span>

namespace res::built {

struct Image {
    int key; // the bitmap's resource id, or the icon's size in pixels
    int width;
    int height;
    // width * height pixels, row after row, as premultiplied 0xAARRGGBB values.
    const std::uint32_t* pixels;
};

std::span<const Image> bitmaps();
std::span<const Image> windowIcons();

} // namespace res::built
