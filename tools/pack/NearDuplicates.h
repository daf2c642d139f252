#pragma once
// Sentences of one content that say the same thing twice: the same sentence again, or the same
// sentence with one word swapped for another (another club, another job). A teacher who finds
// both learns nothing from the second, and a content that copies its sentences thins out.
//
// Two sentences are near-duplicates when, after their longest common beginning and their longest
// common end, what remains of each is at most kMaxSwap code units, and the common part is at
// least kMinCommon code units and four fifths of the longer sentence. The common part then has
// a beginning or an end of at least kMinCommon / 2 units in common, so only sentences that share
// their first or last kKey units are compared: a content of 100,000 sentences is checked in
// buckets of a few, never pair by pair.

#include "ContentCheck.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pack {

namespace duplicates {

struct Sentence {
    std::size_t line;
    std::u16string text;
};

} // namespace duplicates

// A problem at the later line of every sentence that repeats an earlier one or nearly does,
// naming the earliest such line.
std::vector<Problem> nearDuplicateProblems(const std::vector<duplicates::Sentence>& sentences);

} // namespace pack
