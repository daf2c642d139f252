#pragma once
// The strengths and recommendation page: a job type from ten radio buttons and categories
// from seventeen check boxes, combined with AND, or a keyword; three sentences at a time.

#include "CategoryChecks.h"
#include "SentencePage.h"
#include "content/Categories.h"
#include "platform/MessageMap.h"

#include <array>

class CDlgTab02 : public platform::MappedDialog<CDlgTab02, pages::SentencePage> {
public:
    explicit CDlgTab02(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab02> messageMap;

    void SearchKeyword(std::u16string keyword) override;
    void ClearAllChecks() override;
    void ReleaseContent() override;

    // The check boxes in table order, which is the order of categoryChecked; each box's code
    // is its position. The job types are a radio group whose index is the code.
    static constexpr auto kCategories = content::strengths::kCheckBoxes;
    static constexpr int kFirstJobType = content::strengths::kJobTypes.front().id;

    int jobTypeIndex = 0;
    std::array<int, kCategories.size()> categoryChecked{};

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;

private:
    void ApplyCategoryChecks();
    void ApplyJobType();
    void ResetPage(bool clearJobType);
    void EnableOccurringCategories(std::span<const std::u16string_view> flagList);
    void UncheckAllCategories();
    void EnableAllCategories(bool on);

    pages::PageContent sentences; // the sentences and flag strings of the page's one content
    pages::CategoryChecks categories{*this, kCategories};
};
