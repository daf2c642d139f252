#include "CDlgTab05.h"

#include "SixBoxPage.h"
#include "content/ContentNames.h"
#include "res/Templates.h"

using namespace platform;

namespace {

pages::PageLook outsideLook()
{
    return pages::sixBoxLook(QColor(255, 255, 230), 405);
}

} // namespace

const MessageMap<CDlgTab05> CDlgTab05::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab05::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab05::OnMouseWheel},
    {Msg::Clicked,     1001, &CDlgTab05::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab05::OnLButtonDown},
};

CDlgTab05::CDlgTab05(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(154), mainWindow, outsideLook())
{
}

bool CDlgTab05::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadContent(content::kOutsideContent, outside);
    LoadContent(content::kFutureWorkContent, futureWork);
    LoadContent(content::kVolunteerContent, volunteer);
    SetUpDisplayControls();
    UpdateData(false);
    return true;
}

void CDlgTab05::DoDataExchange(DataExchange& exchange)
{
    ExchangeDisplay(exchange);
}

void CDlgTab05::SearchKeyword(std::u16string keyword)
{
    const std::optional<std::u16string> trimmed = AcceptKeyword(keyword);
    if (!trimmed)
        return;
    ClearAllChecks();
    UpdateData(true);
    SetKeywordBoxText(*trimmed);
    ShowKeywordMatches(*trimmed, {&outside, &futureWork, &volunteer});
}

void CDlgTab05::ClearAllChecks()
{
    ResetDisplay();
    SetKeywordBoxText(pages::kPlaceholder);
}

void CDlgTab05::ReleaseContent()
{
    for (pages::PageContent* content : {&outside, &futureWork, &volunteer}) {
        content->texts.reset();
        content->flags.reset();
    }
}
