#include "NearDuplicates.h"

#include "content/Utf8.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace pack {

namespace {

using content::toUtf8;

constexpr std::size_t kMaxSwap = 8; // バスケットボール, 介護・福祉 and the like
constexpr std::size_t kMinCommon = 24;
constexpr std::size_t kKey = kMinCommon / 2;

// What differs between a and b, when they are near-duplicates.
struct Swap {
    std::u16string_view inA, inB;
};

bool nearlyTheSame(std::u16string_view a, std::u16string_view b, Swap& swap)
{
    const std::size_t shorter = std::min(a.size(), b.size());
    const std::size_t longer = std::max(a.size(), b.size());
    if (longer - shorter > kMaxSwap)
        return false;
    std::size_t prefix = 0;
    while (prefix < shorter && a[prefix] == b[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    const std::size_t common = prefix + suffix;
    if (a.size() - common > kMaxSwap || b.size() - common > kMaxSwap || common < kMinCommon ||
        common * 5 < longer * 4)
        return false;
    swap = {a.substr(prefix, a.size() - common), b.substr(prefix, b.size() - common)};
    return true;
}

} // namespace

std::vector<Problem> nearDuplicateProblems(const std::vector<duplicates::Sentence>& sentences)
{
    std::vector<Problem> problems;
    const std::size_t none = sentences.size();
    std::vector<std::size_t> earliest(sentences.size(), none);
    std::vector<Swap> swaps(sentences.size());

    std::unordered_map<std::u16string_view, std::size_t> first;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const auto [at, isNew] = first.emplace(sentences[i].text, i);
        if (!isNew)
            earliest[i] = at->second;
    }

    const auto compareBucket = [&](std::vector<std::size_t>& bucket) {
        std::sort(bucket.begin(), bucket.end(), [&](std::size_t x, std::size_t y) {
            return sentences[x].text.size() < sentences[y].text.size();
        });
        for (std::size_t i = 0; i < bucket.size(); ++i) {
            for (std::size_t j = i + 1;
                 j < bucket.size() &&
                 sentences[bucket[j]].text.size() - sentences[bucket[i]].text.size() <= kMaxSwap;
                 ++j) {
                const std::size_t a = std::min(bucket[i], bucket[j]);
                const std::size_t b = std::max(bucket[i], bucket[j]);
                Swap swap;
                if (sentences[a].text == sentences[b].text ||
                    (earliest[b] != none && earliest[b] <= a) ||
                    !nearlyTheSame(sentences[a].text, sentences[b].text, swap))
                    continue;
                earliest[b] = a;
                swaps[b] = swap;
            }
        }
    };
    for (const bool atStart : {true, false}) {
        std::unordered_map<std::u16string_view, std::vector<std::size_t>> buckets;
        for (std::size_t i = 0; i < sentences.size(); ++i) {
            const std::u16string_view text = sentences[i].text;
            if (text.size() >= kMinCommon)
                buckets[atStart ? text.substr(0, kKey) : text.substr(text.size() - kKey)].push_back(
                    i);
        }
        for (auto& [key, bucket] : buckets)
            compareBucket(bucket);
    }

    for (std::size_t b = 0; b < sentences.size(); ++b) {
        if (earliest[b] == none)
            continue;
        const std::string other = "line " + std::to_string(sentences[earliest[b]].line);
        if (sentences[b].text == sentences[earliest[b]].text)
            problems.push_back({sentences[b].line, "the same sentence as " + other});
        else
            problems.push_back({sentences[b].line,
                                "nearly the same sentence as " + other + ": only \"" +
                                    toUtf8(swaps[b].inB) + "\" stands where it has \"" +
                                    toUtf8(swaps[b].inA) +
                                    "\"; write a sentence of its own instead of swapping a word"});
    }
    return problems;
}

} // namespace pack
