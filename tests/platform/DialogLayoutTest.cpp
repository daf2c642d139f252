#include "platform/DialogTemplate.h"
#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

using namespace platform;

TEST(DialogUnits, BecomePixelsWithTheDialogFontsBaseUnits)
{
    // A page template of 565 x 420 dialog units is 989 x 630 pixels.
    EXPECT_EQ(dluToPixels(QRect(0, 0, 565, 420)), QRect(0, 0, 989, 630));
    // Halves round away from zero, as the window system rounds them.
    EXPECT_EQ(dluToPixelsX(2), 4); // 3.5
    EXPECT_EQ(dluToPixelsY(3), 5); // 4.5
    EXPECT_EQ(dluToPixelsY(-3), -5);
    EXPECT_EQ(dluToPixels(QRect(256, 25, 293, 125)), QRect(448, 38, 513, 188));
}

TEST(Fonts, AskForTheDesktopNamesFirstAndFallBackToInstalledGothicFonts)
{
    // The desktop's own names come first where they are installed; the IPA fonts stand in
    // for them everywhere else.
    const QFont gothic = pointFont(FontFace::Gothic, 14);
    const auto expectFamilies = [](const QFont& font, const QString& desktopName,
                                   const QString& standIn) {
        const QStringList expected = QFontDatabase::hasFamily(desktopName)
                                         ? QStringList{desktopName, standIn}
                                         : QStringList{standIn};
        EXPECT_EQ(font.families(), expected) << desktopName.toStdString();
    };
    expectFamilies(gothic, QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    expectFamilies(pointFont(FontFace::ProportionalGothic, 10.5), QStringLiteral("ＭＳ Ｐゴシック"),
                   QStringLiteral("IPAPGothic"));
    expectFamilies(dialogFont(), QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));

    // Sizes are points at 96 DPI whatever the screen says.
    EXPECT_EQ(gothic.pixelSize(), 19);
    EXPECT_EQ(pointFont(FontFace::Gothic, 10.5).pixelSize(), 14);
    EXPECT_EQ(dialogFont().pixelSize(), 12);

    // Where the desktop names are missing, a Japanese Gothic font is what gets drawn.
    const QString drawn = QFontInfo(gothic).family();
    EXPECT_TRUE(drawn == QStringLiteral("ＭＳ ゴシック") || drawn.startsWith(QStringLiteral("IPA")))
        << drawn.toStdString();
}
