#pragma once
// A stand-in for the main window around a page under test: it owns the keyword box 1121 that
// the page writes to, and nothing else.

#include "platform/Dialog.h"

#include <QLineEdit>

namespace testing_support {

inline const platform::DialogTemplate& pageHostTemplate()
{
    static const platform::DialogTemplate host{
        900,
        {565, 440},
        {{1121, platform::ControlClass::Edit, platform::Border, {222, 3, 116, 18}, u""}}};
    return host;
}

class PageHost : public platform::Dialog {
public:
    PageHost() : Dialog(pageHostTemplate()) { Create(); }
    std::u16string keywordBoxText() const { return GetDlgItemText(1121); }
};

} // namespace testing_support
