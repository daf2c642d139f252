#include "CDlgTab03.h"

#include "content/ContentNames.h"
#include "platform/QtStrings.h"
#include "res/Templates.h"

#include <QAbstractButton>
#include <stdexcept>
#include <string>

using namespace platform;

namespace {

enum Content { SchoolEvents = 0, InSchool = 1, Clubs = 2 };

using content::kClubBoxes;
using content::clubs::kCultureOther; // the two その他 boxes exclude each other
using content::clubs::kSportsOther;

int boxOf(const CDlgTab03::BoxLabels& labels)
{
    return kClubBoxes[labels.position].id;
}

struct Activity {
    Content content;
    int code;
};

// The activity of a radio button: the radio group runs over the school events' categories, then
// the in-school content's.
Activity activityOf(int id)
{
    for (const content::CategoryBox& box : content::kSchoolEventBoxes) {
        if (box.id == id)
            return {SchoolEvents, box.position};
    }
    for (const content::CategoryBox& box : content::kInSchoolBoxes) {
        if (box.id == id)
            return {InSchool, box.position};
    }
    throw std::out_of_range("no activity button " + std::to_string(id));
}

const QColor kLabelPanel(206, 253, 159);
const QColor kGreyText(192, 192, 192);

pages::PageLook inSchoolLook()
{
    pages::PageLook look = pages::sixBoxLook(QColor(230, 255, 230), 575);
    look.paint.push_back({{310, 263, 130, 215}, kLabelPanel}); // behind 1046, 1047 and labels
    return look;
}

} // namespace

// clang-format off
const MessageMap<CDlgTab03> CDlgTab03::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab03::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab03::OnMouseWheel},
    {Msg::Clicked,     1075, 1090, &CDlgTab03::ApplyCategoryChecks},
    {Msg::Clicked,     1046, 1047, &CDlgTab03::ApplyCategoryChecks},
    {Msg::Clicked,     1105, &CDlgTab03::ToggleFromLabel},
    {Msg::Clicked,     1098, &CDlgTab03::ToggleFromLabel},
    {Msg::Clicked,     1091, 1094, &CDlgTab03::ApplyActivity},
    {Msg::Clicked,     1001, &CDlgTab03::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab03::OnLButtonDown},
};
// clang-format on

CDlgTab03::CDlgTab03(Dialog* mainWindow)
    : MappedDialog(
          res::dialogTemplate(153), mainWindow, inSchoolLook(),
          {content::kSchoolEventsContent, content::kInSchoolContent, content::kClubContent})
{
}

bool CDlgTab03::OnInitDialog()
{
    ThreeContentPage::OnInitDialog();
    clubChecks.fitToCaptions(categoryFont);
    for (const content::CategoryBox& activity : content::kSchoolEventBoxes)
        pages::FitButtonToCaption(*this, categoryFont, activity.id);
    for (const content::CategoryBox& activity : content::kInSchoolBoxes)
        pages::FitButtonToCaption(*this, categoryFont, activity.id);
    // The labels are as wide as their captions, without the room a box needs. A box without
    // a caption is known by its label's words, to a screen reader as to a teacher.
    for (const BoxLabels& labels : kBoxLabels) {
        control(boxOf(labels))->setAccessibleName(toQString(GetDlgItemText(labels.label)));
        for (const int id : {labels.label, labels.greyLabel}) {
            control(id)->setFont(categoryFont);
            control(id)->resize(15 * static_cast<int>(GetDlgItemText(id).size()),
                                control(id)->height());
        }
    }
    activityIndex = -1;
    UpdateData(false);
    return true;
}

void CDlgTab03::DoDataExchange(DataExchange& exchange)
{
    clubChecks.exchange(exchange, categoryChecked);
    exchange.radioGroup(kFirstActivity, activityIndex);
    ThreeContentPage::DoDataExchange(exchange);
}

void CDlgTab03::ApplyCategoryChecks()
{
    UpdateData(true);
    const std::vector<std::uint8_t> codes = clubChecks.checkedPositions(categoryChecked);
    if (codes.empty()) {
        ClearAllChecks();
    } else {
        const pages::PageContent& clubs = contents[Clubs];
        pages::FilterByCodes(*clubs.texts, *clubs.flags, codes, matches);
        ShowCategoryResult();
        EnableOccurringCategories(matches.matchFlags);
    }
    activityIndex = -1;
    UpdateData(false);
    FocusScrollBarOrDisable();
    SetKeywordBoxText(pages::kPlaceholder);
}

void CDlgTab03::ApplyActivity(const Message& message)
{
    const Activity activity = activityOf(message.id);
    UncheckAllCategories();
    EnableAllCategories(true);
    UpdateData(true);
    const pages::PageContent& content = contents[activity.content];
    pages::FilterSentences(*content.texts, *content.flags, activity.code, u"", matches);
    ShowCategoryResult();
    // The check boxes belong to the club content, so nothing narrows them here.
    SetKeywordBoxText(pages::kPlaceholder);
}

void CDlgTab03::ToggleFromLabel(const Message& message)
{
    const BoxLabels& labels = message.id == kBoxLabels[0].label ? kBoxLabels[0] : kBoxLabels[1];
    auto* button = control<QAbstractButton>(boxOf(labels));
    button->setChecked(!button->isChecked()); // no click of the box itself
    ApplyCategoryChecks();
}

void CDlgTab03::ClearAllChecks()
{
    activityIndex = -1;
    UpdateData(false);
    UncheckAllCategories();
    EnableAllCategories(true);
    UpdateData(true);
    ResetDisplay();
    SetKeywordBoxText(pages::kPlaceholder);
}

void CDlgTab03::EnableOccurringCategories(std::span<const std::u16string_view> flagList)
{
    clubChecks.enableOccurring(flagList);
    // While one "その他" box is checked the other cannot be chosen, whatever the matches hold.
    const bool cultureOther = categoryChecked[kCultureOther];
    const bool sportsOther = categoryChecked[kSportsOther];
    if (cultureOther || sportsOther) {
        control(kClubBoxes[kCultureOther].id)->setEnabled(cultureOther);
        control(kClubBoxes[kSportsOther].id)->setEnabled(sportsOther);
    }
    ShowLabels();
}

void CDlgTab03::UncheckAllCategories()
{
    clubChecks.uncheckAll();
}

void CDlgTab03::EnableAllCategories(bool on)
{
    clubChecks.enableAll(on);
    ShowLabels();
}

void CDlgTab03::ShowLabels()
{
    for (const BoxLabels& labels : kBoxLabels) {
        const bool usable = control(boxOf(labels))->isEnabledTo(this);
        control(labels.label)->setVisible(usable);
        control(labels.greyLabel)->setVisible(!usable);
    }
}

std::optional<ControlColours> CDlgTab03::OnCtlColor(QWidget* control, int id, ColourRequest request)
{
    std::optional<ControlColours> answer = ThreeContentPage::OnCtlColor(control, id, request);
    for (const BoxLabels& labels : kBoxLabels) {
        if (!answer || (id != boxOf(labels) && id != labels.label && id != labels.greyLabel))
            continue;
        answer->textBackground = kLabelPanel;
        if (id == labels.greyLabel)
            answer->text = kGreyText; // looks disabled
    }
    return answer;
}
