#include "res/Pictures.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <algorithm>
#include <array>
#include <map>

namespace res {
namespace {

// How a picture is drawn. The colours follow the tab of the page the picture sits on.
enum class Look {
    StrengthsBand,        // section heading on the strengths page: blue band, badge, white words
    InSchoolBand,         // section heading on the in-school page: green band
    OutsideBand,          // field-group header on the outside page: orange band
    InSchoolColumn,       // club heading on the in-school page: green column, words stacked
    QualificationHeading, // heading of the qualification buttons: grey band, dark words
    HeaderButton,         // picture in the main window's header strip: grey face, white words
};

struct Picture {
    int id;
    int width;
    int height;
    Look look;
    const char16_t* caption;
};

// Every bitmap resource of the program, in id order (there is no bitmap 213).
constexpr std::array pictures{
    Picture{202, 440, 25, Look::StrengthsBand, u"志望する職種"},
    Picture{203, 440, 25, Look::StrengthsBand, u"学習および活動についての記載"},
    Picture{204, 440, 25, Look::StrengthsBand, u"性格などの長所についての記載"},
    Picture{205, 440, 25, Look::InSchoolBand, u"学校行事"},
    Picture{206, 440, 25, Look::InSchoolBand, u"校内活動"},
    Picture{207, 440, 25, Look::InSchoolBand, u"部活動"},
    Picture{208, 440, 25, Look::OutsideBand, u"校外活動"},
    Picture{209, 440, 25, Look::OutsideBand, u"将来の仕事"},
    Picture{210, 440, 25, Look::OutsideBand, u"ボランティア活動"},
    Picture{211, 22, 124, Look::InSchoolColumn, u"運動部"},
    Picture{212, 367, 27, Look::QualificationHeading, u"資格・検定の正式名称（PDFで表示されます）"},
    Picture{214, 22, 74, Look::InSchoolColumn, u"文化部"},
    Picture{215, 137, 23, Look::HeaderButton, u"このソフトについて"},
    Picture{216, 137, 23, Look::HeaderButton, u"このソフトの使い方"},
};

const Picture* findPicture(int id)
{
    const auto* found = std::find_if(pictures.begin(), pictures.end(),
                                     [id](const Picture& picture) { return picture.id == id; });
    return found == pictures.end() ? nullptr : found;
}

// The tab colours of the three pages.
const QColor strengthsBlue(51, 153, 255);
const QColor inSchoolGreen(102, 198, 6);
const QColor outsideOrange(255, 153, 0);
const QColor darkText(51, 51, 51);

QColor mixed(const QColor& from, const QColor& to, qreal share)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                            from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

// The proportional gothic of the original screens, or the IPA gothic that stands in for it.
QFont captionFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The largest caption font, up to `largest` pixels and down to 7, for which fits(metrics, size)
// holds. Every size tried loads the face at that size, so the search starts one pixel above the
// size that the measure at the largest one scales to, and goes down from there: one or two sizes
// are tried rather than every one above the size that fits.
template <typename Fits, typename Measure>
QFont largestFitting(int largest, Measure measureAtLargest, Fits fits)
{
    QFont font = captionFont(largest);
    // The share of the largest size that fits, by measure; 1 or more (or no measure, as for an
    // empty text) when the largest one does.
    const qreal share = measureAtLargest(QFontMetricsF(font));
    const int scaled = static_cast<int>(largest * std::max<qreal>(share, 0)) + 1;
    const int start = !(share < 1) ? largest : std::clamp(scaled, 7, largest);
    for (int size = start; size > 6; --size) {
        font.setPixelSize(size);
        if (fits(QFontMetricsF(font), size))
            break;
    }
    return font;
}

// The largest caption font, up to `largest` pixels, whose line of `text` fits the box. Two
// pixels of width are kept spare for the widening of a bold face made from a regular one.
QFont fittedFont(const QString& text, QSizeF box, int largest)
{
    return largestFitting(
        largest,
        [&](const QFontMetricsF& metrics) {
            return std::min((box.width() - 2) / metrics.horizontalAdvance(text),
                            box.height() / metrics.height());
        },
        [&](const QFontMetricsF& metrics, int) {
            return metrics.horizontalAdvance(text) + 2 <= box.width() &&
                   metrics.height() <= box.height();
        });
}

// The largest caption font whose characters, stacked one under another, fit the column.
QFont fittedColumnFont(const QString& text, QSizeF box, int largest)
{
    const auto widest = [&](const QFontMetricsF& metrics) {
        qreal widest = 0;
        for (const QChar c : text)
            widest = std::max(widest, metrics.horizontalAdvance(c));
        return widest;
    };
    return largestFitting(
        largest,
        [&](const QFontMetricsF& metrics) {
            return std::min((box.width() - 2) / widest(metrics),
                            box.height() / (largest * static_cast<qreal>(text.size())));
        },
        [&](const QFontMetricsF& metrics, int size) {
            return widest(metrics) + 2 <= box.width() && size * text.size() <= box.height();
        });
}

// White words on a coloured ground, with a faint shadow in the ground's own dark shade so that
// they stay legible where the ground turns light.
void drawLightWords(QPainter& painter, const QRectF& box, int alignment, const QString& text,
                    const QColor& ground)
{
    QColor shadow = ground.darker(170);
    shadow.setAlpha(110);
    painter.setPen(shadow);
    painter.drawText(box.translated(1, 1), alignment, text);
    painter.setPen(Qt::white);
    painter.drawText(box, alignment, text);
}

// The white round badge with a down arrow that marks a heading as the head of what lies below.
void drawBadge(QPainter& painter, QPointF centre, qreal radius, const QColor& arrow)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);

