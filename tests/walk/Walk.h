#pragma once
// A random walk over the running main window: each step is one thing the teacher can do (a
// click, a typed keyword, a scroll request, a wheel turn, a tab switch...), done on the real
// widgets and on the model alike; after every step the whole window (the hidden pages
// included) must show what the model expects.

#include "Keywords.h"
#include "WindowDriver.h"
#include "WindowModel.h"

#include <cstdint>
#include <deque>
#include <random>
#include <set>
#include <string>

namespace walk {

class Walk {
public:
    Walk(CVerdaneDlg& window, testing_support::RecordingEffects& effects, const Contents& contents,
         std::uint64_t seed);

    // Walks the given number of steps more, or until the first difference; returns the report
    // of that difference, or an empty string.
    std::string run(int steps);
    int stepsWalked() const { return walked_; }

private:
    using StepFunction = std::string (Walk::*)();
    StepFunction chooseStep();

    // The report of a difference after a step, or an empty string. A difference in nothing
    // but where the keyboard focus is (and so whether the keyword box shows its placeholder) is
    // kept aside instead, and the model takes the focus as seen, so the walk goes on.
    std::string compare(const std::string& step, int number);
    std::string report(const std::string& step, int number, const std::string& found);

    // The steps; each acts on the window and on the model and says what it did.
    std::string typeAndSearch();
    std::string clickIntoKeywordBox();
    std::string searchAgain();
    std::string clearAll();
    std::string scrollRequest();
    std::string turnWheel();
    std::string clickBackground();
    std::string switchTab();
    std::string pressFilteredKey();
    std::string clickJobType();
    std::string clickStrengthsBox(bool enabled);
    std::string clickEnabledStrengthsBox() { return clickStrengthsBox(true); }
    std::string clickDisabledStrengthsBox() { return clickStrengthsBox(false); }
    std::string clickActivity();
    std::string clickClubBox(bool enabled);
    std::string clickEnabledClubBox() { return clickClubBox(true); }
    std::string clickDisabledClubBox() { return clickClubBox(false); }
    std::string clickLabel();
    std::string clickHeader();
    std::string clickField();
    std::string clickPanelBackground();
    std::string clickQualification();

    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    bool anyStrengthsBox(bool enabled) const;
    bool anyClubBox(bool enabled) const;
    void scrollModel(Request request, int thumb);

    WindowDriver driver_;
    WindowModel model_;
    OutsideLayout layout_;
    std::string documentFolder_;
    std::mt19937_64 random_;
    KeywordMaker keywords_;
    std::deque<std::string> recent_;
    int walked_ = 0;
    int focusDifferences_ = 0;
    std::set<std::string> focusKinds_;
    std::vector<std::string> focusReports_; // the first after each kind of step
    bool log_;                              // every step on the standard output, for a replay
};

} // namespace walk
