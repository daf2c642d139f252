#include "CDlgTab03.h"

#include "content/ContentNames.h"
#include "platform/QtStrings.h"
#include "res/Templates.h"

#include <QAbstractButton>

using namespace platform;

namespace {

enum Content { SchoolEvents = 0, InSchool = 1, Clubs = 2 };

constexpr int kCultureOther = 5; // flag positions of the two "その他" boxes, which exclude
constexpr int kSportsOther = 15; // each other
constexpr int kResultsPosition = 16; // 1046, "大会好成績"
constexpr int kLeaderPosition = 17;  // 1047, "部長・主将等"

// The caption-less boxes 1046 and 1047: their clickable labels and the grey labels that take
// their place while the box is disabled.
struct BoxLabels {
    int box;
    int label;
    int greyLabel;
};
const BoxLabels kResultsLabels{1046, 1105, 1108};
const BoxLabels kLeaderLabels{1047, 1098, 1109};

const BoxLabels& labelsOf(int position)
{
    return position == kResultsPosition ? kResultsLabels : kLeaderLabels;
}

struct Activity {
    Content content;
    int code;
};
// The activity radio buttons 1091 .. 1094 in their order.
constexpr std::array<Activity, 4> kActivities = {{
    {SchoolEvents, 0}, // 文化的行事
    {SchoolEvents, 1}, // 体育的行事
    {InSchool, 0},     // クラス内での活動
    {InSchool, 1},     // 学校内での活動
}};

const QColor kLabelPanel(206, 253, 159);
const QColor kGreyText(192, 192, 192);

pages::PageLook inSchoolLook()
{
    pages::PageLook look = pages::sixBoxLook(QColor(230, 255, 230), 575);
    look.paint.push_back({{310, 263, 130, 215}, kLabelPanel}); // behind 1046, 1047 and labels
    return look;
}

} // namespace

const std::array<int, 18> CDlgTab03::kClubBoxes = {
    1075, 1076, 1077, 1078, 1079, 1080, // culture clubs, "その他" last
    1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, // sports clubs, "その他" last
    1046, 1047, // good results in competitions; president or captain
};

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

CDlgTab03::CDlgTab03(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(153), mainWindow, inSchoolLook(),
                   {content::kSchoolEventsContent, content::kInSchoolContent,
                    content::kClubContent})
{
}

bool CDlgTab03::OnInitDialog()
{
    ThreeContentPage::OnInitDialog();
    for (const int id : kClubBoxes)
        FitButtonToCaption(categoryFont, id);
    for (int id = kFirstActivity; id < kFirstActivity + 4; ++id)
        FitButtonToCaption(categoryFont, id);
    // The labels are as wide as their captions, without the room a box needs. A box without
    // a caption is known by its label's words, to a screen reader as to a teacher.
    for (const BoxLabels& labels : {kResultsLabels, kLeaderLabels}) {
        control(labels.box)->setAccessibleName(toQString(GetDlgItemText(labels.label)));
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
    for (std::size_t p = 0; p < kClubBoxes.size(); ++p)
        exchange.checkBox(kClubBoxes[p], categoryChecked[p]);
    exchange.radioGroup(kFirstActivity, activityIndex);
    ThreeContentPage::DoDataExchange(exchange);
}

void CDlgTab03::ApplyCategoryChecks()
{
    UpdateData(true);
    std::vector<std::uint8_t> codes;
    for (std::size_t p = 0; p < categoryChecked.size(); ++p) {
        if (categoryChecked[p])
            codes.push_back(static_cast<std::uint8_t>(p));
    }
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
    const Activity& activity = kActivities[static_cast<std::size_t>(message.id - kFirstActivity)];
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
    const int box = message.id == kResultsLabels.label ? kResultsLabels.box : kLeaderLabels.box;
    auto* button = control<QAbstractButton>(box);
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
    EnableAllCategories(false);
    std::array<int, 18> positions;
    for (std::size_t p = 0; p < positions.size(); ++p)
        positions[p] = static_cast<int>(p);
    const std::vector<bool> occurs = pages::OccurringCodes(flagList, positions);
    for (std::size_t p = 0; p < kClubBoxes.size(); ++p) {
        if (!occurs[p])
            continue;
        control(kClubBoxes[p])->setEnabled(true);
        if (p == kResultsPosition || p == kLeaderPosition)
            ShowLabel(static_cast<int>(p), true);
    }
    // While one "その他" box is checked the other cannot be chosen, whatever the matches hold.
    const bool cultureOther = categoryChecked[kCultureOther];
    const bool sportsOther = categoryChecked[kSportsOther];
    if (cultureOther || sportsOther) {
        control(kClubBoxes[kCultureOther])->setEnabled(cultureOther);
        control(kClubBoxes[kSportsOther])->setEnabled(sportsOther);
    }
}

void CDlgTab03::UncheckAllCategories()
{
    for (const int id : kClubBoxes)
        control<QAbstractButton>(id)->setChecked(false);
    ShowLabel(kResultsPosition, true);
    ShowLabel(kLeaderPosition, true);
}

void CDlgTab03::EnableAllCategories(bool on)
{
    for (const int id : kClubBoxes)
        control(id)->setEnabled(on);
    ShowLabel(kResultsPosition, on);
    ShowLabel(kLeaderPosition, on);
}

void CDlgTab03::ShowLabel(int position, bool usable)
{
    const BoxLabels& labels = labelsOf(position);
    control(labels.label)->setVisible(usable);
    control(labels.greyLabel)->setVisible(!usable);
}

std::optional<ControlColours> CDlgTab03::OnCtlColor(QWidget* control, int id,
                                                    ColourRequest request)
{
    std::optional<ControlColours> answer = ThreeContentPage::OnCtlColor(control, id, request);
    const bool onLabelPanel = id == kResultsLabels.box || id == kResultsLabels.label ||
                              id == kResultsLabels.greyLabel || id == kLeaderLabels.box ||
                              id == kLeaderLabels.label || id == kLeaderLabels.greyLabel;
    if (answer && onLabelPanel) {
        answer->textBackground = kLabelPanel;
        if (id == kResultsLabels.greyLabel || id == kLeaderLabels.greyLabel)
            answer->text = kGreyText; // looks disabled
    }
    return answer;
}
