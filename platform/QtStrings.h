#pragma once
// Texts are UTF-16 everywhere; they become QStrings only at the widgets.

#include <QString>
#include <string_view>

namespace platform {

inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace platform
