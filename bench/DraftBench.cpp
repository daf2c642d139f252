// A keystroke in a draft of 2,000 characters, on real widgets offscreen: the character goes
// in, the length, the marks, the words a report must not carry and the second look are counted
// again, the text is laid into the form's box (of which it overflows four fifths), marked again
// and the window repainted. The draft is made of sample sentences, with marks of facts to fill
// in, endings in a row, one forbidden word and one vague word, in one paragraph (the case that
// marks the most text again per keystroke) and in paragraphs of one sentence each.

#include "content/ForbiddenWords.h"
#include "content/ReviewWords.h"
#include "draft/DraftWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kDraftCharacters = 2000;

QString readFile(const char* path)
{
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Sample sentences, one after the other, until the draft holds kDraftCharacters.
QString draftText(const QString& separator)
{
    QString text;
    for (const QString& line : readFile(SAMPLE_SENTENCES).split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        text += line.mid(tab + 1) + separator;
        if (text.size() >= kDraftCharacters)
            break;
    }
    text.truncate(kDraftCharacters - 5);
    return text + QStringLiteral("家族様々な"); // one word of each list
}

void TypeInDraft(benchmark::State& state, const QString& separator)
{
    std::vector<content::ListProblem> problems;
    auto words = std::make_shared<const content::ForbiddenWords>(
        content::ForbiddenWords::parse(readFile(FORBIDDEN_WORDS).toStdString(), problems));
    auto review = std::make_shared<const content::ReviewWords>(
        content::ReviewWords::parse(readFile(REVIEW_WORDS).toStdString(), problems));
    draft::DraftWindow window(nullptr);
    window.setForbiddenWords(words);
    window.setReviewWords(review);
    window.textBox()->setPlainText(draftText(separator));
    window.show();
    window.textBox()->setFocus();
    window.textBox()->moveCursor(QTextCursor::Start);
    QApplication::processEvents();

    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("あ"));
        QApplication::sendEvent(window.textBox(), &press);
        QApplication::processEvents(); // the repaint
    }
    state.counters["characters"] = static_cast<double>(window.text().size());
}

void OneParagraph(benchmark::State& state)
{
    TypeInDraft(state, QString());
}

void ParagraphPerSentence(benchmark::State& state)
{
    TypeInDraft(state, QStringLiteral("\n"));
}

} // namespace

BENCHMARK(OneParagraph)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(ParagraphPerSentence)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
