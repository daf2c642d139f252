#include "ThreeContentPage.h"

using namespace platform;

namespace pages {

PageLook sixBoxLook(QColor pale, int bandTop)
{
    return standardLook(6, {1037, 1038, 1039, 1040, 1041, 1043}, pale, bandTop);
}

ThreeContentPage::ThreeContentPage(const DialogTemplate& dialogTemplate, Dialog* mainWindow,
                                   PageLook look, std::array<std::string_view, 3> contentNames)
    : SentencePage(dialogTemplate, mainWindow, std::move(look)), contentNames_(contentNames)
{
}

bool ThreeContentPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    for (std::size_t i = 0; i < contents.size(); ++i)
        LoadContent(contentNames_[i], contents[i]);
    SetUpDisplayControls();
    UpdateData(false);
    return true;
}

void ThreeContentPage::DoDataExchange(DataExchange& exchange)
{
    ExchangeDisplay(exchange);
}

void ThreeContentPage::SearchKeyword(std::u16string keyword)
{
    const std::optional<std::u16string> trimmed = AcceptKeyword(keyword);
    if (!trimmed)
        return;
    ClearAllChecks();
    UpdateData(true);
    SetKeywordBoxText(*trimmed);
    ShowKeywordMatches(*trimmed, {{&contents[0], contentNames_[0]},
                                  {&contents[1], contentNames_[1]},
                                  {&contents[2], contentNames_[2]}});
}

void ThreeContentPage::ReleaseContent()
{
    for (PageContent& content : contents) {
        content.texts.reset();
        content.flags.reset();
        content.readings.reset();
    }
}

} // namespace pages
