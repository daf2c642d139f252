#include "CDlgTab02.h"

#include "content/ContentNames.h"
#include "res/Templates.h"

#include <QAbstractButton>

using namespace platform;
using pages::kPlaceholder;

namespace {

pages::PageLook strengthsLook()
{
    return pages::standardLook(3, {1037, 1038, 1039}, QColor(230, 230, 255), 575);
}

} // namespace

const std::array<CDlgTab02::Category, 17> CDlgTab02::kCategories = {{
    {1053, 10}, // 成績優秀に関する記載
    {1054, 11}, // 特定の教科・科目に関する記載
    {1055, 12}, // 資格・免許に関する記載
    {1056, 13}, // アルバイト
    {1057, 14}, // 部活動
    {1058, 15}, // ボランティア活動
    {1059, 16}, // 委員会・特別活動
    {1076, 17}, // スポーツ活動
    {1077, 18}, // 学校行事
    {1060, 19}, // 責任感
    {1061, 20}, // 協調性
    {1062, 21}, // 根気強さ
    {1063, 22}, // 基本的生活習慣
    {1064, 23}, // 向上心
    {1065, 24}, // 勤労意欲
    {1078, 25}, // 積極さ
    {1079, 26}, // 誠実さ
}};

const MessageMap<CDlgTab02> CDlgTab02::messageMap = {
    {Msg::VScroll,     pages::kScrollBarId, &CDlgTab02::OnVScroll},
    {Msg::MouseWheel,  &CDlgTab02::OnMouseWheel},
    {Msg::Clicked,     1066, 1075, &CDlgTab02::ApplyJobType},
    {Msg::Clicked,     1053, 1065, &CDlgTab02::ApplyCategoryChecks},
    {Msg::Clicked,     1076, 1079, &CDlgTab02::ApplyCategoryChecks},
    {Msg::Clicked,     1001, &CDlgTab02::ClearAllChecks},
    {Msg::LButtonDown, &CDlgTab02::OnLButtonDown},
};

CDlgTab02::CDlgTab02(Dialog* mainWindow)
    : MappedDialog(res::dialogTemplate(152), mainWindow, strengthsLook())
{
}

bool CDlgTab02::OnInitDialog()
{
    Dialog::OnInitDialog();
    LoadContent(content::kStrengthsContent, content);
    SetUpDisplayControls();
    for (const Category& category : kCategories)
        FitButtonToCaption(categoryFont, category.id);
    for (int id = kFirstJobType; id <= kFirstJobType + 9; ++id)
        FitButtonToCaption(categoryFont, id);
    jobTypeIndex = -1;
    UpdateData(false);
    return true;
}

void CDlgTab02::DoDataExchange(DataExchange& exchange)
{
    for (std::size_t k = 0; k < kCategories.size(); ++k)
        exchange.checkBox(kCategories[k].id, categoryChecked[k]);
    exchange.radioGroup(kFirstJobType, jobTypeIndex);
    ExchangeDisplay(exchange);
}

void CDlgTab02::ApplyCategoryChecks()
{
    UpdateData(true);
    std::vector<std::uint8_t> codes;
    if (jobTypeIndex >= 0)
        codes.push_back(static_cast<std::uint8_t>(jobTypeIndex));
    for (std::size_t k = 0; k < kCategories.size(); ++k) {
        if (categoryChecked[k])
            codes.push_back(static_cast<std::uint8_t>(kCategories[k].code));
    }
    const bool onlyJobType = codes.size() == 1 && codes.front() == jobTypeIndex;
    if (codes.empty() || onlyJobType) {
        // Nothing but the job type is chosen: its own result, or nothing at all.
        ResetPage(false);
        if (jobTypeIndex >= 0)
            ApplyJobType();
    } else {
        pages::FilterByCodes(*content.texts, *content.flags, codes, matches);
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
    pages::FilterSentences(*content.texts, *content.flags, jobTypeIndex, u"", matches);
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
    ShowKeywordMatches(*trimmed, {&content});
}

void CDlgTab02::ClearAllChecks()
{
    ResetPage(true);
    SetKeywordBoxText(kPlaceholder);
}

void CDlgTab02::ReleaseContent()
{
    content.texts.reset();
    content.flags.reset();
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
    std::array<int, 17> codes;
    for (std::size_t k = 0; k < kCategories.size(); ++k)
        codes[k] = kCategories[k].code;
    const std::vector<bool> occurs = pages::OccurringCodes(flagList, codes);
    for (std::size_t k = 0; k < kCategories.size(); ++k)
        control(kCategories[k].id)->setEnabled(occurs[k]);
}

void CDlgTab02::UncheckAllCategories()
{
    for (const Category& category : kCategories)
        control<QAbstractButton>(category.id)->setChecked(false);
}

void CDlgTab02::EnableAllCategories(bool on)
{
    for (const Category& category : kCategories)
        control(category.id)->setEnabled(on);
}

