#include "CategoryChecks.h"

#include "SentenceFilter.h"

#include <QAbstractButton>

namespace pages {

void FitButtonToCaption(platform::Dialog& dialog, const QFont& font, int id)
{
    QWidget* button = dialog.control(id);
    button->setFont(font);
    const int captionLength = static_cast<int>(dialog.GetDlgItemText(id).size());
    button->resize(15 * (captionLength + 1), button->height());
}

void CategoryChecks::fitToCaptions(const QFont& font)
{
    for (const content::CategoryBox& box : boxes_)
        FitButtonToCaption(page_, font, box.id);
}

void CategoryChecks::exchange(platform::DataExchange& exchange, std::span<int> checked) const
{
    for (std::size_t k = 0; k < boxes_.size(); ++k)
        exchange.checkBox(boxes_[k].id, checked[k]);
}

std::vector<std::uint8_t> CategoryChecks::checkedPositions(std::span<const int> checked) const
{
    std::vector<std::uint8_t> positions;
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        if (checked[k])
            positions.push_back(static_cast<std::uint8_t>(boxes_[k].position));
    }
    return positions;
}

void CategoryChecks::uncheckAll()
{
    for (const content::CategoryBox& box : boxes_)
        page_.control<QAbstractButton>(box.id)->setChecked(false);
}

void CategoryChecks::enableAll(bool on)
{
    for (const content::CategoryBox& box : boxes_)
        page_.control(box.id)->setEnabled(on);
}

void CategoryChecks::enableOccurring(std::span<const std::u16string_view> flagList)
{
    std::vector<int> positions;
    for (const content::CategoryBox& box : boxes_)
        positions.push_back(box.position);
    const std::vector<bool> occurs = OccurringCodes(flagList, positions);
    for (std::size_t k = 0; k < boxes_.size(); ++k)
        page_.control(boxes_[k].id)->setEnabled(occurs[k]);
}

} // namespace pages
