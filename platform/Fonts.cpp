#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <map>

namespace platform {

namespace {

QStringList wantedFamilies(FontFace face)
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

// The wanted families that are installed, looked up once: asking the font system for a family
// it lacks makes it build a list of stand-ins at every use.
QStringList families(FontFace face)
{
    static std::map<FontFace, QStringList> resolved;
    auto [entry, isNew] = resolved.try_emplace(face);
    if (isNew) {
        const QStringList wanted = wantedFamilies(face);
        for (const QString& family : wanted) {
            if (QFontDatabase::hasFamily(family))
                entry->second.append(family);
        }
        if (entry->second.isEmpty())
            entry->second = wanted; // nothing installed: let the font system choose
    }
    return entry->second;
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

void readFontConfiguration()
{
    FcInit(); // reads it once per process, whichever thread asks first
}

} // namespace platform
