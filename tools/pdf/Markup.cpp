#include "Markup.h"

#include <QRegularExpression>
#include <algorithm>

namespace docs
{

namespace
{

using Kind = Block::Kind;

const QRegularExpression kNumberedItem(QStringLiteral("^\\d+\\. (.*)$"));
const QRegularExpression kPicture(QStringLiteral("^!\\[(.*)\\]\\((\\S+)(?:\\s+(\\d+)%)?\\)$"));
const QRegularExpression kWidthCell(QStringLiteral("^-+$"));
const QRegularExpression kBareHeading(QStringLiteral("^#{1,3}$"));

QStringList textsOf(const Block& block)
{
    QStringList texts;
    if (!block.text.isEmpty())
        texts.append(block.text);
    texts.append(block.items);
    for (const QStringList& row : block.rows)
        texts.append(row);
    return texts;
}

class Parser
{
public:
    ParseResult run(const QString& source)
    {
        const QStringList lines = source.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            lineNumber = i + 1;
            readLine(lines[i]);
        }
        closeBlock();
        check();
        return std::move(result);
    }

private:
    void readLine(QString line)
    {
        while (!line.isEmpty() && line.back().isSpace())
            line.chop(1);
        if (line.startsWith(QLatin1Char('%')))
            return;
        if (line.isEmpty()) {
            closeBlock();
            return;
        }
        if (line.startsWith(QStringLiteral("  ")) && open && continues(open->kind)) {
            appendToOpen(line.trimmed());
            return;
        }
        line = line.trimmed();
        if (kBareHeading.match(line).hasMatch())
            error(QStringLiteral("a heading without text"));
        else if (line.startsWith(QStringLiteral("### ")))
            addHeading(Kind::Subheading, line.mid(4));
        else if (line.startsWith(QStringLiteral("## ")))
            addHeading(Kind::Heading, line.mid(3));
        else if (line.startsWith(QStringLiteral("# ")))
            addHeading(Kind::Title, line.mid(2));
        else if (line.startsWith(QStringLiteral("- ")))
            addItem(Kind::Bullets, line.mid(2));
        else if (const auto numbered = kNumberedItem.match(line); numbered.hasMatch())
            addItem(Kind::Numbered, numbered.captured(1));
        else if (line.startsWith(QStringLiteral("> ")))
            addText(Kind::Note, line.mid(2));
        else if (line.startsWith(QLatin1Char('|')))
            addTableRow(line);
        else if (line.startsWith(QStringLiteral("![")))
            addPicture(line);
        else
            addText(Kind::Paragraph, line);
    }

    static bool continues(Kind kind)
    {
        return kind == Kind::Paragraph || kind == Kind::Note || kind == Kind::Bullets ||
               kind == Kind::Numbered;
    }

    void appendToOpen(const QString& text)
    {
        if (open->kind == Kind::Bullets || open->kind == Kind::Numbered)
            open->items.back() += text;
        else
            open->text += text;
    }

    Block& startBlock(Kind kind)
    {
        closeBlock();
        Block block;
        block.kind = kind;
        block.line = lineNumber;
        result.document.blocks.push_back(block);
        open = &result.document.blocks.back();
        return *open;
    }

    void closeBlock() { open = nullptr; }

    void addHeading(Kind kind, const QString& text)
    {
        startBlock(kind).text = text.trimmed();
        closeBlock();
    }

    void addItem(Kind kind, const QString& text)
    {
        if (!open || open->kind != kind)
            startBlock(kind);
        open->items.append(text.trimmed());
    }

    void addText(Kind kind, const QString& text)
    {
        if (open && open->kind == kind)
            open->text += text;
        else
            startBlock(kind).text = text;
    }

    void addTableRow(const QString& line)
    {
        if (!line.endsWith(QLatin1Char('|')) || line.size() < 2) {
            error(QStringLiteral("a table row must end with |"));
            return;
        }
        QStringList cells = line.mid(1, line.size() - 2).split(QLatin1Char('|'));
        for (QString& cell : cells)
            cell = cell.trimmed();
        const bool widthRow = std::all_of(cells.cbegin(), cells.cend(), [](const QString& c) {
            return kWidthCell.match(c).hasMatch();
        });
        if (!open || open->kind != Kind::Table) {
            if (widthRow) {
                error(QStringLiteral("column widths belong right under a table's header"));
                return;
            }
            startBlock(Kind::Table);
        } else if (widthRow) {
            if (open->rows.size() != 1 || !open->columnWeights.isEmpty()) {
                error(QStringLiteral("column widths belong right under a table's header"));
                return;
            }
        }
        if (!open->rows.isEmpty() && cells.size() != open->rows.front().size()) {
            error(QStringLiteral("a row of %1 cells in a table of %2 columns")
                      .arg(cells.size())
                      .arg(open->rows.front().size()));
            return;
        }
        if (widthRow) {
            for (const QString& cell : cells)
                open->columnWeights.append(static_cast<int>(cell.size()));
        } else {
            open->rows.append(cells);
        }
    }

    void addPicture(const QString& line)
    {
        const auto match = kPicture.match(line);
        if (!match.hasMatch()) {
            error(QStringLiteral("a picture is written ![caption](file.png) or "
                                 "![caption](file.png 60%)"));
            return;
        }
        Block& picture = startBlock(Kind::Picture);
        picture.text = match.captured(1).trimmed();
        picture.file = match.captured(2);
        if (match.hasCaptured(3)) {
            picture.widthPercent = match.captured(3).toInt();
            if (picture.widthPercent < 1 || picture.widthPercent > 100)
                error(QStringLiteral("a picture's width is 1% to 100% of the text width"));
        }
        closeBlock();
    }

    void check()
    {
        auto& blocks = result.document.blocks;
        int titles = 0;
        for (const Block& block : blocks) {
            if (block.kind == Kind::Title && ++titles > 1)
                errorAt(block.line, QStringLiteral("a second title"));
            for (const QString& text : textsOf(block)) {
                if (text.count(QStringLiteral("**")) % 2 != 0)
                    errorAt(block.line, QStringLiteral("a ** without its closing **"));
            }
        }
        if (blocks.empty() || blocks.front().kind != Kind::Title)
            errorAt(1, QStringLiteral("the document must begin with its title (# Title)"));
        else
            result.document.title = blocks.front().text;
    }

    void error(const QString& what) { errorAt(lineNumber, what); }
    void errorAt(int line, const QString& what)
    {
        result.errors.append(QStringLiteral("line %1: %2").arg(line).arg(what));
    }

    ParseResult result;
    Block* open = nullptr;
    int lineNumber = 0;
};

} // namespace

ParseResult parseMarkup(const QString& source)
{
    QString text = source;
    text.remove(QLatin1Char('\r'));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return Parser().run(text);
}

QStringList boldRuns(const QString& text)
{
    return text.split(QStringLiteral("**"));
}

QStringList allTexts(const Document& document)
{
    QStringList texts;
    for (const Block& block : document.blocks)
        texts.append(textsOf(block));
    return texts;
}

} // namespace docs
