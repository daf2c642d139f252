#include "ClassSentences.h"

#include <algorithm>

namespace draft {

namespace {

constexpr std::size_t kShortest = 8; // UTF-16 units of the shortest sentence reported

bool endsSentence(char16_t unit)
{
    return unit == u'。' || unit == u'．' || unit == u'！' || unit == u'？' || unit == u'!' ||
           unit == u'?';
}

bool isSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\u3000' || unit == u'\r';
}

// Each sentence of the text long enough to count, trimmed of spaces.
template <typename Visit> void eachSentence(std::u16string_view text, Visit visit)
{
    std::size_t start = 0;
    const auto sentence = [&](std::size_t end) {
        std::size_t from = start;
        while (from < end && isSpace(text[from]))
            ++from;
        std::size_t to = end;
        while (to > from && isSpace(text[to - 1]))
            --to;
        if (to - from >= kShortest)
            visit(Span{from, to - from});
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            sentence(i);
            start = i + 1;
        } else if (endsSentence(text[i])) {
            sentence(i + 1);
            start = i + 1;
        }
    }
    sentence(text.size());
}

} // namespace

void ClassSentences::setRemarks(const std::vector<std::pair<int, std::u16string>>& remarks)
{
    numbersOf_.clear();
    for (const auto& [number, text] : remarks) {
        eachSentence(text, [&](Span place) {
            std::vector<int>& numbers =
                numbersOf_[std::u16string(text.substr(place.position, place.length))];
            const auto at = std::lower_bound(numbers.begin(), numbers.end(), number);
            if (at == numbers.end() || *at != number)
                numbers.insert(at, number);
        });
    }
}

std::vector<SharedSentence> ClassSentences::find(std::u16string_view text) const
{
    std::vector<SharedSentence> found;
    if (numbersOf_.empty())
        return found;
    eachSentence(text, [&](Span place) {
        const auto hit = numbersOf_.find(std::u16string(text.substr(place.position, place.length)));
        if (hit != numbersOf_.end())
            found.push_back({place, hit->second});
    });
    return found;
}

} // namespace draft
