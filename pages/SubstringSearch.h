#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pages {

// Whether needle occurs in haystack as a contiguous run of UTF-16 code units. An empty needle
// occurs everywhere.
bool contains(std::u16string_view haystack, std::u16string_view needle);

// Where needle first occurs in haystack at or after from, or npos. An empty needle occurs at
// from itself while from is within haystack.
std::size_t find(std::u16string_view haystack, std::u16string_view needle, std::size_t from = 0);

namespace detail {

// The position in the needle of the unit the search looks for first: the first one that is
// not kana nor ASCII, which in a Japanese sentence are the most frequent units, or else the
// first. The fewer places it occurs, the fewer the search looks at closer.
inline std::size_t anchorOf(std::u16string_view needle)
{
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const char16_t c = needle[k];
        if (c >= 0x80 && !(c >= 0x3040 && c <= 0x30FF))
            return k;
    }
    return 0;
}

} // namespace detail

// Calls onMatch(position) for occurrences of a non-empty needle in haystack, in order, in one
// pass over the haystack. onMatch returns where the search goes on (occurrences before that
// position are passed over), or npos to stop. find stops at the first; a caller that wants
// every occurrence, or one per stretch of the haystack, reads every code unit once.
template <typename OnMatch>
void forEachOccurrence(std::u16string_view haystack, std::u16string_view needle, OnMatch&& onMatch)
{
    constexpr std::size_t npos = std::u16string_view::npos;
    const std::size_t n = needle.size();
    if (n == 0 || n > haystack.size())
        return;
    const std::size_t starts = haystack.size() - n + 1; // positions a match can start at
    const char16_t* const hay = haystack.data();
    const std::size_t k = detail::anchorOf(needle);
    const char16_t anchor = needle[k];
    std::size_t resume = 0; // where onMatch asked the search to go on
    // Offers a position where the anchor matches; true when the search is to stop.
    // Inlined: over a content where most sentences hold the term it runs once a sentence.
    const auto offer = [&](std::size_t at) __attribute__((always_inline))
    {
        if (at < resume || !std::equal(needle.begin(), needle.end(), hay + at))
            return false;
        resume = onMatch(at);
        return resume == npos;
    };
    std::size_t i = 0;
#ifdef __SSE2__
    // Eight candidate positions a block, tested for the anchor unit and one more unit of the
    // needle: a frequent anchor alone would send the search to look closer in most blocks of a
    // content, and each such turn costs a branch guessed wrong. Four blocks are tested with one
    // branch and nothing but registers, so that the loop runs about as fast as the units are
    // read; where a block has candidates, they are offered in order.
    const std::size_t k2 = k + 1 == n ? 0 : n - 1;
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(anchor));
    const __m128i wanted2 = _mm_set1_epi16(static_cast<short>(needle[k2]));
    const char16_t* const atAnchor = hay + k;
    const char16_t* const atSecond = hay + k2;
    const auto load = [](const char16_t* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    const auto candidates = [&](std::size_t at) {
        return _mm_and_si128(_mm_cmpeq_epi16(load(atAnchor + at), wanted),
                             _mm_cmpeq_epi16(load(atSecond + at), wanted2));
    };
    const auto bothMatch = [&](std::size_t at) -> std::uint64_t {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(candidates(at)));
    };
    while (i + 32 <= starts) {
        const __m128i any = _mm_or_si128(_mm_or_si128(candidates(i), candidates(i + 8)),
                                         _mm_or_si128(candidates(i + 16), candidates(i + 24)));
        if (_mm_movemask_epi8(any) == 0) {
            i += 32;
            continue;
        }
        // Two mask bits per position, 32 positions.
        std::uint64_t mask = bothMatch(i) | bothMatch(i + 8) << 16 | bothMatch(i + 16) << 32 |
                             bothMatch(i + 24) << 48;
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctzll(mask)) / 2;
            if (offer(at))
                return;
            // Positions before where the search goes on are passed over.
            const std::size_t next = std::max(resume, at + 1);
            if (next >= i + 32)
                break;
            mask &= ~std::uint64_t{0} << (2 * (next - i));
        }
        i = std::max(i + 32, resume);
    }
#endif
    for (; i < starts; i = std::max(i + 1, resume)) {
        if (hay[i + k] == anchor && offer(i))
            return;
    }
}

} // namespace pages
