// A keystroke in a draft of 2,000 characters, on real widgets offscreen: the character goes
// in, the length, the marks, the words a report must not carry and the second look are counted
// again, the text is laid into the form's box (of which it overflows four fifths), marked again
// and the window repainted. The draft is made of sample sentences, with marks of facts to fill
// in, endings in a row, one forbidden word and one vague word, in one paragraph (the case that
// marks the most text again per keystroke) and in paragraphs of one sentence each.
//
// The draft keeps its remarks in a store of its own here, filled as a homeroom teacher's is by
// the end of the summer (40 students of a class, three remarks each). A keystroke stores nothing
// itself: the keeper stores the gathered keystrokes a moment later, so the keystroke with its
// store write in the same turn of the event loop is measured as well, and the draft window
// opened over that store.

#include "content/ForbiddenWords.h"
#include "content/ReviewWords.h"
#include "draft/DraftWindow.h"
#include "store/RemarkStore.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
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

// A data folder for the benchmark's run, holding a store of one class of 40 students with three
// remarks each, the last of them the draft taken up when the window opens.
class ClassStore {
public:
    ClassStore() : saved_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
        store::RemarkStore::Opening opened = store::RemarkStore::open(store::defaultStorePath());
        const store::Id classId = opened.store->classFor(3, u"1").id;
        const std::u16string remark = draftText(QString()).left(300).toStdU16String();
        for (int number = 1; number <= 40; ++number) {
            const store::Id student = opened.store->studentFor(classId, number).id;
            for (const char16_t* field : {u"本人のアピールポイント・推薦事由等", u"特記事項"})
                opened.store->addRemark(student, field, remark);
            opened.store->addRemark(student, u"本人のアピールポイント・推薦事由等", remark);
        }
    }
    ~ClassStore() { qputenv("XDG_DATA_HOME", saved_); }

private:
    QTemporaryDir folder_;
    QByteArray saved_;
};

void TypeInDraft(benchmark::State& state, const QString& separator, bool storeEachKey = false)
{
    const ClassStore data;
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
        if (storeEachKey)
            window.nothingToLose(); // stores now what the keeper would a moment later
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

void OneParagraphStoredAtEachKey(benchmark::State& state)
{
    TypeInDraft(state, QString(), true);
}

// The draft window made and shown over the class's store, taking up the remark changed last.
void OpenDraftOverAClass(benchmark::State& state)
{
    const ClassStore data;
    for (auto _ : state) {
        draft::DraftWindow window(nullptr);
        window.show();
        QApplication::processEvents(); // the first paint
    }
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
BENCHMARK(OneParagraphStoredAtEachKey)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(OpenDraftOverAClass)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
