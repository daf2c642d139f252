#pragma once
// The outside activities page: activities outside school, future work and volunteer work, six
// sentences at a time. This step gives it its contents, its display and paging, and the
// keyword search; its field groups and qualification buttons come with the page's own step.

#include "ThreeContentPage.h"
#include "platform/MessageMap.h"

class CDlgTab05 : public platform::MappedDialog<CDlgTab05, pages::ThreeContentPage> {
public:
    explicit CDlgTab05(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab05> messageMap;

    void ClearAllChecks() override;
};
