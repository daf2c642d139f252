#pragma once
// The in-school activities page: four activity radio buttons, each a category of the school
// events or the in-school activities content; eighteen club check boxes combined with AND on
// the club content; or a keyword over all three contents. Six sentences at a time.

#include "CategoryChecks.h"
#include "ThreeContentPage.h"
#include "content/Categories.h"
#include "platform/MessageMap.h"

#include <array>

class CDlgTab03 : public platform::MappedDialog<CDlgTab03, pages::ThreeContentPage> {
public:
    explicit CDlgTab03(platform::Dialog* mainWindow);

    static const platform::MessageMap<CDlgTab03> messageMap;

    void ClearAllChecks() override;

    // The activity radio group: the school events' two categories, then the in-school
    // content's two.
    static constexpr int kFirstActivity = content::kSchoolEventBoxes[0].id;

    // The caption-less club boxes: their clickable labels and the grey labels that take their
    // place while the box is disabled.
    struct BoxLabels {
        int position;
        int label;
        int greyLabel;
    };
    static constexpr std::array<BoxLabels, 2> kBoxLabels = {{
        {content::clubs::kResults, 1105, 1108},
        {content::clubs::kLeader, 1098, 1109},
    }};

    int activityIndex = 0;
    // By flag position of the club content, which is the row of content::kClubBoxes.
    std::array<int, std::size(content::kClubBoxes)> categoryChecked{};

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
    // Shows each box's label, or its grey label while the box cannot be used.
    void ShowLabels();

    pages::CategoryChecks clubChecks{*this, content::kClubBoxes};
};
