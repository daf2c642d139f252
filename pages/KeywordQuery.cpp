#include "KeywordQuery.h"

#include "BlockByBlock.h"
#include "SentenceFilter.h"
#include "SentenceSearch.h"
#include "content/Folding.h"
#include "content/Readings.h"
#include "content/Synonyms.h"

#include <algorithm>
#include <cstdint>
#include <span>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pages {

namespace {

void addForms(TermForms& forms, std::u16string folded)
{
    if (folded.empty() ||
        std::find(forms.letters.begin(), forms.letters.end(), folded) != forms.letters.end())
        return;
    if (content::isKanaWord(folded))
        forms.kana.push_back(folded);
    forms.letters.push_back(std::move(folded));
}

// Where a reading match that starts at the separator `at` and runs over `kana` ends: one past
// its last unit, or npos when the reading does not hold it there.
std::size_t readingMatchEnd(std::u16string_view reading, std::size_t at, std::u16string_view kana)
{
    // The match begins with the word's own reading: a word without one (a sign, a mark) is
    // passed over only inside a match.
    if (at + 1 >= reading.size() || kana.empty() || reading[at + 1] != kana.front())
        return std::u16string_view::npos;
    std::size_t k = 0;
    std::size_t q = at + 1;
    while (k < kana.size() && q < reading.size()) {
        if (content::isWordSeparator(reading[q])) {
            ++q;
            continue;
        }
        if (reading[q] != kana[k])
            return std::u16string_view::npos;
        ++k;
        ++q;
    }
    return k == kana.size() ? q : std::u16string_view::npos;
}

// The letters of the sentence that the words of a reading match cover: from the first word the
// match starts in to the last it reaches into.
void addReadingSpans(std::u16string_view reading, std::u16string_view kana,
                     std::vector<draft::Span>& spans)
{
    std::size_t wordStart = 0; // in the sentence, of the word at the separator
    for (std::size_t at = 0; at < reading.size(); ++at) {
        if (!content::isWordSeparator(reading[at]))
            continue;
        const std::size_t end = readingMatchEnd(reading, at, kana);
        if (end != std::u16string_view::npos) {
            std::size_t length = 0;
            for (std::size_t q = at; q < end; ++q) {
                if (content::isWordSeparator(reading[q]))
                    length += content::wordUnitsOf(reading[q]);
            }
            spans.push_back({wordStart, length});
        }
        wordStart += content::wordUnitsOf(reading[at]);
    }
}

void addLetterSpans(std::u16string_view text, std::u16string_view folded,
                    std::vector<draft::Span>& spans)
{
    for (std::size_t at = 0; at + folded.size() <= text.size(); ++at) {
        if (content::foldedAt(text, at, folded))
            spans.push_back({at, folded.size()});
    }
}

// Bit i of holding (for sentence base + i) set where the reading of the sentence holds kana from
// a word's beginning on. The readings are read once, eight units at a time where the processor
// can: a candidate is a unit equal to the first kana right behind a separator, and only a
// candidate is looked at closer.
void markReadingsHolding(const ContentArray& readings, std::size_t base, std::size_t count,
                         std::u16string_view kana, std::vector<std::uint64_t>& holding)
{
    const std::span<const std::uint32_t> starts = readings.starts();
    const char16_t* units = readings.units().data();
    const std::size_t from = starts[base] + 1; // a candidate has a separator before it
    const std::size_t to = starts[base + count];
    std::size_t sentence = base; // the sentence of the last candidate, found by walking on
    const auto candidate = [&](std::size_t p) {
        while (starts[sentence + 1] <= p)
            ++sentence;
        const std::size_t i = sentence - base;
        if (holding[i / 64] >> (i % 64) & 1)
            return;
        const std::u16string_view reading = readings[sentence];
        if (readingMatchEnd(reading, p - 1 - starts[sentence], kana) != std::u16string_view::npos)
            holding[i / 64] |= std::uint64_t{1} << (i % 64);
    };
    std::size_t p = from;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi16(static_cast<short>(kana.front()));
    // A separator is 0xE000 + n, n up to the longest word: below the bound once shifted.
    const __m128i shift = _mm_set1_epi16(static_cast<short>(0x8000 - 0xE000));
    const __m128i bound = _mm_set1_epi16(
        static_cast<short>(0x8000 - 0xE000 + 0xE000 + content::kMaxWordUnits + 1 - 0x10000));
    for (; p + 8 <= to; p += 8) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + p));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + p - 1));
        const __m128i separated = _mm_cmplt_epi16(_mm_add_epi16(before, shift), bound);
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi16(here, first), separated);
        // Two bits of the mask a unit.
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0;) {
            const int bit = __builtin_ctz(mask);
            candidate(p + static_cast<std::size_t>(bit) / 2);
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; p < to; ++p) {
        if (units[p] == kana.front() && content::isWordSeparator(units[p - 1]))
            candidate(p);
    }
}

bool holdsFolded(std::u16string_view text, std::u16string_view folded)
{
    for (std::size_t at = 0; at + folded.size() <= text.size(); ++at) {
        if (content::foldedAt(text, at, folded))
            return true;
    }
    return false;
}

} // namespace

