#include "WindowModel.h"

namespace walk {

WindowModel::WindowModel(const Contents& contents)
    : strengths(contents[Strengths], keywordBox), inSchool(contents, keywordBox),
      outside(contents, keywordBox)
{
    keywordBox.synonyms = contents.synonyms.get();
}

void WindowModel::selectTab(int index)
{
    // Whether a click on a tab takes the focus is the tab control's affair.
    keywordBox.focusOpen = true;
    tab = index;
}

void WindowModel::typeKeyword(const Text& keyword, bool replace)
{
    keywordBox.focusIn();
    keywordBox.text = replace ? keyword : keywordBox.text + keyword;
}

void WindowModel::clickIntoKeywordBox()
{
    keywordBox.focusIn();
}

void WindowModel::pressEnterInKeywordBox()
{
    search();
}

void WindowModel::clickSearchButton()
{
    keywordBox.focusOut(); // the button takes the focus before it is clicked
    search();
}

void WindowModel::clickQualification(const std::string& document)
{
    keywordBox.focusOut();
    documents.push_back(document);
}

void WindowModel::search()
{
    // The keyword box's text as it is, placeholder included; the page decides.
    const Text keyword = keywordBox.text;
    if (isRejected(keyword)) {
        keywordBox.reject(tab);
        return;
    }
    if (tab == 0)
        strengths.search(keyword);
    else if (tab == 1)
        inSchool.search(keyword);
    else
        outside.search(keyword);
}

} // namespace walk
