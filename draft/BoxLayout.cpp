#include "BoxLayout.h"

namespace draft {

namespace {

bool isLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

// The characters that take one byte in code page 932: they print at half the width.
bool isHalfWidth(char16_t unit)
{
    return (unit >= 0x20 && unit <= 0x7E) || (unit >= 0xFF61 && unit <= 0xFF9F);
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

// clang-format off
// The recommendation field's size is what one school system prints (10 lines of 38 full-width
// characters). The other two are starting points of the same width for the teacher to set to
// the school's own system.
const std::array<FormField, 3> kFormFields = {{
    {u"本人のアピールポイント・推薦事由等", {38, 10}},
    {u"特記事項",                           {38, 4}},
    {u"総合的な探究（学習）の時間",         {38, 4}},
}};
// clang-format on

BoxFit fitInBox(std::u16string_view text, BoxSize box)
{
    // In halves of a full-width character. A line is started lazily, by the first character
    // that does not fit the one before: so a break after a full line ends only that line.
    const std::size_t room = static_cast<std::size_t>(box.columns > 0 ? box.columns : 1) * 2;
    const std::size_t lastLine = static_cast<std::size_t>(box.lines > 0 ? box.lines : 0);
    std::size_t line = 0;
    std::size_t used = 0;
    BoxFit fit{0, text.size(), 0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (isLineBreak(unit)) {
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i; // CR LF is one break
            ++line;
            used = 0;
            continue;
        }
        const bool pair =
            isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        const std::size_t width = isHalfWidth(unit) ? 1 : 2;
        if (used + width > room) {
            ++line;
            used = 0;
        }
        used += width;
        fit.lines = line + 1;
        if (line >= lastLine) {
            if (fit.overflowAt == text.size())
                fit.overflowAt = i;
            ++fit.charactersPast;
        }
        if (pair)
            ++i; // both halves are one character, never split
    }
    return fit;
}

} // namespace draft
