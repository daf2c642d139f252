#include "CDlgTab02.h"

#include "content/ContentNames.h"
#include "res/Templates.h"

using namespace platform;
using pages::kPlaceholder;

namespace {

pages::PageLook strengthsLook()
{
    return pages::standardLook(3, {1037, 1038, 1039}, QColor(230, 230, 255), 575);
}

} // namespace

// clang-format off
const MessageMap<CDlgTab02> CDlgTab02::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab02::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab02::OnMouseWheel},
    {Msg::Clicked,     1066, 1075, &CDlgTab02::ApplyJobType},
    {Msg::Clicked,     1053, 1065, &CDlgTab02::ApplyCategoryChecks},
    {Msg::Clicked,     1076, 1079, &CDlgTab02::ApplyCategoryChecks},
    {Msg::Clicked,     1001, &CDlgTab02::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab02::OnLButtonDown},
};
// clang-format on

CDlgTab02::CDlgTab02(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(152), mainWindow, strengthsLook())
{
}

bool CDlgTab02::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadContent(content::kStrengthsContent, sentences);
    SetUpDisplayControls();
    categories.fitToCaptions(categoryFont);
    for (const content::CategoryBox& jobType : content::strengths::kJobTypes)
        pages::FitButtonToCaption(*this, categoryFont, jobType.id);
    jobTypeIndex = -1;
    UpdateData(false);
    return true;
}

void CDlgTab02::DoDataExchange(DataExchange& exchange)
{
    categories.exchange(exchange, categoryChecked);
    exchange.radioGroup(kFirstJobType, jobTypeIndex);
    ExchangeDisplay(exchange);
}

void CDlgTab02::ApplyCategoryChecks()
{
    UpdateData(true);
    std::vector<std::uint8_t> codes;
    if (jobTypeIndex >= 0)
        codes.push_back(static_cast<std::uint8_t>(jobTypeIndex));
    for (const std::uint8_t code : categories.checkedPositions(categoryChecked))
        codes.push_back(code);
    const bool onlyJobType = codes.size() == 1 && codes.front() == jobTypeIndex;
    if (codes.empty() || onlyJobType) {
        // Nothing but the job type is chosen: its own result, or nothing at all.
        ResetPage(false);
        if (jobTypeIndex >= 0)
            ApplyJobType();
    } else {
        pages::FilterByCodes(*sentences.texts, *sentences.flags, codes, matches);
        ShowCategoryResult();
        EnableOccurringCategories(matches.matchFlags);
    }
    UpdateData(false);
    FocusScrollBarOrDisable();
    SetKeywordBoxText(kPlaceholder);
}

void CDlgTab02::ApplyJobType()
{
    UncheckAllCategories();
    EnableAllCategories(true);
    UpdateData(true);
    pages::FilterSentences(*sentences.texts, *sentences.flags, jobTypeIndex, u"", matches);
    ShowCategoryResult();
    EnableOccurringCategories(matches.matchFlags);
    SetKeywordBoxText(kPlaceholder);
}

void CDlgTab02::SearchKeyword(std::u16string keyword)
{
    const std::optional<std::u16string> trimmed = AcceptKeyword(keyword);
    if (!trimmed)
        return;
    ResetPage(true);
    SetKeywordBoxText(kPlaceholder);
    UpdateData(true);
    SetKeywordBoxText(*trimmed);
    ShowKeywordMatches(*trimmed, {{&sentences, content::kStrengthsContent}});
}

void CDlgTab02::ClearAllChecks()
{
    ResetPage(true);
    SetKeywordBoxText(kPlaceholder);
}

void CDlgTab02::ReleaseContent()
{
    sentences.texts.reset();
    sentences.flags.reset();
    sentences.readings.reset();
}

void CDlgTab02::ResetPage(bool clearJobType)
{
    if (clearJobType) {
        jobTypeIndex = -1;
        UpdateData(false);
    }
    UncheckAllCategories();
    EnableAllCategories(true);
    UpdateData(true);
    ResetDisplay();
}

void CDlgTab02::EnableOccurringCategories(std::span<const std::u16string_view> flagList)
{
    categories.enableOccurring(flagList);
}

void CDlgTab02::UncheckAllCategories()
{
    categories.uncheckAll();
}

void CDlgTab02::EnableAllCategories(bool on)
{
    categories.enableAll(on);
}
