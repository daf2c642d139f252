#include "Source.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace docs {

namespace {

// Put at the end of a source line whose break falls between two Japanese characters. The reader
// keeps it where the line ended, so the space it sets for the break is found right after it.
// A character of the private use area: no document's own text has it.
constexpr char16_t kJoin = 0xE000;

// Kana, kanji, the ideographic space and punctuation (、。「」), and the full-width forms
// (（）！). Characters outside the basic plane are too rare in the documents to matter.
bool isJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// The next line is looked at past its indent and a note's >, where its text starts.
QString markJapaneseLineBreaks(const QString& source)
{
    QStringList lines = source.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString& next = lines[i + 1];
        qsizetype start = 0;
        while (start < next.size() && (next[start] == u' ' || next[start] == u'>'))
            ++start;
        if (!lines[i].isEmpty() && isJapanese(lines[i].back()) && start < next.size() &&
            isJapanese(next[start]))
            lines[i] += QChar(kJoin);
    }
    return lines.join(QLatin1Char('\n'));
}

// Takes the marks out again, each with the space that follows it where the lines were joined
// (at the end of a heading, none does).
void joinJapaneseLines(QTextDocument& document)
{
    QTextCursor found(&document);
    while (!(found = document.find(QString(QChar(kJoin)), found)).isNull()) {
        if (document.characterAt(found.selectionEnd()) == u' ')
            found.setPosition(found.selectionEnd() + 1, QTextCursor::KeepAnchor);
        found.removeSelectedText();
    }
}

// The line under a table's header: | and dashes, and the colons that align a column.
const QRegularExpression kUnderHeader(QStringLiteral("^\\|[-:|\\s]*-[-:|\\s]*$"));

// Each table, in order, gets the widths of the dashes under its header: the reader keeps only
// how many columns there are.
void setColumnWidths(QTextDocument& document, const QString& source, QStringList& errors)
{
    QList<QList<int>> dashes;
    for (const QString& line : source.split(QLatin1Char('\n'))) {
        const QString row = line.trimmed();
        if (!kUnderHeader.match(row).hasMatch())
            continue;
        QList<int> columns;
        for (const QString& cell :
             row.mid(1, row.endsWith(u'|') ? row.size() - 2 : -1).split(QLatin1Char('|')))
            columns.append(static_cast<int>(cell.count(u'-')));
        dashes.append(columns);
    }
    QList<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            tables.append(table);
    }
    if (tables.size() != dashes.size()) {
        errors.append(QStringLiteral("%1 lines of dashes under a header, but %2 tables: a "
                                     "table needs at least three dashes under each column")
                          .arg(dashes.size())
                          .arg(tables.size()));
        return;
    }
    for (qsizetype i = 0; i < tables.size(); ++i) {
        double total = 0;
        for (const int weight : dashes[i])
            total += weight;
        QList<QTextLength> widths;
        for (const int weight : dashes[i])
            widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * weight / total));
        QTextTableFormat format = tables[i]->format();
        format.setColumnWidthConstraints(widths);
        tables[i]->setFormat(format);
    }
}

QString excerpt(const QString& text)
{
    return text.size() <= 24 ? text : text.left(24) + QStringLiteral("…");
}

// What the reader takes without complaint but the document cannot be made with: no title or
// two, a ** that was not read as bold, a picture in the middle of text or of a width that is not
// one.
void check(QTextDocument& document, QStringList& errors)
{
    QString title;
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.isEmpty())
            continue;
        const bool isTitle = block.blockFormat().headingLevel() == 1;
        if (first && !isTitle)
            errors.append(QStringLiteral("the document must begin with its title (# Title)"));
        else if (isTitle && !first)
            errors.append(QStringLiteral("a second title: %1").arg(text));
        else if (isTitle)
            title = text;
        first = false;
        // The reader takes ** for bold only where a bracket or a stop just inside it has a
        // space or another mark just outside: の**「灰色」**は and **です。**と keep their **.
        if (text.contains(QStringLiteral("**")))
            errors.append(QStringLiteral("a ** not read as bold (keep 「」、。 outside the "
                                         "bold, as in 「**words**」。): %1")
                              .arg(excerpt(text)));
        const std::optional<Picture> picture = pictureIn(block);
        if (picture && picture->widthPercent == 0)
            errors.append(QStringLiteral("the picture %1: its width is written \"60%\", from 1% "
                                         "to 100% of the text width")
                              .arg(picture->file));
        else if (!picture && text.contains(QChar::ObjectReplacementCharacter))
            errors.append(
                QStringLiteral("a picture stands alone in its paragraph: %1").arg(excerpt(text)));
    }
    if (first)
        errors.append(QStringLiteral("the document must begin with its title (# Title)"));
    document.setMetaInformation(QTextDocument::DocumentTitle, title);
}

} // namespace

SourceResult readSource(const QString& markdown)
{
    QString text = markdown;
    text.remove(QLatin1Char('\r'));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    SourceResult result;
    result.document = std::make_unique<QTextDocument>();
    result.document->setMarkdown(markJapaneseLineBreaks(text));
    joinJapaneseLines(*result.document);
    setColumnWidths(*result.document, text, result.errors);
    check(*result.document, result.errors);
    return result;
}

std::optional<Picture> pictureIn(const QTextBlock& block)
{
    std::optional<Picture> picture;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isImageFormat()) {
            if (!fragment.text().trimmed().isEmpty())
                return std::nullopt;
            continue;
        }
        if (picture)
            return std::nullopt;
        const QTextImageFormat image = format.toImageFormat();
        picture = Picture{image.name(), image.stringProperty(QTextFormat::ImageAltText).trimmed()};
        const QString width = image.stringProperty(QTextFormat::ImageTitle).trimmed();
        if (!width.isEmpty()) {
            static const QRegularExpression kPercent(QStringLiteral("^(\\d{1,3})%$"));
            const QRegularExpressionMatch match = kPercent.match(width);
            const int percent = match.hasMatch() ? match.captured(1).toInt() : 0;
            picture->widthPercent = percent <= 100 ? percent : 0;
        }
    }
    return picture;
}

QString documentText(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            texts.append(format.isImageFormat() ? format.stringProperty(QTextFormat::ImageAltText)
                                                : it.fragment().text());
        }
        texts.append(QStringLiteral("\n"));
    }
    return texts.join(QString());
}

} // namespace docs
