#include "DataExchange.h"

#include "RadioGroup.h"

#include <QCheckBox>
#include <QScrollBar>

namespace platform {

void DataExchange::checkBox(int id, int& value)
{
    auto* box = dialog_.control<QCheckBox>(id);
    if (!box)
        return;
    if (saveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DataExchange::radioGroup(int firstId, int& index)
{
    const std::vector<QRadioButton*> buttons = dialog_.radioGroup(firstId);
    if (saveAndValidate)
        index = checkedIndex(buttons);
    else
        setCheckedIndex(buttons, index);
}

void DataExchange::scrollPosition(int id, int& position)
{
    auto* bar = dialog_.control<QScrollBar>(id);
    if (!bar)
        return;
    if (saveAndValidate)
        position = bar->value();
    else
        bar->setValue(position);
}

} // namespace platform
