#include "res/Pictures.h"
#include "res/BuiltPictures.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Expected {
    int id;
    QSize size;
};

const Expected everyBitmap[] = {
    {202, {440, 25}}, {203, {440, 25}}, {204, {440, 25}}, {205, {440, 25}}, {206, {440, 25}},
    {207, {440, 25}}, {208, {440, 25}}, {209, {440, 25}}, {210, {440, 25}}, {211, {22, 124}},
    {212, {367, 27}}, {214, {22, 74}},  {215, {137, 23}}, {216, {137, 23}},
};

QImage imageOf(int id)
{
    return res::bitmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isWhiteInk(QRgb pixel)
{
    return qRed(pixel) >= 235 && qGreen(pixel) >= 235 && qBlue(pixel) >= 235;
}

bool isDarkInk(QRgb pixel)
{
    return qRed(pixel) <= 100 && qGreen(pixel) <= 100 && qBlue(pixel) <= 100;
}

// The smallest rectangle holding every pixel of `image` inside `area` that `isInk` accepts.
template <typename Ink> QRect inkBounds(const QImage& image, const QRect& area, Ink isInk)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(Pictures, EveryBitmapHasItsExactSizeAndACaption)
{
    for (const Expected& expected : everyBitmap) {
        SCOPED_TRACE(expected.id);
        const QPixmap picture = res::bitmap(expected.id);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), expected.size);
        EXPECT_EQ(picture.devicePixelRatio(), 1.0);
        EXPECT_FALSE(res::bitmapCaption(expected.id).isEmpty());
    }
}

TEST(Pictures, IdsThatNameNoBitmapGiveNothing)
{
    // 128 is the icon, 213 lies inside the bitmap range but names no bitmap, 1037 is a control.
    for (const int id : {-1, 0, 128, 201, 213, 217, 1037}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(res::bitmap(id).isNull());
        EXPECT_TRUE(res::bitmapCaption(id).isEmpty());
    }
}

TEST(Pictures, CaptionsAreTheWordsDrawn)
{
    EXPECT_EQ(res::bitmapCaption(215), QStringLiteral("このソフトについて"));
    EXPECT_EQ(res::bitmapCaption(216), QStringLiteral("このソフトの使い方"));
    EXPECT_EQ(res::bitmapCaption(202), QStringLiteral("志望する職種"));
    EXPECT_EQ(res::bitmapCaption(211), QStringLiteral("運動部"));
    EXPECT_EQ(res::bitmapCaption(212), QStringLiteral("資格・検定の正式名称（PDFで表示されます）"));
}

TEST(Pictures, ApplicationIconHasEverySizeDrawn)
{
    const QIcon icon = res::applicationIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    const QList<QSize> expected{{16, 16}, {24, 24},   {32, 32},  {48, 48},
                                {64, 64}, {128, 128}, {256, 256}};
    EXPECT_EQ(sizes, expected);
    // A window is offered only the sizes a window is shown by: the window system asks for
    // each size offered when the window is made.
    for (const QIcon& windowIcon : {res::drawnWindowIcon(), res::windowIcon()}) {
        QList<QSize> windowSizes = windowIcon.availableSizes();
        std::sort(windowSizes.begin(), windowSizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        EXPECT_EQ(windowSizes, expected.mid(0, 5));
    }
    for (const QSize size : expected) {
        SCOPED_TRACE(size.width());
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size);
        // An emblem on a clear ground: some pixels are covered, the corners are not.
        EXPECT_EQ(qAlpha(image.pixel(0, size.height() - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size.width() - 1, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255);
    }
}

// The program shows the pictures and the window icon as the build drew them: the same pixels as
// drawing them now with the same fonts.
TEST(Pictures, ThoseKeptFromTheBuildAreThoseDrawnNow)
{
    const auto pixels = [](const QPixmap& pixmap) {
        return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    };
    ASSERT_EQ(res::bitmapIds().size(), std::size(everyBitmap));
    for (const int id : res::bitmapIds()) {
        SCOPED_TRACE(id);
        EXPECT_EQ(pixels(res::bitmap(id)), pixels(res::drawnBitmap(id)));
    }
    const QIcon built = res::windowIcon();
    const QIcon drawn = res::drawnWindowIcon();
    for (const QSize size : drawn.availableSizes()) {
        SCOPED_TRACE(size.width());
        EXPECT_EQ(pixels(built.pixmap(size)), pixels(drawn.pixmap(size)));
    }
}

// Each heading band is in the colour of its page's tab, with a white badge at the left and
// white words after it.
TEST(Pictures, BandsCarryBadgeAndWordsOnThePageColour)
{
    struct Band {
        int id;
        int hue; // of the page's tab colour
    };
    for (const Band band :
         {Band{202, 210}, Band{203, 210}, Band{204, 210}, Band{205, 90}, Band{206, 90},
          Band{207, 90}, Band{208, 36}, Band{209, 36}, Band{210, 36}}) {
        SCOPED_TRACE(band.id);
        const QImage image = imageOf(band.id);
        const QColor ground = image.pixelColor(image.width() - 20, image.height() / 2);
        EXPECT_NEAR(ground.hsvHue(), band.hue, 15);
        EXPECT_FALSE(isWhiteInk(ground.rgb()));

        const QRect badge = inkBounds(image, QRect(0, 0, 28, 25), isWhiteInk);
        EXPECT_GE(badge.width(), 12);
        EXPECT_GE(badge.height(), 12);
        const QRect words = inkBounds(image, QRect(28, 0, 412, 25), isWhiteInk);
        EXPECT_GE(words.width(), 10 * res::bitmapCaption(band.id).size());
    }
}

// Words that do not fit are cut off at the picture's edge, so their ink would touch it.
TEST(Pictures, WordsStayInsideThePicture)
{
    for (const Expected& expected : everyBitmap) {
        SCOPED_TRACE(expected.id);
        const QImage image = imageOf(expected.id);
        const QRect whole = image.rect();
        const QRect ink = expected.id == 212 ? inkBounds(image, whole, isDarkInk)
                                             : inkBounds(image, whole, isWhiteInk);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(whole.adjusted(1, 1, -1, -1).contains(ink))
            << "ink at " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
}

// The upright club headings stack their characters: the ink is taller than it is wide.
TEST(Pictures, ColumnWordsReadTopToBottom)
{
    for (const int id : {211, 214}) {
        SCOPED_TRACE(id);
        const QImage image = imageOf(id);
        const QRect ink = inkBounds(image, image.rect(), isWhiteInk);
        EXPECT_GE(ink.height(), 3 * ink.width());
    }
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Pictures need a GUI application for fonts and pixmaps, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
