#pragma once
// The outside activities page: activities outside school, future work and volunteer work, six
// sentences at a time. This step gives it its contents, its display and paging, and the
// keyword search over its three contents; its field groups and qualification buttons come
// with the page's own step.

#include "SentencePage.h"
#include "platform/MessageMap.h"

class CDlgTab05 : public platform::MappedDialog<CDlgTab05, pages::SentencePage> {
public:
    explicit CDlgTab05(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab05> messageMap;

    void SearchKeyword(std::u16string keyword) override;
    void ClearAllChecks() override;
    void ReleaseContent() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;

private:
    pages::PageContent outside;
    pages::PageContent futureWork;
    pages::PageContent volunteer;
};
