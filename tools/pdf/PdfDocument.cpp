#include "PdfDocument.h"

#include "Source.h"
#include "Typesetter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QTextDocument>
#include <cmath>
#include <set>

namespace docs {

namespace {

// Layout units are pixels at 96 DPI; the writer draws at the same resolution, so picture and
// font sizes mean the same in the layout and on paper.
constexpr int kDpi = 96;
constexpr double kMm = kDpi / 25.4;
constexpr double kMarginSide = 20 * kMm;
constexpr double kMarginTop = 18 * kMm;
constexpr double kMarginBottom = 22 * kMm;

const QColor kRule(140, 140, 140);
const QColor kGrey(90, 90, 90);

const QStringList kFamilies = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};

void drawFooter(QPainter& painter, const QFont& font, const QString& title, int page, int pages,
                const QSizeF& paper)
{
    const double y = paper.height() - kMarginBottom + 8 * kMm;
    const double left = kMarginSide;
    const double right = paper.width() - kMarginSide;
    painter.setPen(QPen(kRule, 0.75));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
    QFont small = font;
    small.setPointSizeF(8);
    painter.setFont(small);
    painter.setPen(kGrey);
    const QRectF line(left, y + 2, right - left, 6 * kMm);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(line, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("%1 / %2").arg(page).arg(pages));
}

// Draws the typeset pages, each with its footer; false when the writer could not begin.
bool drawPages(QPdfWriter& writer, const QTextDocument& pages, const QFont& font,
               const QString& title)
{
    const QSizeF paper = QPageSize(QPageSize::A4).sizePixels(kDpi);
    const QSizeF textArea = pages.pageSize();
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    // Pictures are kept as they are rather than as JPEG, so the small captions in a
    // screenshot stay sharp.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const int count = pages.pageCount();
    for (int page = 0; page < count; ++page) {
        if (page > 0)
            writer.newPage();
        const QRectF clip(0, page * textArea.height(), textArea.width(), textArea.height());
        painter.save();
        painter.translate(kMarginSide, kMarginTop - clip.top());
        painter.setClipRect(clip);
        // The layout draws every block whose box touches the clip, and a block moved to the
        // next page starts exactly on this page's foot: the clip it gets stops short of both
        // edges, so each block is drawn (and found by a search) on its own page only.
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip.adjusted(0, 0.5, 0, -0.5);
        pages.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(painter, font, title, page + 1, count, paper);
    }
    return painter.end();
}

} // namespace

std::optional<QFont> documentFont()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : kFamilies) {
        if (installed.contains(family)) {
            QFont font(family);
            font.setPointSizeF(10.5);
            font.setHintingPreference(QFont::PreferNoHinting);
            return font;
        }
    }
    return std::nullopt;
}

QString missingCharacters(const QTextDocument& source, const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    QString missing;
    std::set<char32_t> seen;
    for (const char32_t c : documentText(source).toUcs4()) {
        if (QChar::isSpace(c) || seen.count(c))
            continue;
        seen.insert(c);
        if (!raw.supportsCharacter(c))
            missing += QString::fromUcs4(&c, 1);
    }
    return missing;
}

PdfResult writePdf(const QTextDocument& source, const QStringList& pictureFolders,
                   const QString& outputPath)
{
    PdfResult result;
    const std::optional<QFont> font = documentFont();
    if (!font) {
        result.errors.append(QStringLiteral("no Japanese font (IPAPGothic or IPAGothic) is "
                                            "installed"));
        return result;
    }
    const QString missing = missingCharacters(source, *font);
    if (!missing.isEmpty()) {
        result.errors.append(QStringLiteral("the font %1 cannot show these characters: %2")
                                 .arg(font->family(), missing));
        return result;
    }

    const QSizeF paper = QPageSize(QPageSize::A4).sizePixels(kDpi);
    // Whole pixels: the layout places lines in fractions of 1/64, and a page height it can
    // express exactly puts a line moved to the next page exactly on that page's top.
    QTextDocument pages;
    pages.setPageSize(QSizeF(std::floor(paper.width() - 2 * kMarginSide),
                             std::floor(paper.height() - kMarginTop - kMarginBottom)));
    result.errors = typeset(source, *font, pictureFolders, pages);
    if (!result.errors.isEmpty())
        return result;

    // Only a whole PDF replaces the file: a failed run leaves the one there as it was.
    QSaveFile file(outputPath);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        const QString title = source.metaInformation(QTextDocument::DocumentTitle);
        QPdfWriter writer(&file);
        writer.setResolution(kDpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Verdane"));
        written = drawPages(writer, pages, *font, title);
    }
    if (written)
        written = file.commit();
    if (!written) {
        result.errors.append(QStringLiteral("cannot write %1").arg(outputPath));
        return result;
    }
    result.pages = pages.pageCount();
    return result;
}

} // namespace docs
