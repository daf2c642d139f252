#include "EntryTally.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace content {

// Every byte of every content passes here as it inflates, so sixteen are looked at together
// where the processor allows: a byte at a time this took a quarter of the time of loading.
void EntryTally::count(std::string_view piece)
{
    std::uint64_t ends = 0, continuations = 0, fourByteLeads = 0;
    std::size_t at = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i lineEnd = _mm_set1_epi8('\n');
    const __m128i topTwoBits = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i highBit = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i aboveEF = _mm_set1_epi8(0x6F); // 0xEF with its high bit flipped
    const auto sum = [&](__m128i lanes) {
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        return static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    };
    while (piece.size() - at >= 16) {
        // Each lane counts one byte position; 255 blocks at most, so no lane overflows.
        __m128i endLanes = zero, continuationLanes = zero, leadLanes = zero;
        for (int block = 0; block < 255 && piece.size() - at >= 16; ++block, at += 16) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(piece.data() + at));
            endLanes = _mm_sub_epi8(endLanes, _mm_cmpeq_epi8(bytes, lineEnd));
            continuationLanes = _mm_sub_epi8(
                continuationLanes, _mm_cmpeq_epi8(_mm_and_si128(bytes, topTwoBits), highBit));
            // Unsigned byte >= 0xF0 is signed (byte ^ 0x80) > 0x6F.
            leadLanes =
                _mm_sub_epi8(leadLanes, _mm_cmpgt_epi8(_mm_xor_si128(bytes, highBit), aboveEF));
        }
        ends += sum(endLanes);
        continuations += sum(continuationLanes);
        fourByteLeads += sum(leadLanes);
    }
#endif
    for (; at < piece.size(); ++at) {
        const auto byte = static_cast<std::uint8_t>(piece[at]);
        ends += byte == '\n';
        continuations += (byte & 0xC0) == 0x80;
        fourByteLeads += byte >= 0xF0;
    }
    lineEnds += ends;
    utf16Units += piece.size() - continuations + fourByteLeads;
}

} // namespace content
