#include "MarkHighlighter.h"

#include "RemarkText.h"
#include "content/ForbiddenWords.h"
#include "platform/QtStrings.h"

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

MarkHighlighter::MarkHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void MarkHighlighter::setTerms(std::vector<std::u16string> terms)
{
    if (terms == terms_)
        return;
    terms_ = std::move(terms);
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
    for (const Span& term : findTerms(units, terms_))
        apply(term.position, term.length, background(termBackground()));
    for (const Span& mark : findPlaceholders(units))
        apply(mark.position, mark.length, background(placeholderBackground()));
    if (!forbidden_)
        return;
    for (const content::ForbiddenWords::Hit& hit : forbidden_->find(units))
        apply(hit.position, hit.length, wavyUnderline());
}

} // namespace draft
