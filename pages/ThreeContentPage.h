#pragma once
// A page that shows three contents, six sentences at a time, and searches all three by
// keyword, joined in their order: the in-school and the outside activities pages.

#include "SentencePage.h"

#include <array>
#include <string_view>

namespace pages {

class ThreeContentPage : public SentencePage {
public:
    ThreeContentPage(const platform::DialogTemplate& dialogTemplate, platform::Dialog* mainWindow,
                     PageLook look, std::array<std::string_view, 3> contentNames);

    void SearchKeyword(std::u16string keyword) override;
    void ReleaseContent() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;

    std::array<PageContent, 3> contents;

private:
    std::array<std::string_view, 3> contentNames_;
};

// The display of the pages with six boxes: their pale colour and the top of the band behind
// their clear button differ.
PageLook sixBoxLook(QColor pale, int bandTop);

} // namespace pages