    const qreal u = radius / 10;
    const qreal x = centre.x();
    const qreal y = centre.y();
    QPainterPath shape;
    shape.moveTo(x - 2.4 * u, y - 6.5 * u);
    shape.lineTo(x + 2.4 * u, y - 6.5 * u);
    shape.lineTo(x + 2.4 * u, y - 0.5 * u);
    shape.lineTo(x + 6.2 * u, y - 0.5 * u);
    shape.lineTo(x, y + 6.8 * u);
    shape.lineTo(x - 6.2 * u, y - 0.5 * u);
    shape.lineTo(x - 2.4 * u, y - 0.5 * u);
    shape.closeSubpath();
    painter.setBrush(arrow);
    painter.drawPath(shape);
}

// A soft light from above and a touch of shade below, so that a flat band reads as a bar.
void drawSheen(QPainter& painter, const QRectF& area)
{
    QLinearGradient sheen(area.topLeft(), area.bottomLeft());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 35));
    painter.fillRect(area, sheen);
}

// A section heading: a band strong at the left, where the badge and words are, fading to a
// light tint at the right.
void drawBand(QPainter& painter, QSize size, const QColor& colour, const QString& caption)
{
    const QRectF area(QPointF(0, 0), size);
    QLinearGradient across(area.topLeft(), area.topRight());
    across.setColorAt(0.0, colour.darker(125));
    across.setColorAt(0.45, colour);
    across.setColorAt(1.0, mixed(colour, Qt::white, 0.55));
    painter.fillRect(area, across);
    drawSheen(painter, area);

    const qreal middle = size.height() / 2.0;
    const qreal radius = size.height() * 0.38;
    drawBadge(painter, QPointF(4 + radius, middle), radius, colour.darker(135));

    const qreal left = 4 + 2 * radius + 7;
    const QRectF words(left, 0, size.width() - left - 6, size.height());
    painter.setFont(fittedFont(caption, words.size() - QSizeF(0, 4), size.height() - 9));
    drawLightWords(painter, words, Qt::AlignLeft | Qt::AlignVCenter, caption, colour.darker(125));
}

