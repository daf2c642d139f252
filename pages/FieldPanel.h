#pragma once
// A field panel of the outside activities page: the radio buttons of one field group on a small
// child dialog. It does nothing with a choice itself: every click on one of its buttons, also
// on the one already chosen, sends the group's command to the page, which reads radioIndex
// back. The three panels share this one class body and differ only in their template, their
// group command and their buttons.

#include "platform/DataExchange.h"
#include "platform/Fonts.h"
#include "platform/MessageMap.h"

#include <QColor>
#include <QFont>

namespace pages {

void FitButtonToCaption(platform::Dialog& dialog, const QFont& font, int id);

template <int TemplateId, int GroupCommand, int LastRadio>
class FieldPanel : public platform::MappedDialog<FieldPanel<TemplateId, GroupCommand, LastRadio>> {
    using Base = platform::MappedDialog<FieldPanel>;

public:
    static constexpr int kTemplate = TemplateId;
    static constexpr int kGroupCommand = GroupCommand;
    static constexpr int kFirstRadio = 1003;
    static constexpr int kLastRadio = LastRadio;

    FieldPanel(const platform::DialogTemplate& dialogTemplate, platform::Dialog* page)
        : Base(dialogTemplate, page)
    {
    }

    static const platform::MessageMap<FieldPanel> messageMap;

    // The chosen field's index in the group, which is its flag position; -1 for none.
    int radioIndex = 0;

protected:
    bool OnInitDialog() override
    {
        platform::Dialog::OnInitDialog();
        radioIndex = -1;
        this->UpdateData(false);
        radioFont_ = platform::pointFont(platform::FontFace::Gothic, 10.5);
        for (int id = kFirstRadio; id <= kLastRadio; ++id)
            FitButtonToCaption(*this, radioFont_, id);
        return true;
    }

    void DoDataExchange(platform::DataExchange& exchange) override
    {
        exchange.radioGroup(kFirstRadio, radioIndex);
    }

    bool PreTranslateMessage(const platform::InputMessage& input) override
    {
        using platform::Key;
        return input.input == platform::Input::KeyDown &&
               (input.key == Key::Back || input.key == Key::Return || input.key == Key::Escape);
    }

    std::optional<platform::ControlColours> OnCtlColor(QWidget*, int,
                                                       platform::ColourRequest request) override
    {
        using platform::ColourRequest;
        if (request == ColourRequest::Static || request == ColourRequest::Dialog)
            return platform::ControlColours{kPale, std::nullopt, kPale};
        return std::nullopt;
    }

    // The buttons are hidden in the template and show the first time the page shows the panel.
    void showEvent(QShowEvent* event) override
    {
        for (int id = kFirstRadio; id <= kLastRadio; ++id)
            this->control(id)->show();
        Base::showEvent(event);
    }

private:
    void SendGroupCommand()
    {
        if (platform::Dialog* page = this->parentDialog())
            page->deliver({platform::Msg::Command, kGroupCommand});
    }

    static inline const QColor kPale{255, 255, 230};
    QFont radioFont_;
};

template <int TemplateId, int GroupCommand, int LastRadio>
const platform::MessageMap<FieldPanel<TemplateId, GroupCommand, LastRadio>>
    FieldPanel<TemplateId, GroupCommand, LastRadio>::messageMap = {
        {platform::Msg::Clicked, kFirstRadio, kLastRadio, &FieldPanel::SendGroupCommand},
};

} // namespace pages

using CDlgTab0511 = pages::FieldPanel<147, 11, 1004>; // activities outside school
using CDlgTab0512 = pages::FieldPanel<155, 12, 1018>; // future work
using CDlgTab0513 = pages::FieldPanel<156, 13, 1008>; // volunteer activities
