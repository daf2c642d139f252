#pragma once
// A radio group as the pages use it: the buttons exclude one another, and the group may also
// have no button checked at all.

#include <vector>

class QRadioButton;

namespace platform {

int checkedIndex(const std::vector<QRadioButton*>& group);                // -1 when none is checked
void setCheckedIndex(const std::vector<QRadioButton*>& group, int index); // -1 clears all

// Gives the group the keys of a radio group on any desktop. The group is one stop of the Tab
// key: Tab enters it at the checked button, or at the first when none is checked, and chooses
// nothing. The arrows move to the next or previous button in the group's order, round at its
// ends, and choose it as a click does; Space chooses the button that has the focus. A click
// keeps taking the focus to the button clicked.
void giveGroupKeys(const std::vector<QRadioButton*>& group);

} // namespace platform