// A narrow upright heading beside a column of check boxes, its words read top to bottom.
void drawColumn(QPainter& painter, QSize size, const QColor& colour, const QString& caption)
{
    const QRectF area(QPointF(0, 0), size);
    QLinearGradient across(area.topLeft(), area.topRight());
    across.setColorAt(0.0, colour.darker(112));
    across.setColorAt(0.4, colour);
    across.setColorAt(1.0, colour.darker(118));
    painter.fillRect(area, across);

    const QFont font = fittedColumnFont(caption, area.size() - QSizeF(4, 8), size.width() - 7);
    painter.setFont(font);
    // The characters are spread out a little on a tall column, never farther than reads as one
    // word.
    const qreal step = std::min((size.height() - 8.0) / caption.size(), font.pixelSize() * 1.6);
    const qreal top = (size.height() - step * caption.size()) / 2;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QRectF cell(0, top + step * i, size.width(), step);
        drawLightWords(painter, cell, Qt::AlignCenter, caption.mid(i, 1), colour.darker(125));
    }
}

// The heading over the qualification buttons: a quiet grey band, dark words.
void drawQualificationHeading(QPainter& painter, QSize size, const QString& caption)
{
    const QRectF area(QPointF(0, 0), size);
    QLinearGradient down(area.topLeft(), area.bottomLeft());
    down.setColorAt(0.0, QColor(228, 228, 228));
    down.setColorAt(1.0, QColor(196, 196, 196));
    painter.fillRect(area, down);
    painter.fillRect(QRectF(0, size.height() - 1, size.width(), 1), QColor(150, 150, 150));

    const QRectF words = area.adjusted(6, 0, -6, 0);
    painter.setFont(fittedFont(caption, words.size() - QSizeF(0, 4), size.height() - 11));
    painter.setPen(darkText);
    painter.drawText(words, Qt::AlignCenter, caption);
}

// A grey button face with a raised edge, as the header strip's two pictures act as buttons.
void drawHeaderButton(QPainter& painter, QSize size, const QString& caption)
{
    const QRectF area(QPointF(0, 0), size);
    QLinearGradient down(area.topLeft(), area.bottomLeft());
    down.setColorAt(0.0, QColor(146, 146, 146));
    down.setColorAt(1.0, QColor(96, 96, 96));
    painter.fillRect(area, down);

    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    painter.fillRect(QRect(0, 0, size.width(), 1), QColor(190, 190, 190));
    painter.fillRect(QRect(0, 0, 1, size.height()), QColor(190, 190, 190));
    painter.fillRect(QRect(0, bottom, size.width(), 1), QColor(60, 60, 60));
    painter.fillRect(QRect(right, 0, 1, size.height()), QColor(60, 60, 60));

    const QRectF words = area.adjusted(5, 0, -5, 0);
    painter.setFont(fittedFont(caption, words.size() - QSizeF(0, 4), size.height() - 9));
    drawLightWords(painter, words, Qt::AlignCenter, caption, QColor(96, 96, 96));
}

QImage drawPicture(const Picture& picture)
{
    const QSize size(picture.width, picture.height);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QString caption = QString::fromUtf16(picture.caption);
    switch (picture.look) {
    case Look::StrengthsBand:
        drawBand(painter, size, strengthsBlue, caption);
        break;
    case Look::InSchoolBand:
        drawBand(painter, size, inSchoolGreen, caption);
        break;
    case Look::OutsideBand:
        drawBand(painter, size, outsideOrange, caption);
        break;
    case Look::InSchoolColumn:
        drawColumn(painter, size, inSchoolGreen, caption);
        break;
    case Look::QualificationHeading:
        drawQualificationHeading(painter, size, caption);
        break;
    case Look::HeaderButton:
        drawHeaderButton(painter, size, caption);
        break;
    }
    return image;
}

