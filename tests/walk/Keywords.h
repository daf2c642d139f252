#pragma once
// The keywords the walk types: words taken from the contents' own sentences, alone or two with
// a half-width or an ideographic space between them, padded with white space, the placeholder
// (bare or padded), empty or white-space-only ones, and words found nowhere.

#include "WalkContent.h"

#include <random>
#include <vector>

namespace walk {

class KeywordMaker {
public:
    KeywordMaker(const Contents& contents, std::mt19937_64& random);

    Text next();

private:
    Text word();
    Text pad();
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

    std::vector<Text> sentences_;
    std::mt19937_64& random_;
};

} // namespace walk