KeywordQuery makeQuery(const StringArray& typed, const StringArray& normalised,
                       const content::Synonyms* synonyms)
{
    KeywordQuery query;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        TermForms forms;
        const std::u16string folded =
            content::foldUnits(i < normalised.size() ? normalised[i] : typed[i]);
        addForms(forms, folded);
        addForms(forms, content::foldUnits(typed[i]));
        if (synonyms) {
            for (std::u16string& word : synonyms->othersOf(folded)) {
                addForms(forms, content::foldUnits(word));
                if (std::find(query.addedWords.begin(), query.addedWords.end(), word) ==
                    query.addedWords.end())
                    query.addedWords.push_back(std::move(word));
            }
        }
        query.terms.push_back(std::move(forms));
    }
    return query;
}

bool readingHolds(std::u16string_view reading, std::u16string_view kana)
{
    if (kana.empty())
        return false;
    for (std::size_t at = reading.find(kana.front()); at != std::u16string_view::npos;
         at = reading.find(kana.front(), at + 1)) {
        if (at > 0 && content::isWordSeparator(reading[at - 1]) &&
            readingMatchEnd(reading, at - 1, kana) != std::u16string_view::npos)
            return true;
    }
    return false;
}

bool matchesTerm(const TermForms& term, std::u16string_view text, std::u16string_view reading)
{
    return std::any_of(term.letters.begin(), term.letters.end(),
                       [&](const std::u16string& form) { return holdsFolded(text, form); }) ||
           std::any_of(term.kana.begin(), term.kana.end(),
                       [&](const std::u16string& form) { return readingHolds(reading, form); });
}

std::vector<draft::Span> matchSpans(const KeywordQuery& query, std::u16string_view text,
                                    std::u16string_view reading)
{
    std::vector<draft::Span> spans;
    for (const TermForms& term : query.terms) {
        for (const std::u16string& form : term.letters)
            addLetterSpans(text, form, spans);
        for (const std::u16string& form : term.kana)
            addReadingSpans(reading, form, spans);
    }
    // In text order, the longest first where two start together; a span inside or over an
    // earlier one is left out.
    std::sort(spans.begin(), spans.end(), [](const draft::Span& a, const draft::Span& b) {
        return a.position != b.position ? a.position < b.position : a.length > b.length;
    });
    std::vector<draft::Span> kept;
    std::size_t end = 0;
    for (const draft::Span& span : spans) {
        if (span.length == 0 || (!kept.empty() && span.position < end))
            continue;
        kept.push_back(span);
        end = span.position + span.length;
    }
    return kept;
}

void AppendQueryMatches(const ContentArray& texts, const ContentArray& flags,
                        const ContentArray* readings, const KeywordQuery& query, MatchList& out)
{
    if (query.terms.empty())
        return;
    const std::size_t count = std::min(texts.size(), flags.size());
    const bool withReadings = readings && readings->size() == texts.size();
    const TermForms& first = query.terms.front();
    const std::vector<std::u16string> noForms;
    const auto search = [&](std::size_t base, std::size_t sentences,
                            std::vector<std::uint64_t>& holding) {
        // The first term in all its forms over the block, each form a pass at the speed memory
        // is read; then the other terms in the sentences found.
        std::vector<std::uint64_t> found;
        holding.assign((sentences + 63) / 64, 0);
        const auto textStarts = texts.starts().subspan(base, sentences + 1);
        for (const std::u16string& form : first.letters) {
            markSentencesHolding(texts.units(), textStarts, form, found, 256, true);
            for (std::size_t w = 0; w < holding.size(); ++w)
                holding[w] |= found[w];
        }
        for (const std::u16string& form : withReadings ? first.kana : noForms)
            markReadingsHolding(*readings, base, sentences, form, holding);
        for (std::size_t w = 0; query.terms.size() > 1 && w < holding.size(); ++w) {
            for (std::uint64_t rest = holding[w]; rest != 0; rest &= rest - 1) {
                const int k = __builtin_ctzll(rest);
                const std::size_t i = base + w * 64 + static_cast<std::size_t>(k);
                const std::u16string_view reading =
                    withReadings ? (*readings)[i] : std::u16string_view();
                for (std::size_t t = 1; t < query.terms.size(); ++t) {
                    if (!matchesTerm(query.terms[t], texts[i], reading)) {
                        holding[w] &= ~(std::uint64_t{1} << k);
                        break;
                    }
                }
            }
        }
    };
    const auto list = [&](std::size_t base, std::span<const std::uint64_t> holding) {
        for (std::size_t w = 0; w < holding.size(); ++w) {
            for (std::uint64_t bits = holding[w]; bits != 0; bits &= bits - 1) {
                const std::size_t i =
                    base + w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
                out.append(texts[i], flags[i]);
            }
        }
    };
    constexpr std::size_t kBlock = 2048;
    constexpr std::size_t kTwoThreadsFrom = 16 * kBlock;
    searchBlockByBlock(count, kBlock, count >= kTwoThreadsFrom, search, list);
}

} // namespace pages
