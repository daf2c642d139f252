#pragma once
// The in-school activities page: school events, in-school activities and club activities,
// six sentences at a time. This step gives it its contents, its display and paging, and the
// keyword search; its radio buttons and club check boxes come with the page's own step.

#include "ThreeContentPage.h"
#include "platform/MessageMap.h"

class CDlgTab03 : public platform::MappedDialog<CDlgTab03, pages::ThreeContentPage> {
public:
    explicit CDlgTab03(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab03> messageMap;

    void ClearAllChecks() override;
};
