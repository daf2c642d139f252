#include "SentenceFilter.h"

#include "SubstringSearch.h"

#include <algorithm>

namespace pages {

void MatchList::clear()
{
    matchTexts.clear();
    matchFlags.clear();
    matchCount = 0;
}

void MatchList::append(std::u16string_view text, std::u16string_view flags)
{
    matchTexts.push_back(text);
    matchFlags.push_back(flags);
    ++matchCount;
}

StringArray SplitAtChar(std::u16string_view text, std::u16string_view delimiter)
{
    StringArray pieces;
    if (delimiter.empty()) {
        if (!text.empty())
            pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(delimiter.front()); at != std::u16string_view::npos;
         at = text.find(delimiter.front(), start)) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    if (start < text.size())
        pieces.emplace_back(text.substr(start));
    return pieces;
}

StringArray KeywordTerms(std::u16string_view keyword)
{
    StringArray terms;
    for (const std::u16string& piece : SplitAtChar(keyword, u" ")) {
        if (piece.empty())
            continue;
        for (std::u16string& term : SplitAtChar(piece, u"\u3000")) {
            if (!term.empty())
                terms.push_back(std::move(term));
        }
    }
    return terms;
}

bool IsUnicodeWhiteSpace(char16_t c)
{
    switch (c) {
    case u'\u0009': // tab
    case u'\u000A': // line feed
    case u'\u000B': // vertical tab
    case u'\u000C': // form feed
    case u'\u000D': // carriage return
    case u'\u0020': // space
    case u'\u0085': // next line
    case u'\u00A0': // no-break space
    case u'\u1680': // ogham space mark
    case u'\u2028': // line separator
    case u'\u2029': // paragraph separator
    case u'\u202F': // narrow no-break space
    case u'\u205F': // medium mathematical space
    case u'\u3000': // ideographic space
        return true;
    default:
        return c >= u'\u2000' && c <= u'\u200A'; // en quad .. hair space
    }
}

std::u16string_view TrimWhiteSpace(std::u16string_view keyword)
{
    while (!keyword.empty() && IsUnicodeWhiteSpace(keyword.back()))
        keyword.remove_suffix(1);
    while (!keyword.empty() && IsUnicodeWhiteSpace(keyword.front()))
        keyword.remove_prefix(1);
    return keyword;
}

bool IsRejectedKeyword(std::u16string_view trimmedKeyword)
{
    return trimmedKeyword.empty() || trimmedKeyword == kPlaceholder;
}

bool ContainsAllTerms(std::u16string_view text, const StringArray& terms)
{
    return std::all_of(terms.begin(), terms.end(),
                       [text](const std::u16string& term) { return contains(text, term); });
}

void NarrowByCode(MatchList& matches, int code)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < matches.matchFlags.size(); ++i) {
        if (!HasFlag(matches.matchFlags[i], code))
            continue;
        matches.matchTexts[kept] = matches.matchTexts[i];
        matches.matchFlags[kept] = matches.matchFlags[i];
        ++kept;
    }
    matches.matchTexts.resize(kept);
    matches.matchFlags.resize(kept);
    matches.matchCount = static_cast<int>(kept);
}

std::vector<bool> OccurringCodes(std::span<const std::u16string_view> flagList,
                                 std::span<const int> codes)
{
    std::vector<bool> occurs(codes.size(), false);
    std::size_t found = 0;
    for (const std::u16string_view flags : flagList) {
        for (std::size_t k = 0; k < codes.size(); ++k) {
            if (!occurs[k] && HasFlag(flags, codes[k])) {
                occurs[k] = true;
                ++found;
            }
        }
        if (found == codes.size())
            break; // every box is usable already; the rest cannot change that
    }
    return occurs;
}

} // namespace pages
