#pragma once
// What the walk expects of each of the three pages, step by step: the rules of the strengths
// page (job type and categories combined with AND), the in-school page (activities, club boxes,
// their labels and the two "その他" boxes) and the outside page (field groups opened like an
// accordion, each remembering where its result was scrolled to).

#include "DisplayModel.h"
#include "WalkContent.h"

#include <array>

namespace walk {

// The job types are radio buttons 0 .. 9 (codes 0 .. 9); check box k of the table is code
// 10 + k.
class StrengthsModel {
public:
    StrengthsModel(const Content& content, KeywordBoxModel& keywordBox);

    void clickJobType(int index);
    void clickCheckBox(int k); // a click on a disabled box changes nothing
    void clickClearAll();
    void clickBackground();
    void search(const Text& keyword);
    void scroll(Request request, int thumb);
    void wheel(int delta);

    DisplayModel display{3};
    int jobType = -1;
    std::array<bool, 17> checked{};
    std::array<bool, 17> enabled;

private:
    void applyCategoryChecks();
    void applyJobType();
    void resetPage(bool clearJobType);
    void enableOccurring();

    const Content& content_;
    KeywordBoxModel& keywordBox_;
};

// Activities 0 .. 3 are 文化的行事 and 体育的行事 (school events, codes 0 and 1) and the two of
// the in-school content (codes 0 and 1). Club box p is flag position p of the club content;
// 16 and 17 have labels that grey out with their box.
class InSchoolModel {
public:
    InSchoolModel(const Contents& contents, KeywordBoxModel& keywordBox);

    void clickActivity(int index);
    void clickClubBox(int p); // a click on a disabled box changes nothing
    void clickLabel(int p);   // p is 16 or 17; the grey label takes it as the background does
    void clickClearAll();
    void clickBackground();
    void search(const Text& keyword);
    void scroll(Request request, int thumb);
    void wheel(int delta);

    DisplayModel display{6};
    int activity = -1;
    std::array<bool, 18> checked{};
    std::array<bool, 18> enabled;

private:
    void applyCategoryChecks();
    void enableOccurring(const std::array<bool, 18>& checkedAtClick);

    const Contents& contents_;
    KeywordBoxModel& keywordBox_;
};

// Field groups 11, 12, 13 with 2, 16 and 6 fields.
class OutsideModel {
public:
    OutsideModel(const Contents& contents, KeywordBoxModel& keywordBox);

    static constexpr std::array<int, 3> kFieldCounts = {2, 16, 6};

    void clickHeader(int group);
    void clickField(int group, int index);
    void clickClearAll();
    void clickBackground();
    void search(const Text& keyword);
    void scroll(Request request, int thumb);
    void wheel(int delta);

    DisplayModel display{6};
    int currentGroup = 0; // the header clicked last
    int openGroup = 0;    // whose panel shows: 0 for none
    std::array<int, 3> field = {-1, -1, -1};
    std::array<int, 3> savedPosition{};

private:
    void runGroupFilter(int group, bool resetPosition);
    void show(Content found);
    int* saved();

    const Contents& contents_;
    KeywordBoxModel& keywordBox_;
};

} // namespace walk
