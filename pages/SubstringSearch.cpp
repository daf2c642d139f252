#include "SubstringSearch.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pages {

namespace {

bool middleMatches(const char16_t* at, std::u16string_view needle)
{
    return needle.size() <= 2 ||
           std::memcmp(at + 1, needle.data() + 1, (needle.size() - 2) * sizeof(char16_t)) == 0;
}

} // namespace

bool contains(std::u16string_view haystack, std::u16string_view needle)
{
    return find(haystack, needle) != std::u16string_view::npos;
}

std::size_t find(std::u16string_view haystack, std::u16string_view needle, std::size_t from)
{
    constexpr std::size_t npos = std::u16string_view::npos;
    const std::size_t n = needle.size();
    if (from > haystack.size() || n > haystack.size() - from)
        return npos;
    if (n == 0)
        return from;
    const std::size_t lastStart = haystack.size() - n; // the last position a match can start
    const char16_t* hay = haystack.data();
    std::size_t i = from;
#ifdef __SSE2__
    // Eight candidate positions at a time: a position is worth a full comparison only when the
    // needle's first and last code units both match there.
    const __m128i first = _mm_set1_epi16(static_cast<short>(needle.front()));
    const __m128i last = _mm_set1_epi16(static_cast<short>(needle.back()));
    for (; i + 8 <= lastStart + 1; i += 8) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i + n - 1));
        const __m128i both =
            _mm_and_si128(_mm_cmpeq_epi16(atFirst, first), _mm_cmpeq_epi16(atLast, last));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both));
        while (mask != 0) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (middleMatches(hay + i + bit / 2, needle))
                return i + bit / 2;
            mask &= ~(3u << bit); // two mask bits per code unit
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (hay[i] == needle.front() && hay[i + n - 1] == needle.back() &&
            middleMatches(hay + i, needle))
            return i;
    }
    return npos;
}

} // namespace pages
