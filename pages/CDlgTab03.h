#pragma once
// The in-school activities page: four activity radio buttons, each a category of the school
// events or the in-school activities content; eighteen club check boxes combined with AND on
// the club content; or a keyword over all three contents. Six sentences at a time.

#include "ThreeContentPage.h"
#include "platform/MessageMap.h"

#include <array>

class CDlgTab03 : public platform::MappedDialog<CDlgTab03, pages::ThreeContentPage> {
public:
    explicit CDlgTab03(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab03> messageMap;

    void ClearAllChecks() override;

    // The club check boxes by flag position, which is also the index into categoryChecked.
    static const std::array<int, 18> kClubBoxes;
    static constexpr int kFirstActivity = 1091; // the radio group 1091 .. 1094

    int activityIndex = 0;
    std::array<int, 18> categoryChecked{};

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;
    std::optional<platform::ControlColours> OnCtlColor(QWidget* control, int id,
                                                       platform::ColourRequest request) override;

private:
    void ApplyCategoryChecks();
    void ApplyActivity(const platform::Message& message);
    void ToggleFromLabel(const platform::Message& message);
    void EnableOccurringCategories(std::span<const std::u16string_view> flagList);
    void UncheckAllCategories();
    void EnableAllCategories(bool on);
    void ShowLabel(int position, bool usable);
};
