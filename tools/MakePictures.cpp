// verdane-pictures FILE.cpp: draws every picture of the program and the window's icon sizes and
// writes their pixels into a C++ source that defines res::built::bitmaps() and
// res::built::windowIcons() (res/BuiltPictureData.h). Run at every build.

#include "res/Pictures.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The pixels in the form the program keeps them; a null image if the picture was not drawn.
QImage pixels(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// One array of pixels per image and the table of the images, for bitmaps() or windowIcons().
void writeImages(std::ostream& out, const std::string& function,
                 const std::vector<std::pair<int, QImage>>& images)
{
    char value[16];
    for (const auto& [key, image] : images) {
        out << "const std::uint32_t " << function << key << "[] = {";
        int written = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, ++written) {
                std::snprintf(value, sizeof value, "0x%08x,", static_cast<unsigned>(row[x]));
                out << (written % 8 == 0 ? "\n    " : "") << value;
            }
        }
        out << "\n};\n";
    }
    out << "const Image " << function << "Table[] = {\n";
    for (const auto& [key, image] : images) {
        out << "    {" << key << ", " << image.width() << ", " << image.height() << ", " << function
            << key << "},\n";
    }
    out << "};\n\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: verdane-pictures FILE.cpp\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    std::vector<std::pair<int, QImage>> bitmaps, icons;
    for (const int id : res::bitmapIds())
        bitmaps.emplace_back(id, pixels(res::drawnBitmap(id)));
    const QIcon icon = res::drawnWindowIcon();
    for (const QSize size : icon.availableSizes())
        icons.emplace_back(size.width(), pixels(icon.pixmap(size)));
    for (const auto& images : {bitmaps, icons}) {
        for (const auto& [key, image] : images) {
            if (image.isNull()) {
                std::fprintf(stderr, "verdane-pictures: picture %d cannot be drawn\n", key);
                return 1;
            }
        }
    }
    std::ostringstream out;
    out << "// Written by verdane-pictures at build time.\n"
           "#include \"res/BuiltPictureData.h\"\n\n"
           "namespace res::built {\n\nnamespace {\n\n";
    writeImages(out, "bitmap", bitmaps);
    writeImages(out, "icon", icons);
    out << "} // namespace\n\n"
           "std::span<const Image> bitmaps() { return bitmapTable; }\n"
           "std::span<const Image> windowIcons() { return iconTable; }\n\n"
           "} // namespace res::built\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    if (!file.flush()) {
        std::fprintf(stderr, "verdane-pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
