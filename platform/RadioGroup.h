#pragma once
// A radio group as the pages use it: the buttons exclude one another, and the group may also
// have no button checked at all.

#include <vector>

class QRadioButton;

namespace platform {

int checkedIndex(const std::vector<QRadioButton*>& group);                // -1 when none is checked
void setCheckedIndex(const std::vector<QRadioButton*>& group, int index); // -1 clears all

} // namespace platform
