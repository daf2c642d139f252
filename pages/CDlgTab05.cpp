#include "CDlgTab05.h"

#include "content/ContentNames.h"
#include "res/Templates.h"

using namespace platform;

const MessageMap<CDlgTab05> CDlgTab05::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab05::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab05::OnMouseWheel},
    {Msg::Clicked,     1001, &CDlgTab05::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab05::OnLButtonDown},
};

CDlgTab05::CDlgTab05(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(154), mainWindow,
                   pages::sixBoxLook(QColor(255, 255, 230), 405),
                   {content::kOutsideContent, content::kFutureWorkContent,
                    content::kVolunteerContent})
{
}

void CDlgTab05::ClearAllChecks()
{
    ResetDisplay();
    SetKeywordBoxText(pages::kPlaceholder);
}
