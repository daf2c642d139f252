#include "CDlgTab03.h"

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
    : MappedDialog(res::dialogTemplate(153), mainWindow, inSchoolLook(),
                   {content::kSchoolEventsContent, content::kInSchoolContent,
                    content::kClubContent})
{
}

void CDlgTab03::ClearAllChecks()
{
    ResetDisplay();
    SetKeywordBoxText(pages::kPlaceholder);
}