// The application icon: a ruled page with a green leaf over its corner. It is laid out on a
// grid of 16 units, one unit being one pixel of the smallest size, so that at 16 pixels the
// page's edges and rules fall on whole pixels and stay sharp.
QImage drawIcon(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 16.0, pixels / 16.0);
    // Below 32 pixels a stroke of one unit is what stays visible; above, thinner strokes look
    // less heavy.
    const bool small = pixels < 32;

    // The page.
    const qreal edge = small ? 1.0 : 0.6;
    painter.setPen(QPen(QColor(64, 86, 120), edge));
    painter.setBrush(Qt::white);
    const QRectF page(1, 0, 12, 16); // its outer edge; the stroke lies inside it
    const qreal inset = edge / 2;
    painter.drawRoundedRect(page.adjusted(inset, inset, -inset, -inset), 1.2, 1.2);

    // The rules; at the smallest size each is one whole pixel row.
    const QColor rule(110, 150, 210);
    const qreal ruleHeight = small ? 1.0 : 0.8;
    for (const qreal row : {3.0, 6.0, 9.0, 12.0}) {
        const qreal length = row < 8 ? 7.0 : 4.0; // the leaf covers the right of the lower rules
        painter.fillRect(QRectF(4, row + (1 - ruleHeight) / 2, length, ruleHeight), rule);
    }

    // The leaf, pointing up and to the right over the lower right corner of the page.
    painter.translate(11.4, 11.0);
    painter.rotate(45);
    const qreal half = 4.8;  // half its length
    const qreal bulge = 3.2; // how far its sides swell
    QPainterPath leaf;
    leaf.moveTo(0, half);
    leaf.cubicTo(-bulge, half * 0.45, -bulge * 0.9, -half * 0.5, 0, -half);
    leaf.cubicTo(bulge * 0.9, -half * 0.5, bulge, half * 0.45, 0, half);
    QLinearGradient green(QPointF(-bulge, 0), QPointF(bulge, 0));
    green.setColorAt(0.0, QColor(128, 206, 40));
    green.setColorAt(1.0, QColor(56, 146, 18));
    painter.setPen(QPen(QColor(30, 100, 12), small ? 0.8 : 0.5));
    painter.setBrush(green);
    painter.drawPath(leaf);

    // The stalk, and at sizes where it can be seen, the midrib.
    painter.setPen(QPen(QColor(30, 100, 12), small ? 1.0 : 0.7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, half), QPointF(0, half + 1.6));
    if (!small) {
        painter.setPen(QPen(QColor(214, 244, 170), 0.45, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, half - 0.6), QPointF(0, -half + 1.2));
    }
    return image;
}

} // namespace

std::vector<int> bitmapIds()
{
    std::vector<int> ids;
    for (const Picture& picture : pictures)
        ids.push_back(picture.id);
    return ids;
}

QPixmap drawnBitmap(int id)
{
    const Picture* picture = findPicture(id);
    if (picture == nullptr)
        return {};
    return QPixmap::fromImage(drawPicture(*picture));
}

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// A window's own icon is shown in a title bar, a task bar and a window switcher, at 64 pixels at
// most; the desktop's menus take the larger sizes from the icon files installed with the program.
constexpr int kLargestWindowIcon = 64;

// Draws each size of the icon the first time something asks for it: the window system asks for
// every size it is offered when the window is made, so a window is offered only the sizes it
// needs, and a size is drawn only once.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(int largest) : largest_(largest) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int pixels : kIconSizes) {
            if (pixels <= largest_)
                sizes.append(QSize(pixels, pixels));
        }
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int pixels = nearestSize(std::min(size.width(), size.height()));
        auto& drawn = drawn_[pixels];
        if (drawn.isNull())
            drawn = QPixmap::fromImage(drawIcon(pixels));
        return drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    static int nearestSize(int wanted)
    {
        for (const int pixels : kIconSizes) {
            if (pixels >= wanted)
                return pixels;
        }
        return kIconSizes[std::size(kIconSizes) - 1];
    }

    int largest_;
    std::map<int, QPixmap> drawn_;
};

} // namespace

QIcon applicationIcon()
{
    return QIcon(new DrawnIconEngine(kIconSizes[std::size(kIconSizes) - 1]));
}

QIcon drawnWindowIcon()
{
    return QIcon(new DrawnIconEngine(kLargestWindowIcon));
}

QSize bitmapSize(int id)
{
    const Picture* picture = findPicture(id);
    return picture == nullptr ? QSize() : QSize(picture->width, picture->height);
}

QString bitmapCaption(int id)
{
    const Picture* picture = findPicture(id);
    return picture == nullptr ? QString() : QString::fromUtf16(picture->caption);
}

} // namespace res
