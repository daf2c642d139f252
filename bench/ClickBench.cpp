// What the teacher waits for on the strengths page over a content of 1,000,000 sentences, from the
// event through the filter to the updated sentence boxes and their repaint, on real widgets
// offscreen: a click on a category check box, and a keyword search. For the click a job type is
// chosen first, so every click runs the AND chain (checking: the job type's list narrowed by the
// box) or the job type's filter over the whole content again (unchecking); the search looks for a
// word most sentences hold.

#include "SyntheticContent.h"
#include "content/ContentNames.h"
#include "content/tessera.h"
#include "pages/CDlgTab02.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

constexpr std::size_t kRecords = 1000000;
constexpr int kManufacturing = 1066;  // job type, code 0
constexpr int kResponsibility = 1060; // check box, code 19

// The main window's part the page writes to: the keyword box 1121.
const platform::DialogTemplate kHostTemplate{
    900,
    {565, 440},
    {{1121, platform::ControlClass::Edit, platform::Border, {222, 3, 116, 18}, u""}}};

class Host : public platform::Dialog {
public:
    Host() : Dialog(kHostTemplate) { Create(); }
};

// The page over the content, made once for all benchmarks.
struct Bench {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "verdane-click";
    Host host;
    std::unique_ptr<CDlgTab02> page;

    Bench()
    {
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "content.zip").string();
        synth::writeContentFile(file, {std::string(content::kStrengthsContent)}, kRecords, true);
        KOVA_useContentFile(file.c_str());
        page = std::make_unique<CDlgTab02>(&host);
        page->Create();
        page->setGeometry(4, 36, 989, 630);
        page->show();
        host.show();
        QApplication::processEvents();
    }
    ~Bench()
    {
        KOVA_useContentFile(nullptr);
        std::filesystem::remove_all(folder);
    }
};

// Made at the first benchmark and gone before the application is: its widgets must not
// outlive the QApplication, which the benchmarks' main owns.
std::unique_ptr<Bench> theBench;

Bench& bench()
{
    if (!theBench) {
        theBench = std::make_unique<Bench>();
        qAddPostRoutine([] { theBench.reset(); });
    }
    return *theBench;
}

void ClickCategoryCheckBox(benchmark::State& state)
{
    CDlgTab02& page = *bench().page;
    QTest::mouseClick(page.control<QRadioButton>(kManufacturing), Qt::LeftButton);
    auto* box = page.control<QCheckBox>(kResponsibility);
    QApplication::processEvents();

    for (auto _ : state) {
        QTest::mouseClick(box, Qt::LeftButton);
        QApplication::processEvents(); // the repaint of the boxes and the count
    }
    state.counters["matches"] = page.matchList().matchCount;
}

void runSearch(benchmark::State& state, const std::u16string& keyword)
{
    CDlgTab02& page = *bench().page;
    page.SearchKeyword(keyword); // the readings are read at the first search
    for (auto _ : state) {
        page.SearchKeyword(keyword);
        QApplication::processEvents(); // the repaint of the boxes and the count
    }
    state.counters["matches"] = page.matchList().matchCount;
}

void SearchKeyword(benchmark::State& state)
{
    const QString common = QString::fromUtf8(synth::kCommonTerm.data(),
                                             static_cast<qsizetype>(synth::kCommonTerm.size()));
    runSearch(state, common.toStdU16String());
}

// The common keyword typed in kana, found by the readings.
void SearchKanaKeyword(benchmark::State& state)
{
    runSearch(state, std::u16string(synth::kCommonReading));
}

} // namespace

BENCHMARK(ClickCategoryCheckBox)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(SearchKeyword)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(SearchKanaKeyword)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
