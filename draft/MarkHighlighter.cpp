#include "MarkHighlighter.h"

#include "RemarkText.h"
#include "content/ForbiddenWords.h"
#include "platform/QtStrings.h"

#include <QStringList>
#include <QTextDocument>
#include <algorithm>

namespace draft {

namespace {

QTextCharFormat background(const QColor& colour)
{
    QTextCharFormat format;
    format.setBackground(colour);
    return format;
}

QTextCharFormat wavyUnderline()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(forbiddenUnderline());
    return format;
}

} // namespace

QColor placeholderBackground()
{
    return QColor(0xFF, 0xD5, 0x9E);
}

QColor termBackground()
{
    return QColor(0xC8, 0xE6, 0xFF);
}

QColor forbiddenUnderline()
{
    return QColor(0xD0, 0x00, 0x00);
}

QColor reviewUnderline()
{
    return QColor(0x1F, 0x5F, 0xC0);
}

QColor pastBoxBackground()
{
    return QColor(0xD8, 0xD8, 0xD8);
}

QColor sharedUnderline()
{
    return QColor(0x8A, 0x2B, 0xB0);
}

QString sharedWith(const std::vector<int>& numbers)
{
    QStringList named;
    for (const int number : numbers)
        named << QStringLiteral("%1番").arg(number);
    return QStringLiteral("同じ組の %1 の下書きにもこの文があります").arg(named.join(u'・'));
}

MarkHighlighter::MarkHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void MarkHighlighter::setSharedFinder(SharedFinder finder)
{
    findShared_ = std::move(finder);
    rehighlight();
}

void MarkHighlighter::setTermFinder(TermFinder finder)
{
    if (!finder && !findTerms_)
        return;
    findTerms_ = std::move(finder);
    rehighlight();
}

void MarkHighlighter::setForbiddenWords(const content::ForbiddenWords* words)
{
    forbidden_ = words;
    rehighlight();
}

void MarkHighlighter::highlightBlock(const QString& text)
{
    const std::u16string_view units = platform::unitsOf(text);
    const auto apply = [this](std::size_t position, std::size_t length,
                              const QTextCharFormat& format) {
        setFormat(static_cast<int>(position), static_cast<int>(length), format);
    };
    if (findTerms_) {
        // The terms are found in the whole text, which may run over several blocks (lines).
        const QString whole = document()->toPlainText();
        const auto start = static_cast<std::size_t>(currentBlock().position());
        const std::size_t end = start + units.size();
        for (const Span& term : findTerms_(platform::unitsOf(whole))) {
            const std::size_t from = std::max(term.position, start);
            const std::size_t to = std::min(term.position + term.length, end);
            if (from < to)
                apply(from - start, to - from, background(termBackground()));
        }
    }
    if (findShared_) {
        QTextCharFormat dotted;
        dotted.setUnderlineStyle(QTextCharFormat::DotLine);
        dotted.setUnderlineColor(sharedUnderline());
        for (const Span& sentence : findShared_(units))
            apply(sentence.position, sentence.length, dotted);
    }
    for (const Span& mark : findPlaceholders(units))
        apply(mark.position, mark.length, background(placeholderBackground()));
    if (!forbidden_)
        return;
    for (const content::ForbiddenWords::Hit& hit : forbidden_->find(units))
        apply(hit.position, hit.length, wavyUnderline());
}

} // namespace draft
