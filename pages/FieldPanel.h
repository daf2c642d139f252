#pragma once
// A field panel of the outside activities page: the radio buttons of one field group on a small
// child dialog. It does nothing with a choice itself: every click on one of its buttons, also
// on the one already chosen, sends the group's command to the page, which reads radioIndex
// back. The three panels share this one class and differ only in their template, their group
// command and their fields.

#include "content/Categories.h"
#include "platform/DataExchange.h"
#include "platform/MessageMap.h"

#include <QFont>
#include <span>

namespace pages {

class FieldPanel : public platform::MappedDialog<FieldPanel> {
public:
    // fields: the category table of the group's content, whose boxes are the panel's buttons.
    FieldPanel(const platform::DialogTemplate& dialogTemplate, platform::Dialog* page,
               int groupCommand, std::span<const content::CategoryBox> fields);

    static const platform::MessageMap<FieldPanel> messageMap;

    // The chosen field's index in the group, which is its flag position; -1 for none.
    int radioIndex = 0;
    // The field buttons, in the group's order.
    std::vector<QRadioButton*> buttons() const { return radioGroup(fields_.front().id); }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& exchange) override;
    bool PreTranslateMessage(const platform::InputMessage& input) override;
    std::optional<platform::ControlColours> OnCtlColor(QWidget* control, int id,
                                                       platform::ColourRequest request) override;
    // The buttons are hidden in the template and show the first time the page shows the panel.
    void showEvent(QShowEvent* event) override;

private:
    void SendGroupCommand();

    int groupCommand_;
    std::span<const content::CategoryBox> fields_;
    QFont radioFont_;
};

} // namespace pages
