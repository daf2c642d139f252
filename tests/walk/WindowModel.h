#pragma once
// What the walk expects of the whole window: the selected tab, the keyword box and the three
// pages, each keeping its state while another tab is shown.

#include "PageModels.h"

#include <string>
#include <vector>

namespace walk {

class WindowModel {
public:
    explicit WindowModel(const Contents& contents);

    // A click on a tab: the page of that tab shows, the others keep what they hold.
    void selectTab(int index);
    // Clicking into the keyword box, and typing the keyword over all of its text or after it.
    void typeKeyword(const Text& keyword, bool replace);
    void clickIntoKeywordBox();
    // Enter in the keyword box, or a click on 検索 (which takes the focus first).
    void pressEnterInKeywordBox();
    void clickSearchButton();
    // A click on one of the outside page's qualification buttons.
    void clickQualification(const std::string& document);

    int tab = 0;
    KeywordBoxModel keywordBox;
    StrengthsModel strengths;
    InSchoolModel inSchool;
    OutsideModel outside;
    std::vector<std::string> documents;

private:
    void search();
};

} // namespace walk
