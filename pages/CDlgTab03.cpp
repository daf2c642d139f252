#include "CDlgTab03.h"

#include "SixBoxPage.h"
#include "content/ContentNames.h"
#include "res/Templates.h"

using namespace platform;

namespace {

pages::PageLook inSchoolLook()
{
    pages::PageLook look = pages::sixBoxLook(QColor(230, 255, 230), 575);
    look.paint.push_back({{310, 263, 130, 215}, QColor(206, 253, 159)}); // behind 1046, 1047
    return look;
}

} // namespace

const MessageMap<CDlgTab03> CDlgTab03::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab03::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab03::OnMouseWheel},
    {Msg::Clicked,     1001, &CDlgTab03::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab03::OnLButtonDown},
};

CDlgTab03::CDlgTab03(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(153), mainWindow, inSchoolLook())
{
}

bool CDlgTab03::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadContent(content::kSchoolEventsContent, schoolEvents);
    LoadContent(content::kInSchoolContent, inSchool);
    LoadContent(content::kClubContent, clubs);
    SetUpDisplayControls();
    UpdateData(false);
    return true;
}

void CDlgTab03::DoDataExchange(DataExchange& exchange)
{
    ExchangeDisplay(exchange);
}

void CDlgTab03::SearchKeyword(std::u16string keyword)
{
    const std::optional<std::u16string> trimmed = AcceptKeyword(keyword);
    if (!trimmed)
        return;
    ClearAllChecks();
    UpdateData(true);
    SetKeywordBoxText(*trimmed);
    ShowKeywordMatches(*trimmed, {&schoolEvents, &inSchool, &clubs});
}

void CDlgTab03::ClearAllChecks()
{
    ResetDisplay();
    SetKeywordBoxText(pages::kPlaceholder);
}

void CDlgTab03::ReleaseContent()
{
    for (pages::PageContent* content : {&schoolEvents, &inSchool, &clubs}) {
        content->texts.reset();
        content->flags.reset();
    }
}
