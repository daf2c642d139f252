// A click on a category check box of the strengths page, through the filter to the updated
// sentence boxes and their repaint, on a content of 100,000 sentences, on real widgets
// offscreen. A job type is chosen first, so every click runs the AND chain over the whole
// content (checking) or the job type's filter again (unchecking).

#include "SyntheticContent.h"
#include "content/ContentNames.h"
#include "content/tessera.h"
#include "pages/CDlgTab02.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr std::size_t kRecords = 100000;
constexpr int kManufacturing = 1066; // job type, code 0
constexpr int kResponsibility = 1060; // check box, code 19

// The main window's part the page writes to: the keyword box 1121.
const platform::DialogTemplate kHostTemplate{
    900, {565, 440}, {{1121, platform::ControlClass::Edit, platform::Border, {222, 3, 116, 18}, u""}}};

class Host : public platform::Dialog {
public:
    Host() : Dialog(kHostTemplate) { Create(); }
};

void ClickCategoryCheckBox(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "verdane-click";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "content.zip").string();
    synth::writeContentFile(file, {std::string(content::kStrengthsContent)}, kRecords);
    KOVA_useContentFile(file.c_str());

    Host host;
    CDlgTab02 page(&host);
    page.Create();
    page.setGeometry(4, 36, 989, 630);
    page.show();
    host.show();
    QTest::mouseClick(page.control<QRadioButton>(kManufacturing), Qt::LeftButton);
    auto* box = page.control<QCheckBox>(kResponsibility);
    QApplication::processEvents();

    for (auto _ : state) {
        QTest::mouseClick(box, Qt::LeftButton);
        QApplication::processEvents(); // the repaint of the boxes and the count
    }
    state.counters["matches"] = page.matchList().matchCount;
    KOVA_useContentFile(nullptr);
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(ClickCategoryCheckBox)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
