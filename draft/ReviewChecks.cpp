#include "ReviewChecks.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace draft {

using Kind = content::ReviewWords::Kind;
using Entry = content::ReviewWords::Entry;

namespace {

bool endsSentence(char16_t unit)
{
    return unit == u'。' || unit == u'．' || unit == u'！' || unit == u'？' || unit == u'!' ||
           unit == u'?' || unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

// What may stand between a sentence's last word and its end without being its ending.
bool trailsSentence(char16_t unit)
{
    return unit == u'」' || unit == u'』' || unit == u'）' || unit == u')' || unit == u'】' ||
           unit == u'〕' || unit == u' ' || unit == u'　';
}

bool isKanji(char16_t unit)
{
    // The marks 〇〇 are no word: U+3007 is left out.
    return (unit >= 0x4E00 && unit <= 0x9FFF) || (unit >= 0x3400 && unit <= 0x4DBF) ||
           (unit >= 0xF900 && unit <= 0xFAFF) || unit == u'々' || unit == u'〆';
}

bool isKatakana(char16_t unit)
{
    return (unit >= 0x30A1 && unit <= 0x30FA) || (unit >= 0x30FC && unit <= 0x30FE) ||
           (unit >= 0xFF66 && unit <= 0xFF9F);
}

// Kanji outside the Basic Multilingual Plane (U+20000 to U+3FFFF) begin with these.
bool beginsFarKanji(char16_t unit)
{
    return unit >= 0xD840 && unit <= 0xD8BF;
}

// The sentences of the text as the span of each one's words, the end marks and what trails
// them left out; sentences with no words are skipped.
std::vector<Span> sentencesOf(std::u16string_view text)
{
    std::vector<Span> sentences;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!endsSentence(text[i]))
            continue;
        std::size_t end = i;
        while (end > start && trailsSentence(text[end - 1]))
            --end;
        if (end > start)
            sentences.push_back({start, end - start});
        start = i + 1;
    }
    return sentences;
}

void findEndings(std::u16string_view text, const std::vector<const Entry*>& endings,
                 std::map<const Entry*, std::vector<Span>>& found)
{
    const std::vector<Span> sentences = sentencesOf(text);
    for (std::size_t k = 1; k < sentences.size(); ++k) {
        const std::u16string_view before =
            text.substr(sentences[k - 1].position, sentences[k - 1].length);
        const std::u16string_view after = text.substr(sentences[k].position, sentences[k].length);
        // The longest ending first: the one the two share most of is named.
        for (const Entry* ending : endings) {
            if (!before.ends_with(ending->word) || !after.ends_with(ending->word))
                continue;
            std::vector<Span>& places = found[ending];
            for (const Span& sentence : {sentences[k - 1], sentences[k]}) {
                const Span place{sentence.position + sentence.length - ending->word.size(),
                                 ending->word.size()};
                if (places.empty() || places.back().position < place.position)
                    places.push_back(place);
            }
            break;
        }
    }
}

void findWords(std::u16string_view text, const std::vector<const Entry*>& words,
               std::map<const Entry*, std::vector<Span>>& found)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::u16string_view rest = text.substr(at);
        const auto match = std::find_if(words.begin(), words.end(), [&](const Entry* word) {
            return rest.starts_with(word->word);
        });
        if (match == words.end()) {
            ++at;
            continue;
        }
        found[*match].push_back({at, (*match)->word.size()});
        at += (*match)->word.size();
    }
}

// Runs of two or more kanji, or of two or more katakana, that stand count times or more.
void findRepeats(std::u16string_view text, std::size_t count,
                 std::vector<std::pair<std::u16string, std::vector<Span>>>& repeated)
{
    std::unordered_map<std::u16string_view, std::vector<Span>> runs;
    std::vector<std::u16string_view> order;
    for (std::size_t i = 0; i < text.size();) {
        const auto kanjiAt = [&](std::size_t at) -> std::size_t { // units of the kanji at at
            if (isKanji(text[at]))
                return 1;
            const bool pair =
                at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
            return beginsFarKanji(text[at]) && pair ? 2 : 0;
        };
        std::size_t end = i;
        std::size_t characters = 0;
        if (kanjiAt(i) > 0) {
            while (end < text.size() && kanjiAt(end) > 0) {
                end += kanjiAt(end);
                ++characters;
            }
        } else {
            while (end < text.size() && isKatakana(text[end])) {
                ++end;
                ++characters;
            }
        }
        if (characters >= 2) {
            const std::u16string_view run = text.substr(i, end - i);
            std::vector<Span>& places = runs[run];
            if (places.empty())
                order.push_back(run);
            places.push_back({i, end - i});
        }
        i = end > i ? end : i + 1;
    }
    for (const std::u16string_view run : order) {
        if (runs[run].size() >= count)
            repeated.emplace_back(std::u16string(run), std::move(runs[run]));
    }
}

} // namespace

std::vector<ReviewFinding> reviewRemark(std::u16string_view text, const content::ReviewWords& words)
{
    std::vector<const Entry*> endings;
    std::vector<const Entry*> phrases;
    const Entry* repeat = nullptr;
    for (const Entry& entry : words.entries()) {
        if (entry.kind == Kind::Ending)
            endings.push_back(&entry);
        else if (entry.kind == Kind::Word)
            phrases.push_back(&entry);
        else if (!repeat)
            repeat = &entry;
    }
    const auto longestFirst = [](const Entry* a, const Entry* b) {
        return a->word.size() > b->word.size();
    };
    std::stable_sort(endings.begin(), endings.end(), longestFirst);
    std::stable_sort(phrases.begin(), phrases.end(), longestFirst);

    std::map<const Entry*, std::vector<Span>> found;
    findEndings(text, endings, found);
    findWords(text, phrases, found);
    std::vector<ReviewFinding> findings;
    for (auto& [entry, places] : found)
        findings.push_back({entry->kind, entry->word, entry->reason, std::move(places)});
    if (repeat) {
        std::vector<std::pair<std::u16string, std::vector<Span>>> repeated;
        findRepeats(text, repeat->count, repeated);
        for (auto& [word, places] : repeated)
            findings.push_back({Kind::Repeat, std::move(word), repeat->reason, std::move(places)});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const ReviewFinding& a, const ReviewFinding& b) {
                         return a.places.front().position < b.places.front().position;
                     });
    return findings;
}

} // namespace draft
