#pragma once
// The strengths and recommendation page: a job type from ten radio buttons and categories
// from seventeen check boxes, combined with AND, or a keyword; three sentences at a time.

#include "SentencePage.h"
#include "platform/MessageMap.h"

#include <array>

class CDlgTab02 : public platform::MappedDialog<CDlgTab02, pages::SentencePage> {
public:
    explicit CDlgTab02(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab02> messageMap;

    void SearchKeyword(std::u16string keyword) override;
    void ClearAllChecks() override;
    void ReleaseContent() override;

    struct Category {
        int id;
        int code;
    };
    // The check boxes in table order, which is the order of categoryChecked.
    static const std::array<Category, 17> kCategories;
    static constexpr int kFirstJobType = 1066; // the radio group 1066 .. 1075, codes 0 .. 9

    int jobTypeIndex = 0;
    std::array<int, 17> categoryChecked{};

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

    pages::PageContent content; // the sentences and flag strings of the page's one content
};
