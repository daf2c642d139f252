#include "SubstringSearch.h"

#include <algorithm>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pages {

namespace {

// The first occurrence of a non-empty needle no longer than the haystack, or npos, in one pass
// over the haystack.
std::size_t firstOccurrence(std::u16string_view haystack, std::u16string_view needle)
{
    constexpr std::size_t npos = std::u16string_view::npos;
    const std::size_t n = needle.size();
    const std::size_t starts = haystack.size() - n + 1; // positions a match can start at
    const char16_t* const hay = haystack.data();
    const std::size_t k = detail::anchorOf(needle);
    const char16_t anchor = needle[k];
    const auto matchesAt = [&](std::size_t at) {
        return std::equal(needle.begin(), needle.end(), hay + at);
    };
    std::size_t i = 0;
#ifdef __SSE2__
    // Eight candidate positions a block, tested for the anchor unit and one more unit of the
    // needle: a frequent anchor alone would send the search to look closer in most blocks of a
    // content, and each such turn costs a branch guessed wrong. Four blocks are tested with one
    // branch and nothing but registers, so that the loop runs about as fast as the units are
    // read; where a block has candidates, they are looked at in order.
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
    for (; i + 32 <= starts; i += 32) {
        const __m128i any = _mm_or_si128(_mm_or_si128(candidates(i), candidates(i + 8)),
                                         _mm_or_si128(candidates(i + 16), candidates(i + 24)));
        if (_mm_movemask_epi8(any) == 0)
            continue;
        // Two mask bits per position, 32 positions.
        std::uint64_t mask = bothMatch(i) | bothMatch(i + 8) << 16 | bothMatch(i + 16) << 32 |
                             bothMatch(i + 24) << 48;
        while (mask != 0) {
            const std::size_t bit = static_cast<std::size_t>(__builtin_ctzll(mask));
            if (matchesAt(i + bit / 2))
                return i + bit / 2;
            mask &= ~(std::uint64_t{3} << bit); // both bits of this position
        }
    }
#endif
    for (; i < starts; ++i) {
        if (hay[i + k] == anchor && matchesAt(i))
            return i;
    }
    return npos;
}

} // namespace

bool containsRun(std::u16string_view haystack, std::u16string_view needle)
{
    return findRun(haystack, needle) != std::u16string_view::npos;
}

std::size_t findRun(std::u16string_view haystack, std::u16string_view needle, std::size_t from)
{
    constexpr std::size_t npos = std::u16string_view::npos;
    if (from > haystack.size() || needle.size() > haystack.size() - from)
        return npos;
    if (needle.empty())
        return from;
    const std::size_t at = firstOccurrence(haystack.substr(from), needle);
    return at == npos ? npos : from + at;
}

} // namespace pages
