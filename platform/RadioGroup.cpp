#include "RadioGroup.h"

#include <QRadioButton>

namespace platform {

int checkedIndex(const std::vector<QRadioButton*>& group)
{
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void setCheckedIndex(const std::vector<QRadioButton*>& group, int index)
{
    for (std::size_t i = 0; i < group.size(); ++i) {
        QRadioButton* button = group[i];
        // An exclusive button cannot be unchecked directly; lift the rule for the moment.
        button->setAutoExclusive(false);
        button->setChecked(static_cast<int>(i) == index);
        button->setAutoExclusive(true);
    }
}

} // namespace platform
