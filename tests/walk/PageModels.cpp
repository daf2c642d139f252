#include "PageModels.h"

namespace walk {

namespace {

// A click on the page background with more matches than boxes gives the keyboard focus to the
// scroll bar; with fewer the bar is set to 0..0 and made unusable.
void focusBarOrDisable(DisplayModel& display, KeywordBoxModel& keywordBox)
{
    if (display.pages())
        keywordBox.focusOut();
    else
        display.disableBar();
}

void wheelOn(DisplayModel& display, int delta, bool& filled, int& position)
{
    filled = false;
    if (display.barEnabled)
        position = display.scroll(delta < 0 ? Request::LineDown : Request::LineUp, 0, filled);
}

} // namespace

// ---- strengths ----

StrengthsModel::StrengthsModel(const Content& content, KeywordBoxModel& keywordBox)
    : content_(content), keywordBox_(keywordBox)
{
    enabled.fill(true);
}

void StrengthsModel::clickJobType(int index)
{
    keywordBox_.focusOut(); // the radio button takes the focus
    jobType = index;
    applyJobType();
}

void StrengthsModel::clickCheckBox(int k)
{
    if (!enabled[static_cast<std::size_t>(k)])
        return; // an unusable box changes nothing
    keywordBox_.focusOut();
    checked[static_cast<std::size_t>(k)] = !checked[static_cast<std::size_t>(k)];
    applyCategoryChecks();
}

void StrengthsModel::clickClearAll()
{
    keywordBox_.focusOut();
    resetPage(true);
    keywordBox_.text = kPlaceholder;
}

void StrengthsModel::clickBackground()
{
    focusBarOrDisable(display, keywordBox_);
}

void StrengthsModel::search(const Text& keyword)
{
    const Text kept = trimmed(keyword);
    resetPage(true);
    keywordBox_.text = kept;
    display.showFirst(keywordMatches({&content_}, kept, keywordBox_.synonyms));
}

void StrengthsModel::scroll(Request request, int thumb)
{
    bool filled = false;
    display.scroll(request, thumb, filled);
}

void StrengthsModel::wheel(int delta)
{
    bool filled = false;
    int position = 0;
    wheelOn(display, delta, filled, position);
}

void StrengthsModel::applyCategoryChecks()
{
    std::vector<int> codes;
    if (jobType >= 0)
        codes.push_back(jobType);
    for (int k = 0; k < 17; ++k) {
        if (checked[static_cast<std::size_t>(k)])
            codes.push_back(10 + k);
    }
    if (codes.empty() || (codes.size() == 1 && codes[0] == jobType)) {
        // Only the job type, or nothing, is chosen: its own result, or an empty page.
        resetPage(false);
        if (jobType >= 0)
            applyJobType();
    } else {
        display.showFirst(markedAtAll(content_, codes));
        enableOccurring();
    }
    focusBarOrDisable(display, keywordBox_);
    keywordBox_.text = kPlaceholder;
}

void StrengthsModel::applyJobType()
{
    checked.fill(false);
    enabled.fill(true);
    display.showFirst(markedAtAll(content_, {jobType}));
    enableOccurring(); // a job type alone narrows the boxes as well
    keywordBox_.text = kPlaceholder;
}

void StrengthsModel::resetPage(bool clearJobType)
{
    if (clearJobType)
        jobType = -1;
    checked.fill(false);
    enabled.fill(true);
    display.reset();
}

void StrengthsModel::enableOccurring()
{
    enabled.fill(false);
    for (const Record& match : display.matches()) {
        for (int k = 0; k < 17; ++k) {
            if (marks(match.flags, 10 + k))
                enabled[static_cast<std::size_t>(k)] = true;
        }
    }
}

// ---- in-school ----

InSchoolModel::InSchoolModel(const Contents& contents, KeywordBoxModel& keywordBox)
    : contents_(contents), keywordBox_(keywordBox)
{
    enabled.fill(true);
}

void InSchoolModel::clickActivity(int index)
{
    keywordBox_.focusOut();
    activity = index;
    checked.fill(false);
    enabled.fill(true); // the boxes belong to the club content: nothing narrows them here
    const Content& content = contents_[index < 2 ? SchoolEvents : InSchool];
    display.showFirst(markedAtAll(content, {index % 2}));
    keywordBox_.text = kPlaceholder;
}

void InSchoolModel::clickClubBox(int p)
{
    if (!enabled[static_cast<std::size_t>(p)])
        return; // an unusable box changes nothing
    keywordBox_.focusOut();
    checked[static_cast<std::size_t>(p)] = !checked[static_cast<std::size_t>(p)];
    applyCategoryChecks();
}

void InSchoolModel::clickLabel(int p)
{
    // The label shows only while its box is usable; in its place the grey label reports no
    // click. The label itself never takes the focus.
    if (!enabled[static_cast<std::size_t>(p)]) {
        clickBackground();
        return;
    }
    checked[static_cast<std::size_t>(p)] = !checked[static_cast<std::size_t>(p)];
    applyCategoryChecks();
}

void InSchoolModel::clickClearAll()
{
    keywordBox_.focusOut();
    activity = -1;
    checked.fill(false);
    enabled.fill(true);
    display.reset();
    keywordBox_.text = kPlaceholder;
}

void InSchoolModel::clickBackground()
{
    focusBarOrDisable(display, keywordBox_);
}

void InSchoolModel::search(const Text& keyword)
{
    const Text kept = trimmed(keyword);
    activity = -1;
    checked.fill(false);
    enabled.fill(true);
    display.reset();
    keywordBox_.text = kept;
    display.showFirst(
        keywordMatches({&contents_[SchoolEvents], &contents_[InSchool], &contents_[Clubs]}, kept,
                       keywordBox_.synonyms));
}

void InSchoolModel::scroll(Request request, int thumb)
{
    bool filled = false;
    display.scroll(request, thumb, filled);
}

void InSchoolModel::wheel(int delta)
{
    bool filled = false;
    int position = 0;
    wheelOn(display, delta, filled, position);
}

void InSchoolModel::applyCategoryChecks()
{
    const std::array<bool, 18> checkedAtClick = checked;
    std::vector<int> positions;
    for (int p = 0; p < 18; ++p) {
        if (checked[static_cast<std::size_t>(p)])
            positions.push_back(p);
    }
    if (positions.empty()) {
        activity = -1; // the clear-all
        enabled.fill(true);
        display.reset();
    } else {
        display.showFirst(markedAtAll(contents_[Clubs], positions));
        enableOccurring(checkedAtClick);
    }
    activity = -1;
    focusBarOrDisable(display, keywordBox_);
    keywordBox_.text = kPlaceholder;
}

void InSchoolModel::enableOccurring(const std::array<bool, 18>& checkedAtClick)
{
    enabled.fill(false);
    for (const Record& match : display.matches()) {
        for (int p = 0; p < 18; ++p) {
            if (marks(match.flags, p))
                enabled[static_cast<std::size_t>(p)] = true;
        }
    }
    // While one "その他" is checked the other cannot be chosen, whatever the matches hold.
    const bool cultureOther = checkedAtClick[5];
    const bool sportsOther = checkedAtClick[15];
    if (cultureOther || sportsOther) {
        enabled[5] = cultureOther;
        enabled[15] = sportsOther;
    }
}

// ---- outside ----

OutsideModel::OutsideModel(const Contents& contents, KeywordBoxModel& keywordBox)
    : contents_(contents), keywordBox_(keywordBox)
{
}

void OutsideModel::clickHeader(int group)
{
    currentGroup = group;
    openGroup = group;
    runGroupFilter(group, false);
}

void OutsideModel::clickField(int group, int index)
{
    keywordBox_.focusOut();
    field[static_cast<std::size_t>(group - 11)] = index;
    runGroupFilter(group, true);
}

void OutsideModel::clickClearAll()
{
    keywordBox_.focusOut();
    display.reset();
    field = {-1, -1, -1};
    openGroup = 0;
    savedPosition = {0, 0, 0};
    keywordBox_.text = kPlaceholder;
}

void OutsideModel::clickBackground()
{
    // The focus goes to the scroll bar whatever the number of matches; whether an unusable bar
    // can take it is the window system's affair.
    if (display.barEnabled)
        keywordBox_.focusOut();
    else
        keywordBox_.focusOpen = true;
}

void OutsideModel::search(const Text& keyword)
{
    const Text kept = trimmed(keyword);
    display.reset();
    field = {-1, -1, -1};
    openGroup = 0;
    savedPosition = {0, 0, 0};
    keywordBox_.text = kept;
    show(keywordMatches({&contents_[Outside], &contents_[FutureWork], &contents_[Volunteer]}, kept,
                        keywordBox_.synonyms));
}

void OutsideModel::scroll(Request request, int thumb)
{
    bool filled = false;
    const int position = display.scroll(request, thumb, filled);
    if (filled && saved())
        *saved() = position;
}

void OutsideModel::wheel(int delta)
{
    bool filled = false;
    int position = 0;
    wheelOn(display, delta, filled, position);
    if (filled && saved())
        *saved() = position;
}

void OutsideModel::runGroupFilter(int group, bool resetPosition)
{
    if (resetPosition && saved())
        *saved() = 0;
    const int chosen = field[static_cast<std::size_t>(group - 11)];
    if (chosen == -1)
        return; // nothing chosen in the group: the previous result stays
    static constexpr std::array<ContentIndex, 3> kGroupContent = {Outside, FutureWork, Volunteer};
    show(markedAtAll(contents_[kGroupContent[static_cast<std::size_t>(group - 11)]], {chosen}));
    keywordBox_.text = kPlaceholder;
}

void OutsideModel::show(Content found)
{
    const bool pages = static_cast<int>(found.size()) > display.boxesPerPage();
    const int first = pages && saved() && *saved() > 0 ? *saved() : 0;
    display.showFirst(std::move(found), first);
    if (saved())
        *saved() = first;
}

int* OutsideModel::saved()
{
    return currentGroup >= 11 && currentGroup <= 13
               ? &savedPosition[static_cast<std::size_t>(currentGroup - 11)]
               : nullptr;
}

} // namespace walk
