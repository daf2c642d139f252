#include "CDlgTab05.h"

#include "content/ContentNames.h"
#include "platform/Documents.h"
#include "platform/HandCursor.h"
#include "res/Templates.h"

#include <QRadioButton>
#include <algorithm>
#include <map>

using namespace platform;

namespace {

constexpr int kFirstGroup = 11;

// The qualification buttons and their documents, numbered in the buttons' reading order on the
// page, not by id.
const std::map<int, const char16_t*> kQualificationLists = {
    {1097, u"\\PDF\\license1.pdf"}, // 語学系
    {1099, u"\\PDF\\license2.pdf"}, // コンピュータ系
    {1100, u"\\PDF\\license3.pdf"}, // 経理、金融系
    {1101, u"\\PDF\\license4.pdf"}, // ビジネス・経営・経済・法律系
    {1102, u"\\PDF\\license5.pdf"}, // 芸術・服飾系
    {1103, u"\\PDF\\license6.pdf"}, // 医療福祉系
    {1106, u"\\PDF\\license7.pdf"}, // 工業系
    {1104, u"\\PDF\\license8.pdf"}, // 教養・趣味・その他
};

std::size_t indexOf(int group)
{
    return static_cast<std::size_t>(group - kFirstGroup);
}

bool isGroup(int group)
{
    return group >= 11 && group <= 13;
}

} // namespace

// clang-format off
const MessageMap<CDlgTab05> CDlgTab05::messageMap = {
    {Msg::Clicked,     1109, 1111, &CDlgTab05::OnHeaderClicked},
    {Msg::Command,     11, 13, &CDlgTab05::OnGroupCommand},
    {Msg::Clicked,     1001, &CDlgTab05::ClearAllChecks},
    {Msg::Clicked,     1097, 1106, &CDlgTab05::OnQualificationClicked},
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab05::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab05::OnMouseWheel},
    {Msg::LButtonDown, &CDlgTab05::OnBackgroundClicked},
};
// clang-format on

CDlgTab05::CDlgTab05(Dialog* mainWindow)
    : MappedDialog(
          res::dialogTemplate(154), mainWindow, pages::sixBoxLook(QColor(255, 255, 230), 405),
          {content::kOutsideContent, content::kFutureWorkContent, content::kVolunteerContent}),
      panels{{
          {res::dialogTemplate(147), this, 11, content::kOutsideBoxes},
          {res::dialogTemplate(155), this, 12, content::kFutureWorkBoxes},
          {res::dialogTemplate(156), this, 13, content::kVolunteerBoxes},
      }}
{
}

bool CDlgTab05::OnInitDialog()
{
    ThreeContentPage::OnInitDialog();
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const QRect rect = control(kHeaderIds[i])->geometry();
        headers[i] = {rect.left(), rect.top(), rect.height()};
    }
    for (pages::FieldPanel& fieldPanel : panels)
        fieldPanel.hide();
    const auto create = [](pages::FieldPanel& fieldPanel) { return fieldPanel.Create(); };
    if (std::ranges::all_of(panels, create)) { // stops at the first that cannot be made
        PlacePanels();
        OrderPanelsAfterHeaders();
    }
    currentGroup = 0;
    groupScrollPos = {0, 0, 0};
    return true;
}

void CDlgTab05::PlacePanels()
{
    for (int group = 11; group <= 13; ++group) {
        const Header& header = headers[indexOf(group)];
        panel(group).move(5, header.top + header.height + 10);
        panel(group).hide();
    }
}

void CDlgTab05::OrderPanelsAfterHeaders()
{
    // The panels' buttons are made after the page's controls; the keys reach each panel's group
    // right after its header, where the eye finds it.
    QWidget* last = control(kHeaderIds.back());
    QWidget* afterHeaders = last->nextInFocusChain();
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        QWidget* header = control(kHeaderIds[i]);
        if (previous)
            setTabOrder(previous, header);
        previous = header;
        for (QRadioButton* button : panels[i].buttons()) {
            setTabOrder(previous, button);
            previous = button;
        }
    }
    setTabOrder(previous, afterHeaders);
}

pages::FieldPanel& CDlgTab05::panel(int group)
{
    return panels[indexOf(group)];
}

