#include "SentenceSearch.h"

#include "SubstringSearch.h"
#include "content/Folding.h"

#include <algorithm>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace pages {

namespace {

// The sentences are searched a few dozen at a time: the marks of so many units stay in the
// first-level cache while the sentences are looked up in them.
constexpr std::size_t kChunkUnits = 4096;

// The two units of the needle compared at every position: the anchor (the unit least frequent
// as a rule) and the last unit, or the first when the anchor is the last. With a needle of one
// or two units they are all of it; a longer one is compared whole where both are in place.
// Folded, a probe unit is also found in its twin's form (content/Folding.h): a hiragana of the
// needle as its katakana too. The twins of units without one are the units themselves.
struct Probe {
    std::u16string_view needle;
    std::size_t anchorAt;
    std::size_t secondAt;
    bool isWholeNeedle;
    bool folded;
    char16_t anchorTwin;
    char16_t secondTwin;
};

Probe probeOf(std::u16string_view needle, bool folded)
{
    const std::size_t anchorAt = detail::anchorOf(needle);
    const std::size_t secondAt = anchorAt + 1 == needle.size() ? 0 : needle.size() - 1;
    const auto twin = [&](std::size_t at) {
        return folded ? content::twinOf(needle[at]) : needle[at];
    };
    return {needle, anchorAt, secondAt, needle.size() <= 2, folded, twin(anchorAt), twin(secondAt)};
}

inline bool probeUnitAt(char16_t unit, char16_t wanted, char16_t twin)
{
    return unit == wanted || unit == twin;
}

#ifdef __SSE2__
// Marks 64 positions at a time in 128-bit registers, eight positions to a register: the probe
// units broadcast once, four groups of sixteen positions tested and packed into one word.
class BlockMarker {
public:
    BlockMarker(const char16_t* units, const Probe& probe)
        : atAnchor_(units + probe.anchorAt), atSecond_(units + probe.secondAt),
          anchor_(_mm_set1_epi16(static_cast<short>(probe.needle[probe.anchorAt]))),
          second_(_mm_set1_epi16(static_cast<short>(probe.needle[probe.secondAt]))),
          anchorTwin_(_mm_set1_epi16(static_cast<short>(probe.anchorTwin))),
          secondTwin_(_mm_set1_epi16(static_cast<short>(probe.secondTwin)))
    {
    }

    // Bit p for the position at + p, p < 64, where both probe units are in place. Reads the
    // units at + 0 .. at + 63 + the farther probe unit.
    std::uint64_t operator()(std::size_t at) const
    {
        return sixteen(at) | sixteen(at + 16) << 16 | sixteen(at + 32) << 32 |
               sixteen(at + 48) << 48;
    }

private:
    static __m128i load(const char16_t* p)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static __m128i either(__m128i units, __m128i wanted, __m128i twin)
    {
        return _mm_or_si128(_mm_cmpeq_epi16(units, wanted), _mm_cmpeq_epi16(units, twin));
    }
    __m128i eight(std::size_t at) const
    {
        return _mm_and_si128(either(load(atAnchor_ + at), anchor_, anchorTwin_),
                             either(load(atSecond_ + at), second_, secondTwin_));
    }
    // One byte a position after the pack, one bit after the mask.
    std::uint64_t sixteen(std::size_t at) const
    {
        const __m128i both = _mm_packs_epi16(eight(at), eight(at + 8));
        return static_cast<std::uint16_t>(_mm_movemask_epi8(both));
    }

