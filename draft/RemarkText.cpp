#include "RemarkText.h"

#include <algorithm>
#include <string>

namespace draft {

namespace {

constexpr char16_t kNameMark = u'〇';
constexpr char16_t kNumberMark = u'△';

bool isLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

std::size_t countCharacters(std::u16string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLineBreak(text[i]))
            continue;
        // The second half of a pair belongs to the character the first half began.
        if (isLowSurrogate(text[i]) && i > 0 && isHighSurrogate(text[i - 1]))
            continue;
        ++count;
    }
    return count;
}

std::vector<Span> findPlaceholders(std::u16string_view text)
{
    std::vector<Span> marks;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kNumberMark) {
            marks.push_back({i, 1});
        } else if (text[i] == kNameMark && i + 1 < text.size() && text[i + 1] == kNameMark) {
            marks.push_back({i, 2});
            ++i;
        }
    }
    return marks;
}

std::vector<Span> findTerms(std::u16string_view text, const std::vector<std::u16string>& terms)
{
    std::vector<Span> found;
    for (const std::u16string& term : terms) {
        if (term.empty())
            continue;
        for (std::size_t at = text.find(term); at != std::u16string_view::npos;
             at = text.find(term, at + term.size()))
            found.push_back({at, term.size()});
    }
    std::sort(found.begin(), found.end(), [](const Span& a, const Span& b) {
        return a.position != b.position ? a.position < b.position : a.length > b.length;
    });
    std::vector<Span> kept;
    for (const Span& span : found) {
        if (kept.empty() || span.position >= kept.back().position + kept.back().length)
            kept.push_back(span);
    }
    return kept;
}

} // namespace draft
