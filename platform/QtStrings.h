#pragma once
// Texts are UTF-16 everywhere; they become QStrings only at the widgets.

#include <QString>
#include <string_view>

namespace platform {

inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The QString's own UTF-16 code units, without a copy; valid while the string lives unchanged.
inline std::u16string_view unitsOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace platform
