// verdane-pictures FILE.cpp: draws every picture of the program and the window's icon sizes and
// writes them, as PNG images, into a C++ source that defines res::built::bitmaps() and
// res::built::windowIcons() (res/BuiltPictureData.h). Run at every build.

#include "res/Pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

QByteArray png(const QPixmap& pixmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (pixmap.isNull() || !pixmap.save(&buffer, "PNG"))
        return {};
    return bytes;
}

// One array of bytes and the table of the images, for bitmaps() or windowIcons().
void writeImages(std::ostream& out, const std::string& function,
                 const std::vector<std::pair<int, QByteArray>>& images)
{
    for (const auto& [key, bytes] : images) {
        out << "const unsigned char " << function << key << "[] = {";
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const int byte = static_cast<unsigned char>(bytes[i]);
            out << (i % 24 == 0 ? "\n    " : "") << byte << ',';
        }
        out << "\n};\n";
    }
    out << "const Image " << function << "Table[] = {\n";
    for (const auto& [key, bytes] : images) {
        const std::string array = function + std::to_string(key);
        out << "    {" << key << ", " << array << ", sizeof " << array << "},\n";
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
    std::vector<std::pair<int, QByteArray>> bitmaps, icons;
    for (const int id : res::bitmapIds())
        bitmaps.emplace_back(id, png(res::drawnBitmap(id)));
    const QIcon icon = res::drawnWindowIcon();
    for (const QSize size : icon.availableSizes())
        icons.emplace_back(size.width(), png(icon.pixmap(size)));
    for (const auto& images : {bitmaps, icons}) {
        for (const auto& [key, bytes] : images) {
            if (bytes.isEmpty()) {
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
