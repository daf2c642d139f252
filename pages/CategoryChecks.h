#pragma once
// The category check boxes of a page, which the strengths and the in-school pages handle alike:
// each box stands for its position in the flag strings of one content, and the page's filter
// reads the positions of the boxes checked.

#include "content/Categories.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"

#include <QFont>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pages {

// Gives a category button the font and makes it 15 × (caption length + 1) pixels wide, so it
// ends just after its caption; left, top and height stay.
void FitButtonToCaption(platform::Dialog& dialog, const QFont& font, int id);

class CategoryChecks {
public:
    CategoryChecks(platform::Dialog& page, std::span<const content::CategoryBox> boxes)
        : page_(page), boxes_(boxes)
    {
    }

    void fitToCaptions(const QFont& font);
    // Ties each box to its entry of checked, in table order.
    void exchange(platform::DataExchange& exchange, std::span<int> checked) const;
    // The positions of the boxes checked, in table order.
    std::vector<std::uint8_t> checkedPositions(std::span<const int> checked) const;
    void uncheckAll();
    void enableAll(bool on);
    // Makes exactly the boxes usable whose position is set in at least one of the flag strings.
    void enableOccurring(std::span<const std::u16string_view> flagList);

private:
    platform::Dialog& page_;
    std::span<const content::CategoryBox> boxes_;
};

} // namespace pages
