#include "Fonts.h"

#include <QStringList>
#include <cmath>

namespace platform {

namespace {

QStringList families(FontFace face)
{
    switch (face) {
    case FontFace::Gothic:
        return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")};
    case FontFace::ProportionalGothic:
        return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")};
    case FontFace::UiGothic:
        return {QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic")};
    }
    return {};
}

} // namespace

QFont pointFont(FontFace face, double points)
{
    QFont font;
    font.setFamilies(families(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return font;
}

QFont dialogFont()
{
    return pointFont(FontFace::UiGothic, 9);
}

} // namespace platform