int CDlgTab05::panelRadioIndex(int group)
{
    panel(group).UpdateData(true);
    return panel(group).radioIndex;
}

void CDlgTab05::OnHeaderClicked(const Message& message)
{
    OpenGroup(kFirstGroup + (message.id - kHeaderIds[0]));
}

void CDlgTab05::OnGroupCommand(const Message& message)
{
    RunGroupFilter(message.id, true);
}

void CDlgTab05::OpenGroup(int group)
{
    currentGroup = group;
    UpdateData(true);
    for (int g = 11; g <= 13; ++g)
        panel(g).setVisible(g == group);
    // The headers below the open group slide down by its panel's height and 5 pixels; the
    // others stand where they began.
    const std::size_t open = indexOf(group);
    for (std::size_t i = 1; i < headers.size(); ++i) {
        const int slide = i > open ? panels[open].height() + 5 : 0;
        MoveHeader(static_cast<int>(i), {headers[i].left, headers[i].top + slide});
    }
    RunGroupFilter(group, false);
}

void CDlgTab05::MoveHeader(int index, QPoint to)
{
    QWidget* header = control(kHeaderIds[static_cast<std::size_t>(index)]);
    // A header that has the keyboard focus keeps it: hidden, it would pass it on.
    if (header->hasFocus()) {
        header->move(to);
        return;
    }
    header->hide();
    header->move(to);
    header->show();
}

void CDlgTab05::RunGroupFilter(int group, bool resetPosition)
{
    if (resetPosition && isGroup(currentGroup))
        groupScrollPos[indexOf(currentGroup)] = 0;
    const int field = panelRadioIndex(group);
    if (field == -1)
        return; // nothing chosen in this group: the previous result stays on screen
    const pages::PageContent& content = contents[indexOf(group)];
    pages::FilterSentences(*content.texts, *content.flags, field, u"", matches);
    ShowCategoryResult();
    SetKeywordBoxText(pages::kPlaceholder);
}

int* CDlgTab05::savedPosition()
{
    return isGroup(currentGroup) ? &groupScrollPos[indexOf(currentGroup)] : nullptr;
}

int CDlgTab05::RestoredScrollPosition()
{
    const int* saved = savedPosition();
    return saved ? *saved : 0;
}

void CDlgTab05::FirstMatchesShown(int first)
{
    if (int* saved = savedPosition())
        *saved = first;
}

void CDlgTab05::MatchesScrolled(int position)
{
    if (int* saved = savedPosition())
        *saved = position;
}

void CDlgTab05::OnBackgroundClicked()
{
    // This page never makes the scroll bar unusable on a click. An unusable bar cannot hold the
    // keyboard, so the page takes it: the keys must leave the field buttons either way, or the
    // arrows would go on choosing fields.
    if (scrollBar->isEnabled())
        scrollBar->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void CDlgTab05::OnQualificationClicked(const Message& message)
{
    if (const auto found = kQualificationLists.find(message.id); found != kQualificationLists.end())
        platform::OpenDocument(found->second);
}

void CDlgTab05::ClearAllChecks()
{
    ResetDisplay(); // empty boxes, "0 件", an unusable scroll bar, no match list
    for (pages::FieldPanel& fieldPanel : panels) {
        fieldPanel.radioIndex = -1;
        fieldPanel.UpdateData(false);
        fieldPanel.hide();
    }
    const QSize headerSize = control(kHeaderIds[2])->size();
    for (std::size_t i = 1; i < headers.size(); ++i)
        control(kHeaderIds[i])->setGeometry(QRect({headers[i].left, headers[i].top}, headerSize));
    groupScrollPos = {0, 0, 0};
    SetKeywordBoxText(pages::kPlaceholder);
}

bool CDlgTab05::PreTranslateMessage(const InputMessage& input)
{
    if (input.input == Input::KeyDown)
        return ThreeContentPage::PreTranslateMessage(input);
    // Over a header, where it is now, edges included.
    const QPoint at = mapFromGlobal(input.globalPos);
    for (const int id : kHeaderIds) {
        const QRect header = control(id)->geometry();
        if (at.x() >= header.left() && at.x() <= header.left() + header.width() &&
            at.y() >= header.top() && at.y() <= header.top() + header.height())
            requestHandCursor();
    }
    return false;
}
