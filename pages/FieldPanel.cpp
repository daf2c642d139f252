#include "FieldPanel.h"

#include "CategoryChecks.h"
#include "platform/Fonts.h"

#include <QColor>
#include <iterator>

using namespace platform;

namespace pages {

namespace {

const QColor kPale(255, 255, 230);

// The fields of every panel are numbered from the same first id; the future work panel has the
// most of them.
constexpr int kFirstField = content::kFutureWorkBoxes[0].id;
constexpr int kLastField = std::end(content::kFutureWorkBoxes)[-1].id;

} // namespace

// clang-format off
const MessageMap<FieldPanel> FieldPanel::messageMap = {
    {Msg::Clicked, kFirstField, kLastField, &FieldPanel::SendGroupCommand},
};
// clang-format on

FieldPanel::FieldPanel(const DialogTemplate& dialogTemplate, Dialog* page, int groupCommand,
                       std::span<const content::CategoryBox> fields)
    : MappedDialog(dialogTemplate, page), groupCommand_(groupCommand), fields_(fields)
{
}

bool FieldPanel::OnInitDialog()
{
    Dialog::OnInitDialog();
    radioIndex = -1;
    UpdateData(false);
    radioFont_ = pointFont(FontFace::Gothic, 10.5);
    for (const content::CategoryBox& field : fields_)
        FitButtonToCaption(*this, radioFont_, field.id);
    return true;
}

void FieldPanel::DoDataExchange(DataExchange& exchange)
{
    exchange.radioGroup(fields_.front().id, radioIndex);
}

bool FieldPanel::PreTranslateMessage(const InputMessage& input)
{
    return input.input == Input::KeyDown &&
           (input.key == Key::Back || input.key == Key::Return || input.key == Key::Escape);
}

std::optional<ControlColours> FieldPanel::OnCtlColor(QWidget*, int, ColourRequest request)
{
    if (request == ColourRequest::Static || request == ColourRequest::Dialog)
        return ControlColours{kPale, std::nullopt, kPale};
    return std::nullopt;
}

void FieldPanel::showEvent(QShowEvent* event)
{
    for (const content::CategoryBox& field : fields_)
        control(field.id)->show();
    MappedDialog::showEvent(event);
}

void FieldPanel::SendGroupCommand()
{
    if (Dialog* page = parentDialog())
        page->deliver({Msg::Command, groupCommand_});
}

} // namespace pages
