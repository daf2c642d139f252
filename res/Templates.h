#pragma once
// The dialog templates of the program, as data: 102 the main window, 152, 153 and 154 the
// three sentence pages, 147, 155 and 156 the field panels of the outside activities page.

#include "platform/DialogTemplate.h"

namespace res {

const platform::DialogTemplate& dialogTemplate(int id);

} // namespace res
