#include "Walk.h"

#include "WindowIds.h"
#include "app/CVerdaneDlg.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

namespace walk {

namespace {

const std::array<std::string, 3> kPageNames = {"strengths", "in-school", "outside"};

} // namespace

Walk::Walk(CVerdaneDlg& window, testing_support::RecordingEffects& effects,
           const Contents& contents, std::uint64_t seed)
    : driver_(window, effects), model_(contents), layout_(driver_.measureOutsideLayout()),
      documentFolder_(QCoreApplication::applicationDirPath().toStdString()), random_(seed),
      keywords_(contents, random_), log_(std::getenv("VERDANE_WALK_LOG") != nullptr)
{
}

std::string Walk::run(int steps)
{
    driver_.letEventsRun();
    std::string report = walked_ == 0 ? compare("the window as it opens", 0) : std::string();
    const int last = walked_ + steps;
    for (int number = walked_ + 1; report.empty() && number <= last; ++number) {
        std::string description;
        try {
            description = (this->*chooseStep())();
        } catch (const std::logic_error& broken) {
            report = "at step " + std::to_string(number) +
                     " the model met a case its rules rule out: " + broken.what() + "\n";
            break;
        }
        // The window is compared as the teacher sees it: after the events the step posted ran.
        driver_.letEventsRun();
        walked_ = number;
        if (log_)
            std::cout << number << ": " << printable(description) << "\n";
        // A step after which the rules leave the focus to the window system: take it as seen.
        if (model_.keywordBox.focusOpen) {
            const bool seen = driver_.keywordBoxHasFocus();
            if (model_.keywordBox.focused && !seen)
                model_.keywordBox.focusOut();
            else if (!model_.keywordBox.focused && seen)
                model_.keywordBox.focusIn();
            model_.keywordBox.focusOpen = false;
        }
        report = compare(description, number);
        recent_.push_back(std::to_string(number) + ": " + description);
        if (recent_.size() > 15)
            recent_.pop_front();
    }
    if (focusDifferences_ > 0) {
        report += "the keyboard focus went elsewhere than the rules say " +
                  std::to_string(focusDifferences_) +
                  " times; the first after each kind of step:\n";
        for (const std::string& focus : focusReports_)
            report += focus;
    }
    return report;
}

Walk::StepFunction Walk::chooseStep()
{
    std::vector<std::pair<int, StepFunction>> choices = {
        {9, &Walk::typeAndSearch},   {2, &Walk::clickIntoKeywordBox}, {2, &Walk::searchAgain},
        {3, &Walk::clearAll},        {14, &Walk::scrollRequest},      {7, &Walk::turnWheel},
        {4, &Walk::clickBackground}, {6, &Walk::switchTab},           {2, &Walk::pressFilteredKey},
    };
    if (model_.tab == 0) {
        choices.push_back({12, &Walk::clickJobType});
        if (anyStrengthsBox(true))
            choices.push_back({22, &Walk::clickEnabledStrengthsBox});
        if (anyStrengthsBox(false))
            choices.push_back({5, &Walk::clickDisabledStrengthsBox});
    } else if (model_.tab == 1) {
        choices.push_back({7, &Walk::clickActivity});
        if (anyClubBox(true))
            choices.push_back({22, &Walk::clickEnabledClubBox});
        if (anyClubBox(false))
            choices.push_back({5, &Walk::clickDisabledClubBox});
        choices.push_back({6, &Walk::clickLabel});
    } else {
        choices.push_back({12, &Walk::clickHeader});
        if (model_.outside.openGroup != 0) {
            choices.push_back({20, &Walk::clickField});
            choices.push_back({2, &Walk::clickPanelBackground});
        }
        choices.push_back({1, &Walk::clickQualification});
    }
    int total = 0;
    for (const auto& choice : choices)
        total += choice.first;
    int roll = static_cast<int>(pick(static_cast<std::size_t>(total)));
    for (const auto& [weight, function] : choices) {
        if (roll < weight)
            return function;
        roll -= weight;
    }
    return choices.front().second;
}

std::string Walk::compare(const std::string& step, int number)
{
    const Snapshot expected = expectedSnapshot(model_, layout_, documentFolder_);
    const Snapshot seen = driver_.observe();
    const std::string found = differences(expected, seen);
    if (found.empty())
        return std::string();
    // The expected window with the keyword box as seen: if that is all that differs, the focus
    // went astray and nothing else did.
    Snapshot focusAsSeen = expected;
    for (auto& [name, value] : focusAsSeen) {
        // The binding is captured by an initializer: clang before 16 captures none implicitly.
        if (name == "keyword box" || name == "keyword box has the focus")
            value = std::find_if(seen.begin(), seen.end(), [&name = name](const auto& field) {
                        return field.first == name;
                    })->second;
    }
    const bool focusMoved = found.find("keyword box has the focus") != std::string::npos;
    if (!focusMoved || !differences(focusAsSeen, seen).empty())
        return report(step, number, found);
    // One report for each kind of step, numbers left out of the kind.
    std::string kind;
    for (const char c : step.substr(0, step.find('"'))) {
        if (c < '0' || c > '9')
            kind += c;
    }
    if (focusKinds_.insert(kind).second)
        focusReports_.push_back(report(step, number, found));
    ++focusDifferences_;
    model_.keywordBox.focused = driver_.keywordBoxHasFocus();
    model_.keywordBox.text = driver_.keywordBox()->text().toStdU16String();
    return std::string();
}

std::string Walk::report(const std::string& step, int number, const std::string& found)
{
    std::string text = "after step " + std::to_string(number) + " (" + printable(step) +
                       ") the window differs from the model:\n" + found +
                       "  (the keyboard focus is on " + driver_.focusHolder() + ")\n" +
                       "the steps before it:\n";
    for (const std::string& before : recent_)
        text += "  " + printable(before) + "\n";
    return text;
}

// ---- steps on every page ----

std::string Walk::typeAndSearch()
{
    const Text typed = keywords_.next();
    // Mostly over what the box holds; now and then after it, which shows whether the
    // placeholder gave way when the box took the focus.
    const bool replace = pick(4) != 0;
    driver_.typeKeyword(typed, replace);
    model_.typeKeyword(typed, replace);
    const bool byButton = pick(5) < 2;
    if (byButton) {
        driver_.click(driver_.searchButton());
        model_.clickSearchButton();
    } else {
        driver_.key(driver_.keywordBox(), Qt::Key_Return);
        model_.pressEnterInKeywordBox();
    }
    return std::string(replace ? "type \"" : "add \"") + utf8(typed) +
           "\" into the keyword box, then " + (byButton ? "click 検索" : "press Enter");
}

std::string Walk::clickIntoKeywordBox()
{
    driver_.click(driver_.keywordBox());
    model_.clickIntoKeywordBox();
    return "click into the keyword box";
}

std::string Walk::searchAgain()
{
    driver_.click(driver_.searchButton());
    model_.clickSearchButton();
    return "click 検索 with the keyword box as it is";
}

std::string Walk::clearAll()
{
    driver_.click(driver_.control(model_.tab, ids::kClearAll));
    if (model_.tab == 0)
        model_.strengths.clickClearAll();
    else if (model_.tab == 1)
        model_.inSchool.clickClearAll();
    else
        model_.outside.clickClearAll();
    return "click 全てのチェックを解除 on the " + kPageNames[static_cast<std::size_t>(model_.tab)] +
           " page";
}

void Walk::scrollModel(Request request, int thumb)
{
    if (model_.tab == 0)
        model_.strengths.scroll(request, thumb);
    else if (model_.tab == 1)
        model_.inSchool.scroll(request, thumb);
    else
        model_.outside.scroll(request, thumb);
}

std::string Walk::scrollRequest()
{
    const int page = model_.tab;
    QScrollBar* bar = driver_.scrollBar(page);
    const DisplayModel& display = page == 0   ? model_.strengths.display
                                  : page == 1 ? model_.inSchool.display
                                              : model_.outside.display;
    const std::size_t kind = pick(12);
    if (kind < 9) {
        const auto request = static_cast<Request>(kind);
        driver_.scroll(page, request);
        if (request == Request::ThumbPosition) {
            // Letting go of the thumb reports its position, then the end of the scrolling.
            scrollModel(Request::ThumbPosition, display.position);
            scrollModel(Request::EndScroll, 0);
        } else {
            scrollModel(request, display.position); // a thumb track where the thumb is
        }
        return std::string("scroll request ") + nameOf(request);
    }
    if (kind == 9) {
        const int to = static_cast<int>(pick(static_cast<std::size_t>(display.rangeMax) + 3)) - 1;
        driver_.dragThumb(page, to);
        scrollModel(Request::ThumbTrack, std::clamp(to, 0, display.rangeMax));
        scrollModel(Request::ThumbPosition, display.position);
        scrollModel(Request::EndScroll, 0);
        return "drag the thumb to " + std::to_string(to) + " and let it go";
    }
    // A key on the scroll bar; an unusable bar takes no keys, and has nothing to move either.
    static const std::array<std::pair<Qt::Key, Request>, 6> kKeys = {{
        {Qt::Key_Up, Request::LineUp},
        {Qt::Key_Down, Request::LineDown},
        {Qt::Key_PageUp, Request::PageUp},
        {Qt::Key_PageDown, Request::PageDown},
        {Qt::Key_Home, Request::Top},
        {Qt::Key_End, Request::Bottom},
    }};
    const auto& [key, request] = kKeys[pick(kKeys.size())];
    driver_.key(bar, key);
    if (display.barEnabled)
        scrollModel(request, 0);
    return std::string("a key on the scroll bar: ") + nameOf(request);
}

std::string Walk::turnWheel()
{
    static const std::array<int, 8> kDeltas = {-120, 120, -360, 240, -1, 1, -15, 15};
    const int delta = kDeltas[pick(kDeltas.size())];
    const int page = model_.tab;
    std::vector<std::pair<std::string, QWidget*>> targets = {
        {"the page", &driver_.page(page)},
        {"the scroll bar", driver_.scrollBar(page)},
        {"result box 2", driver_.control(page, 1039)},
        {"result box 1's text", driver_.page(page).control<QPlainTextEdit>(1038)->viewport()},
    };
    if (page == 0)
        targets.push_back({"a check box", driver_.control(0, ids::kStrengthsBoxes[pick(17)])});
    if (page == 1)
        targets.push_back({"a club box", driver_.control(1, ids::kClubBoxes[pick(18)])});
    if (page == 2 && model_.outside.openGroup != 0)
        targets.push_back({"the open panel", &driver_.panel(model_.outside.openGroup)});
    const auto& [name, target] = targets[pick(targets.size())];
    driver_.wheel(target, delta);
    if (page == 0)
        model_.strengths.wheel(delta);
    else if (page == 1)
        model_.inSchool.wheel(delta);
    else
        model_.outside.wheel(delta);
    return "turn the wheel by " + std::to_string(delta) + " over " + name;
}

std::string Walk::clickBackground()
{
    const int page = model_.tab;
    std::string where;
    if (pick(4) == 0) {
        // A text that reports no clicks lets them through to the page.
        const int id = pick(2) == 0 ? ids::kCountLabel : ids::kCountCaption;
        driver_.click(driver_.control(page, id));
        where = "on label " + std::to_string(id);
    } else {
        const QPoint at = driver_.backgroundPoint(page, static_cast<unsigned>(random_()));
        if (at.isNull())
            return switchTab();
        driver_.click(&driver_.page(page), at);
        where = "at " + pointText(at);
    }
    if (page == 0)
        model_.strengths.clickBackground();
    else if (page == 1)
        model_.inSchool.clickBackground();
    else
        model_.outside.clickBackground();
    return "click the " + kPageNames[static_cast<std::size_t>(page)] + " page's background " +
           where;
}

std::string Walk::switchTab()
{
    const int index = static_cast<int>(pick(3));
    driver_.clickTab(index);
    model_.selectTab(index);
    return "click tab " + std::to_string(index);
}

std::string Walk::pressFilteredKey()
{
    static const std::array<std::pair<Qt::Key, const char*>, 4> kKeys = {{
        {Qt::Key_Return, "Enter"},
        {Qt::Key_Enter, "Enter (keypad)"},
        {Qt::Key_Escape, "Escape"},
        {Qt::Key_Backspace, "Backspace"},
    }};
    const int page = model_.tab;
    std::vector<std::pair<std::string, QWidget*>> targets = {
        {"result box 1", driver_.control(page, 1037)},
        {"the clear-all button", driver_.control(page, ids::kClearAll)},
    };
    if (page == 0)
        targets.push_back(
            {"a job type", driver_.control(0, ids::kFirstJobType + static_cast<int>(pick(10)))});
    if (page == 1)
        targets.push_back(
            {"an activity", driver_.control(1, ids::kFirstActivity + static_cast<int>(pick(4)))});
    if (page == 2 && model_.outside.openGroup != 0)
        targets.push_back({"a field", driver_.field(model_.outside.openGroup, 0)});
    const auto& [key, keyName] = kKeys[pick(kKeys.size())];
    const auto& [name, target] = targets[pick(targets.size())];
    // Keys go to the control that has the focus: the walk moves it there first, as the Tab key
    // would, and so out of the keyword box.
    target->setFocus(Qt::TabFocusReason);
    model_.keywordBox.focusOut();
    driver_.key(target, key);
    return std::string("press ") + keyName + " on " + name;
}

// ---- strengths ----

bool Walk::anyStrengthsBox(bool enabled) const
{
    for (const bool usable : model_.strengths.enabled) {
        if (usable == enabled)
            return true;
    }
    return false;
}

std::string Walk::clickJobType()
{
    const int index = static_cast<int>(pick(10));
    driver_.click(driver_.button(0, ids::kFirstJobType + index));
    model_.strengths.clickJobType(index);
    return "click job type " + std::to_string(ids::kFirstJobType + index);
}

std::string Walk::clickStrengthsBox(bool enabled)
{
    std::vector<int> candidates;
    for (int k = 0; k < 17; ++k) {
        if (model_.strengths.enabled[static_cast<std::size_t>(k)] == enabled)
            candidates.push_back(k);
    }
    const int k = candidates[pick(candidates.size())];
    const int id = ids::kStrengthsBoxes[static_cast<std::size_t>(k)];
    driver_.click(driver_.button(0, id));
    model_.strengths.clickCheckBox(k);
    return "click " + std::string(enabled ? "" : "disabled ") + "strengths check box " +
           std::to_string(id);
}

// ---- in-school ----

bool Walk::anyClubBox(bool enabled) const
{
    for (const bool usable : model_.inSchool.enabled) {
        if (usable == enabled)
            return true;
    }
    return false;
}

std::string Walk::clickActivity()
{
    const int index = static_cast<int>(pick(4));
    driver_.click(driver_.button(1, ids::kFirstActivity + index));
    model_.inSchool.clickActivity(index);
    return "click activity " + std::to_string(ids::kFirstActivity + index);
}

std::string Walk::clickClubBox(bool enabled)
{
    std::vector<int> candidates;
    for (int p = 0; p < 18; ++p) {
        if (model_.inSchool.enabled[static_cast<std::size_t>(p)] == enabled)
            candidates.push_back(p);
    }
    const int p = candidates[pick(candidates.size())];
    const int id = ids::kClubBoxes[static_cast<std::size_t>(p)];
    driver_.click(driver_.button(1, id));
    model_.inSchool.clickClubBox(p);
    return "click " + std::string(enabled ? "" : "disabled ") + "club box " + std::to_string(id);
}

std::string Walk::clickLabel()
{
    const ids::BoxLabels& labels = ids::kBoxLabels[pick(2)];
    // The teacher clicks where the caption shows: the label, or the grey label in its place.
    const bool usable = model_.inSchool.enabled[static_cast<std::size_t>(labels.position)];
    const int id = usable ? labels.label : labels.greyLabel;
    driver_.click(driver_.control(1, id));
    model_.inSchool.clickLabel(labels.position);
    return "click " + std::string(usable ? "label " : "grey label ") + std::to_string(id);
}

// ---- outside ----

std::string Walk::clickHeader()
{
    const int group = 11 + static_cast<int>(pick(3));
    driver_.click(driver_.control(2, ids::kHeaders[static_cast<std::size_t>(group - 11)]));
    model_.outside.clickHeader(group);
    return "click the header of group " + std::to_string(group);
}

std::string Walk::clickField()
{
    const int group = model_.outside.openGroup;
    const int index = static_cast<int>(pick(static_cast<std::size_t>(
        OutsideModel::kFieldCounts[static_cast<std::size_t>(group - 11)])));
    driver_.click(driver_.field(group, index));
    model_.outside.clickField(group, index);
    return "click field " + std::to_string(ids::kFirstField + index) + " of group " +
           std::to_string(group);
}

std::string Walk::clickPanelBackground()
{
    platform::Dialog& panel = driver_.panel(model_.outside.openGroup);
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int x = static_cast<int>(pick(static_cast<std::size_t>(panel.width())));
        const int y = static_cast<int>(pick(static_cast<std::size_t>(panel.height())));
        const QPoint at(x, y);
        if (!panel.childAt(at)) {
            driver_.click(&panel, at);
            // The panel keeps a click on its own background to itself.
            return "click the background of panel " + std::to_string(model_.outside.openGroup) +
                   " at " + pointText(at);
        }
    }
    return clickHeader();
}

std::string Walk::clickQualification()
{
    const ids::Qualification& button = ids::kQualifications[pick(ids::kQualifications.size())];
    driver_.click(driver_.control(2, button.id));
    model_.clickQualification("/PDF/license" + std::to_string(button.list) + ".pdf");
    return "click qualification button " + std::to_string(button.id);
}

} // namespace walk
