#pragma once
// The choice-to-result logic of the sentence pages, free of any window: what a flag string
// means, the category and keyword filters, the keyword rule and the AND chain of categories.
// The match list holds views into the page's content arrays, which are filled once when the
// page starts and stay unchanged until the page releases them (after clearing its matches).

#include "content/ContentArray.h"
#include "content/StringArray.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pages {

inline constexpr std::u16string_view kPlaceholder = u"キーワード検索";

struct MatchList {
    std::vector<std::u16string_view> matchTexts;
    std::vector<std::u16string_view> matchFlags;
    int matchCount = 0;

    // When the list is exactly the AND chain of chainCodes (in any order) over the arrays at
    // chainTexts and chainFlags, those arrays; null when it holds anything else. A chain that
    // only grows can then narrow the list instead of reading the content again.
    const void* chainTexts = nullptr;
    const void* chainFlags = nullptr;
    std::vector<std::uint8_t> chainCodes;

    void clear();
    void append(std::u16string_view text, std::u16string_view flags)
    {
        matchTexts.push_back(text);
        matchFlags.push_back(flags);
        ++matchCount;
        chainTexts = nullptr; // whatever the list was, it is more now
    }
    // Whether the list is the chain of a subset of codes over texts and flags.
    bool holdsChainWithin(const void* texts, const void* flags,
                          std::span<const std::uint8_t> codes) const;
    // Records that the list now is the chain of the one code over texts and flags.
    void startChain(const void* texts, const void* flags, int code);
};

// Whether the sentence of this flag string belongs to the category at flag position code:
// exactly when the one character there is "1". A shorter flag string does not belong.
inline bool HasFlag(std::u16string_view flags, int code)
{
    return code >= 0 && static_cast<std::size_t>(code) < flags.size() && flags[code] == u'1';
}

// Splits text at every occurrence of the first character of delimiter. A leading delimiter
// gives an empty first piece and two adjacent ones an empty piece between them; a trailing
// delimiter gives no empty last piece, and an empty text gives no piece at all.
StringArray SplitAtChar(std::u16string_view text, std::u16string_view delimiter);

// The terms of a keyword: split at U+0020, each piece split again at U+3000, empty pieces
// dropped at both levels.
StringArray KeywordTerms(std::u16string_view keyword);

bool IsUnicodeWhiteSpace(char16_t c);
// The keyword without white space at either end. White space is the Unicode White_Space set,
// the same in every locale.
std::u16string_view TrimWhiteSpace(std::u16string_view keyword);
// An empty keyword and the placeholder itself ask for nothing.
bool IsRejectedKeyword(std::u16string_view trimmedKeyword);

// Whether every term occurs in text (exact UTF-16 code units); stops at the first missing term.
bool ContainsAllTerms(std::u16string_view text, const StringArray& terms);

// Appends, in content order, the sentences that belong to category code.
template <typename Texts, typename Flags>
void AppendCategoryMatches(const Texts& texts, const Flags& flags, int code, MatchList& out)
{
    for (std::size_t i = 0; i < texts.size() && i < flags.size(); ++i) {
        if (HasFlag(flags[i], code))
            out.append(texts[i], flags[i]);
    }
}

// The same over a loaded content, which reads little more than the one code unit of each flag
// string that it asks about.
void AppendCategoryMatches(const ContentArray& texts, const ContentArray& flags, int code,
                           MatchList& out);

// Appends, in content order, the sentences of a loaded content that contain every term. The
// longest term is looked for in one pass over all the content's code units, so that the search
// runs at about the speed memory is read, and a sentence found is checked for the other terms.
void AppendKeywordMatches(const ContentArray& texts, const ContentArray& flags,
                          const StringArray& terms, MatchList& out);

// Appends, in content order, the sentences that contain every term.
template <typename Texts, typename Flags>
void AppendKeywordMatches(const Texts& texts, const Flags& flags, const StringArray& terms,
                          MatchList& out)
{
    for (std::size_t i = 0; i < texts.size() && i < flags.size(); ++i) {
        if (ContainsAllTerms(texts[i], terms))
            out.append(texts[i], flags[i]);
    }
}

// Replaces out with the matches of one filter run: the sentences containing every term of a
// non-empty keyword (code ignored), or else those of category code.
template <typename Texts, typename Flags>
void FilterSentences(const Texts& srcTexts, const Flags& srcFlags, int code,
                     std::u16string_view keyword, MatchList& out)
{
    out.clear();
    if (!keyword.empty()) {
        AppendKeywordMatches(srcTexts, srcFlags, KeywordTerms(keyword), out);
    } else {
        AppendCategoryMatches(srcTexts, srcFlags, code, out);
        out.startChain(&srcTexts, &srcFlags, code);
    }
}

// Keeps only the matches that also belong to category code, in their order.
void NarrowByCode(MatchList& matches, int code);

// The AND chain: the sentences that belong to every code, in content order. No code, no match.
// When out already holds the chain of some of these codes over the same arrays, it is narrowed
// by the others: the same sentences in the same order as a scan of the whole content gives.
template <typename Texts, typename Flags>
void FilterByCodes(const Texts& texts, const Flags& flags, std::span<const std::uint8_t> codes,
                   MatchList& out)
{
    if (!codes.empty() && out.holdsChainWithin(&texts, &flags, codes)) {
        for (const std::uint8_t code : codes)
            NarrowByCode(out, code); // a code the chain holds already keeps every match
        return;
    }
    out.clear();
    if (codes.empty())
        return;
    AppendCategoryMatches(texts, flags, codes.front(), out);
    out.startChain(&texts, &flags, codes.front());
    for (const std::uint8_t code : codes.subspan(1))
        NarrowByCode(out, code);
}

// For each code, whether at least one flag string belongs to it.
std::vector<bool> OccurringCodes(std::span<const std::u16string_view> flagList,
                                 std::span<const int> codes);

} // namespace pages
