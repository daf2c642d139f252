#pragma once
// The in-school activities page: school events, in-school activities and club activities,
// six sentences at a time. This step gives it its contents, its display and paging, and the
// keyword search over its three contents; its radio buttons and club check boxes come with
// the page's own step.

#include "SentencePage.h"
#include "platform/MessageMap.h"

class CDlgTab03 : public platform::MappedDialog<CDlgTab03, pages::SentencePage> {
public:
    explicit CDlgTab03(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab03> messageMap;

    void SearchKeyword(std::u16string keyword) override;
    void ClearAllChecks() override;
    void ReleaseContent() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;

private:
    pages::PageContent schoolEvents;
    pages::PageContent inSchool;
    pages::PageContent clubs;
};