    const char16_t* atAnchor_;
    const char16_t* atSecond_;
    __m128i anchor_;
    __m128i second_;
    __m128i anchorTwin_;
    __m128i secondTwin_;
};

// What BlockMarker does for `words` words from `from` on, into marks; returns their union.
std::uint64_t markBlocks(const char16_t* units, std::size_t from, std::size_t words,
                         const Probe& probe, std::uint64_t* marks)
{
    const BlockMarker markBlock(units, probe);
    std::uint64_t any = 0;
    for (std::size_t w = 0; w < words; ++w) {
        marks[w] = markBlock(from + w * 64);
        any |= marks[w];
    }
    return any;
}

// The same in 256-bit registers, sixteen positions to a register, where the processor has them:
// a tenth less time than in 128-bit ones (512-bit ones, tried, were no faster than these). The
// pack works within each half of the register, so its quarters are put back in order before the
// mask.
#define VERDANE_WIDE __attribute__((target("avx2")))

VERDANE_WIDE inline __m256i loadWide(const char16_t* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The probe units and their twins, broadcast.
struct WideProbe {
    __m256i anchor, anchorTwin, second, secondTwin;
};

VERDANE_WIDE inline __m256i eitherWide(__m256i units, __m256i wanted, __m256i twin)
{
    return _mm256_or_si256(_mm256_cmpeq_epi16(units, wanted), _mm256_cmpeq_epi16(units, twin));
}

VERDANE_WIDE inline __m256i bothInPlace(const char16_t* atAnchor, const char16_t* atSecond,
                                        const WideProbe& probe)
{
    return _mm256_and_si256(eitherWide(loadWide(atAnchor), probe.anchor, probe.anchorTwin),
                            eitherWide(loadWide(atSecond), probe.second, probe.secondTwin));
}

VERDANE_WIDE inline std::uint64_t thirtyTwo(const char16_t* atAnchor, const char16_t* atSecond,
                                            const WideProbe& probe)
{
    const __m256i packed = _mm256_packs_epi16(bothInPlace(atAnchor, atSecond, probe),
                                              bothInPlace(atAnchor + 16, atSecond + 16, probe));
    const __m256i inOrder = _mm256_permute4x64_epi64(packed, 0xD8); // quarters 0, 2, 1, 3
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(inOrder));
}

VERDANE_WIDE std::uint64_t markBlocksWide(const char16_t* units, std::size_t from,
                                          std::size_t words, const Probe& probe,
                                          std::uint64_t* marks)
{
    const WideProbe wide{_mm256_set1_epi16(static_cast<short>(probe.needle[probe.anchorAt])),
                         _mm256_set1_epi16(static_cast<short>(probe.anchorTwin)),
                         _mm256_set1_epi16(static_cast<short>(probe.needle[probe.secondAt])),
                         _mm256_set1_epi16(static_cast<short>(probe.secondTwin))};
    const char16_t* atAnchor = units + from + probe.anchorAt;
    const char16_t* atSecond = units + from + probe.secondAt;
    std::uint64_t any = 0;
    for (std::size_t w = 0; w < words; ++w, atAnchor += 64, atSecond += 64) {
        marks[w] = thirtyTwo(atAnchor, atSecond, wide) |
                   thirtyTwo(atAnchor + 32, atSecond + 32, wide) << 32;
        any |= marks[w];
    }
    return any;
}

// The widest registers both the processor and the caller allow.
unsigned registerBits(unsigned mostBits)
{
    static const bool has256 = __builtin_cpu_supports("avx2");
    return mostBits >= 256 && has256 ? 256 : 128;
}

std::uint64_t markBlocksIn(unsigned bits, const char16_t* units, std::size_t from,
                           std::size_t words, const Probe& probe, std::uint64_t* marks)
{
    return bits == 256 ? markBlocksWide(units, from, words, probe, marks)
                       : markBlocks(units, from, words, probe, marks);
}
#endif

// Bit p for the position at + p, p < 64, where both probe units are in place, one position at a
// time: near the end of the units, where a block would read past them, and where there is no
// SSE2. Only positions the whole needle fits behind are marked.
std::uint64_t markTail(std::u16string_view units, std::size_t at, const Probe& probe)
{
    std::uint64_t word = 0;
    for (std::size_t p = 0; p < 64 && at + p + probe.needle.size() <= units.size(); ++p) {
        word |= std::uint64_t{probeUnitAt(units[at + p + probe.anchorAt],
                                          probe.needle[probe.anchorAt], probe.anchorTwin) &&
                              probeUnitAt(units[at + p + probe.secondAt],
                                          probe.needle[probe.secondAt], probe.secondTwin)}
                << p;
    }
    return word;
}

// Marks, in marks, the positions from + p (p below positions, rounded up to 64) where both probe
// units are in place. Returns whether any is.
bool markCandidates(std::u16string_view units, std::size_t from, std::size_t positions,
                    const Probe& probe, unsigned mostBits, std::uint64_t* marks)
{
    std::uint64_t any = 0;
    std::size_t w = 0;
#ifdef __SSE2__
    // Words whose block, the farther probe unit included, lies within the units.
    const std::size_t reach = std::max(probe.anchorAt, probe.secondAt);
    const std::size_t words = std::min(
        (positions + 63) / 64,
        from + 64 + reach <= units.size() ? (units.size() - from - 64 - reach) / 64 + 1 : 0);
    any = markBlocksIn(registerBits(mostBits), units.data(), from, words, probe, marks);
    w = words;
#endif
    for (; w * 64 < positions; ++w) {
        marks[w] = markTail(units, from + w * 64, probe);
        any |= marks[w];
    }
    return any != 0;
}

// Whether a position first .. last (inclusive) is marked. A run of up to 129 positions is two
// or three words, looked at without a branch: the sentences of a content are no longer as a
// rule, and which of them span two words or three is as good as random.
inline __attribute__((always_inline)) bool anyMarked(const std::uint64_t* marks, std::size_t first,
                                                     std::size_t last)
{
    const std::size_t firstWord = first / 64;
    const std::size_t lastWord = last / 64;
    const std::uint64_t low = marks[firstWord] & (~std::uint64_t{0} << (first % 64));
    const std::uint64_t high = marks[lastWord] & (~std::uint64_t{0} >> (63 - last % 64));
    const std::uint64_t middle = marks[firstWord + 1] & -std::uint64_t{firstWord + 1 < lastWord};
    const std::uint64_t inOne = -std::uint64_t{firstWord == lastWord};
    std::uint64_t any = (low & high & inOne) | ((low | middle | high) & ~inOne);
    for (std::size_t w = firstWord + 2; w < lastWord; ++w)
        any |= marks[w];
    return any != 0;
}

// Whether the needle occurs whole at a marked position first .. last of the units from `from`,
// folded or as it is.
bool needleAtAMark(std::u16string_view units, std::size_t from, const std::uint64_t* marks,
                   std::size_t first, std::size_t last, std::u16string_view needle, bool folded)
{
    for (std::size_t p = first; p <= last;) {
        const std::uint64_t ahead = marks[p / 64] >> (p % 64);
        if (ahead == 0) {
            p = (p / 64 + 1) * 64;
            continue;
        }
        p += static_cast<std::size_t>(__builtin_ctzll(ahead));
        if (p > last)
            break;
        if (folded ? content::foldedAt(units, from + p, needle)
                   : std::equal(needle.begin(), needle.end(), units.data() + from + p))
            return true;
        ++p;
    }
    return false;
}

// One past the last of the sentences from first on that together fit in a chunk; at least one.
// Looked for in steps of 1, 2, 4, ... sentences and then by halves within the last step, so
// that only the offsets near the chunk are read.
std::size_t chunkEnd(std::span<const std::uint32_t> starts, std::size_t first)
{
    const std::uint64_t limit = std::uint64_t{starts[first]} + kChunkUnits;
    std::size_t fits = first + 1; // one past sentences known to fit, or first + 1
    std::size_t step = 1;
    while (fits + step < starts.size() && starts[fits + step] <= limit) {
        fits += step;
        step *= 2;
    }
    const auto from = starts.begin() + static_cast<std::ptrdiff_t>(fits);
    const auto to =
        starts.begin() + static_cast<std::ptrdiff_t>(std::min(fits + step, starts.size()));
    const auto past = std::upper_bound(from, to, limit); // the first start past the limit
    return std::max(first + 1, static_cast<std::size_t>(past - starts.begin()) - 1);
}

// Sets in holds the bits of the sentences first .. end - 1 for which holdsNeedle(firstAt,
// lastAt) is true, the first and last positions of the chunk where an occurrence inside the
// sentence can start. A sentence shorter than the needle gets false without a question.
template <typename HoldsNeedle>
void markSentences(std::span<const std::uint32_t> starts, std::size_t first, std::size_t end,
                   std::size_t length, std::vector<std::uint64_t>& holds, HoldsNeedle holdsNeedle)
{
    const std::size_t from = starts[first];
    std::uint64_t bits = 0; // of the word of holds that sentence i is in
    for (std::size_t i = first; i < end; ++i) {
        // Position 0 stands in for the positions of a sentence too short; its answer is dropped.
        const bool fits = starts[i + 1] - starts[i] >= length;
        const std::size_t firstAt = fits ? starts[i] - from : 0;
        const std::size_t lastAt = fits ? starts[i + 1] - from - length : 0;
        bits |= static_cast<std::uint64_t>(fits & holdsNeedle(firstAt, lastAt)) << (i % 64);
        if (i % 64 == 63 || i + 1 == end) {
            holds[i / 64] |= bits;
            bits = 0;
        }
    }
}

// Marks in holds the sentences first .. end - 1 that hold the needle.
void markChunk(std::u16string_view units, std::span<const std::uint32_t> starts, std::size_t first,
               std::size_t end, const Probe& probe, unsigned mostBits,
               std::vector<std::uint64_t>& marks, std::vector<std::uint64_t>& holds)
{
    const std::size_t from = starts[first];
    const std::size_t length = probe.needle.size();
    if (starts[end] - from < length)
        return;
    const std::size_t positions = starts[end] - from - length + 1; // where an occurrence can start
    marks.resize(std::max(marks.size(), positions / 64 + 2)); // one more word, read, never counted
    if (!markCandidates(units, from, positions, probe, mostBits, marks.data()))
        return;
    const std::uint64_t* const marked = marks.data();
    using Position = std::size_t;
    if (probe.isWholeNeedle) {
        markSentences(starts, first, end, length, holds, [=](Position firstAt, Position lastAt) {
            return anyMarked(marked, firstAt, lastAt);
        });
    } else {
        markSentences(starts, first, end, length, holds, [&](Position firstAt, Position lastAt) {
            return anyMarked(marked, firstAt, lastAt) &&
                   needleAtAMark(units, from, marked, firstAt, lastAt, probe.needle, probe.folded);
        });
    }
}

} // namespace

void markSentencesHolding(std::u16string_view units, std::span<const std::uint32_t> starts,
                          std::u16string_view needle, std::vector<std::uint64_t>& holds,
                          unsigned mostRegisterBits, bool folded)
{
    const std::size_t count = starts.empty() ? 0 : starts.size() - 1;
    holds.assign((count + 63) / 64, 0);
    if (needle.empty()) {
        for (std::size_t i = 0; i < count; ++i)
            holds[i / 64] |= std::uint64_t{1} << (i % 64);
        return;
    }
    const Probe probe = probeOf(needle, folded);
    std::vector<std::uint64_t> marks;
    for (std::size_t first = 0; first < count;) {
        const std::size_t end = chunkEnd(starts, first);
        markChunk(units, starts, first, end, probe, mostRegisterBits, marks, holds);
        first = end;
    }
}

} // namespace pages
