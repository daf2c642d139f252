#include "SentenceFilter.h"

#include "BlockByBlock.h"
#include "SentenceSearch.h"
#include "SubstringSearch.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace pages {

void MatchList::clear()
{
    matchTexts.clear();
    matchFlags.clear();
    matchCount = 0;
    chainTexts = nullptr;
    chainFlags = nullptr;
    chainCodes.clear();
}

bool MatchList::holdsChainWithin(const void* texts, const void* flags,
                                 std::span<const std::uint8_t> codes) const
{
    return chainTexts != nullptr && chainTexts == texts && chainFlags == flags &&
           std::all_of(chainCodes.begin(), chainCodes.end(), [codes](std::uint8_t held) {
               return std::find(codes.begin(), codes.end(), held) != codes.end();
           });
}

void MatchList::startChain(const void* texts, const void* flags, int code)
{
    chainCodes.clear();
    if (code < 0 || code > UINT8_MAX) {
        chainTexts = nullptr; // no AND chain is made of such a code
        chainFlags = nullptr;
        return;
    }
    chainTexts = texts;
    chainFlags = flags;
    chainCodes.push_back(static_cast<std::uint8_t>(code));
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
                       [text](const std::u16string& term) { return containsRun(text, term); });
}

void NarrowByCode(MatchList& matches, int code)
{
    const bool inChain = matches.chainTexts != nullptr;
    if (inChain && std::find(matches.chainCodes.begin(), matches.chainCodes.end(), code) !=
                       matches.chainCodes.end())
        return; // every match belongs to it already
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
    if (inChain && code >= 0 && code <= UINT8_MAX)
        matches.chainCodes.push_back(static_cast<std::uint8_t>(code));
    else
        matches.chainTexts = matches.chainFlags = nullptr;
}

namespace {

// Appends the records base + k for the set bits k of bits, in order.
void appendMarked(const ContentArray& texts, const ContentArray& flags, std::size_t base,
                  std::uint64_t bits, MatchList& out)
{
    for (; bits != 0; bits &= bits - 1) {
        const std::size_t i = base + static_cast<std::size_t>(__builtin_ctzll(bits));
        out.append(texts[i], flags[i]);
    }
}

// Appends the records of 0 .. count - 1 for which belongs(i) is 1, in order: 64 records at a
// time, one bit each, then the matches of the set bits.
template <typename Belongs>
void appendWhere(const ContentArray& texts, const ContentArray& flags, std::size_t count,
                 MatchList& out, Belongs belongs)
{
    for (std::size_t base = 0; base < count; base += 64) {
        const std::size_t span = std::min<std::size_t>(64, count - base);
        std::uint64_t bits = 0;
        for (std::size_t k = 0; k < span; ++k)
            bits |= belongs(base + k) << k;
        appendMarked(texts, flags, base, bits, out);
    }
}

// The set bits k of bits for which record base + k holds every term.
std::uint64_t holdingAllTerms(const ContentArray& texts, std::size_t base, std::uint64_t bits,
                              const StringArray& terms)
{
    for (std::uint64_t rest = bits; rest != 0; rest &= rest - 1) {
        const int k = __builtin_ctzll(rest);
        if (!ContainsAllTerms(texts[base + static_cast<std::size_t>(k)], terms))
            bits &= ~(std::uint64_t{1} << k);
    }
    return bits;
}

} // namespace

void AppendCategoryMatches(const ContentArray& texts, const ContentArray& flags, int code,
                           MatchList& out)
{
    const std::size_t count = std::min(texts.size(), flags.size());
    if (code < 0 || flags.units().empty())
        return; // no flag string holds a "1" at such a position
    const auto position = static_cast<std::size_t>(code);
    const char16_t* units = flags.units().data();
    const std::span<const std::uint32_t> starts = flags.starts();
    const std::optional<std::size_t> length = flags.itemLength();
    if (length && position >= *length)
        return;
    // Whether the flag string of record i belongs to the category is found without a branch:
    // which records do is as good as random, and a branch that guesses wrong one time in five
    // costs more than reading the flag.
    if (length) {
        const std::size_t stride = *length;
        appendWhere(texts, flags, count, out, [=](std::size_t i) -> std::uint64_t {
            return units[i * stride + position] == u'1';
        });
    } else {
        appendWhere(texts, flags, count, out, [=](std::size_t i) -> std::uint64_t {
            const std::size_t start = starts[i];
            const bool inside = position < starts[i + 1] - start;
            return inside & (units[inside ? start + position : 0] == u'1');
        });
    }
}

void AppendKeywordMatches(const ContentArray& texts, const ContentArray& flags,
                          const StringArray& terms, MatchList& out)
{
    // The longest term is the rarest one as a rule, so the fewest sentences are checked twice.
    const auto longest = std::max_element(
        terms.begin(), terms.end(),
        [](const std::u16string& a, const std::u16string& b) { return a.size() < b.size(); });
    const std::u16string_view needle =
        longest == terms.end() ? std::u16string_view() : std::u16string_view(*longest);
    const std::size_t count = std::min(texts.size(), flags.size()); // no sentence past the flags
    const auto search = [&](std::size_t base, std::size_t sentences,
                            std::vector<std::uint64_t>& holding) {
        markSentencesHolding(texts.units(), texts.starts().subspan(base, sentences + 1), needle,
                             holding);
        if (terms.size() > 1) {
            for (std::size_t word = 0; word < holding.size(); ++word)
                holding[word] = holdingAllTerms(texts, base + word * 64, holding[word], terms);
        }
    };
    const auto list = [&](std::size_t base, std::span<const std::uint64_t> holding) {
        for (std::size_t word = 0; word < holding.size(); ++word)
            appendMarked(texts, flags, base + word * 64, holding[word], out);
    };
    // A block at a time, so that the sentences found are still in the cache when they are
    // checked for the other terms and listed; on two threads where starting the second costs
    // less than it saves.
    constexpr std::size_t kBlock = 2048;
    constexpr std::size_t kTwoThreadsFrom = 16 * kBlock;
    searchBlockByBlock(count, kBlock, count >= kTwoThreadsFrom, search, list);
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
